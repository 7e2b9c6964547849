// Depfiles in the make syntax that Ninja and Make both read: "target: dep dep ...".
#ifndef CIRVANE_PAYLOAD_DEPFILE_H_
#define CIRVANE_PAYLOAD_DEPFILE_H_

#include <string>
#include <string_view>
#include <vector>

// `path` as one word of a depfile: spaces and '#' escaped with a backslash, '$' doubled.
std::string EscapeForDepfile(std::string_view path);

// A depfile saying that `target` depends on every path of `deps`, one per continued line.
std::string RenderDepfile(std::string_view target, const std::vector<std::string>& deps);

#endif  // CIRVANE_PAYLOAD_DEPFILE_H_
