// Payload paths as payloadgen forms them: ".\" followed by the path relative to the product tree,
// with backslash separators. The installer joins them to its installation directory, so every name
// must be one that Windows can hold, and the whole path must fit kMaxPayloadPathLength.
#ifndef CIRVANE_PAYLOAD_PAYLOAD_PATH_H_
#define CIRVANE_PAYLOAD_PAYLOAD_PATH_H_

#include <string>
#include <string_view>
#include <vector>

constexpr std::string_view kPayloadPathPrefix = ".\\";
constexpr char kPayloadSeparator = '\\';

// ".\" followed by `names` joined with backslashes.
std::string JoinPayloadPath(const std::vector<std::string>& names);

// The names of a payload path after its ".\" prefix; `path` must begin with the prefix.
std::vector<std::string> SplitPayloadPath(std::string_view path);

// The path's ordering key: every ASCII capital letter lowered, every other byte kept.
std::string PayloadPathKey(std::string_view path);

// True when `a` comes before `b` in the table: their keys compared as unsigned bytes.
bool PayloadPathLess(std::string_view a, std::string_view b);

// Empty when Windows can hold `name` as a file or directory name; else why it cannot, as a
// predicate of the name ("holds the character ':' ...").
std::string WindowsNameProblem(std::string_view name);

// Empty when `path` fits the installer's path limit; else why it does not.
std::string PayloadPathLengthProblem(std::string_view path);

#endif  // CIRVANE_PAYLOAD_PAYLOAD_PATH_H_
