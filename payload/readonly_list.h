// The read-only list: the payload paths whose files the installer marks read-only, one per line,
// as they appear in the table (".\lib\sym\cap.asy"). Lines may end in CR LF; blank lines are
// skipped.
#ifndef CIRVANE_PAYLOAD_READONLY_LIST_H_
#define CIRVANE_PAYLOAD_READONLY_LIST_H_

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// One path of the list, with its line number for messages.
struct ReadOnlyLine {
  std::string path;
  size_t line = 0;
};

// Parses the list's text; `listName` prefixes messages. Returns true and fills `lines`; false
// with `*err` ("LIST:LINE: ...") for a path that does not begin with ".\" or has a ".." name.
bool ParseReadOnlyList(std::string_view text, const std::string& listName,
                       std::vector<ReadOnlyLine>* lines, std::string* err);

// Reads and parses the list file. Returns true and fills `lines`; false with `*err`.
bool ReadReadOnlyList(const std::filesystem::path& file, std::vector<ReadOnlyLine>* lines,
                      std::string* err);

#endif  // CIRVANE_PAYLOAD_READONLY_LIST_H_
