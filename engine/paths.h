// Path texts: 8-bit, backslash-separated, as the system uses them.
#ifndef CIRVANE_ENGINE_PATHS_H_
#define CIRVANE_ENGINE_PATHS_H_

#include <string>
#include <string_view>

// Longest path the file routines accept: the system's 260-byte limit less the terminating NUL.
constexpr size_t kMaxPathLength = 259;

// `directory` and `relative` joined with exactly one backslash. A leading backslash of
// `relative` is dropped, and so is a leading ".\" when a directory is given; with an empty
// directory `relative` comes back unchanged.
std::string JoinPath(std::string_view directory, std::string_view relative);

// The directory part of `path` with its trailing backslash ("C:\a\b\f.txt" gives "C:\a\b\"),
// trailing backslashes of `path` stripped first; "." when no backslash is left.
std::string ParentDirectory(std::string_view path);

// 1 when `path` fits the file routines' limit.
inline int FitsPathLimit(std::string_view path) { return path.size() <= kMaxPathLength; }

#endif  // CIRVANE_ENGINE_PATHS_H_
