// Full paths: a directory the user typed, made independent of the current directory.
#ifndef CIRVANE_PLATFORM_FULL_PATH_H_
#define CIRVANE_PLATFORM_FULL_PATH_H_

#include <string>
#include <string_view>

namespace platform {

// `path` as a full path in the backslash form of the logic: a relative path is taken from the
// current directory, and "." and ".." parts are resolved by name (Windows: GetFullPathNameA,
// which also drops trailing dots and blanks of the last part). An empty text, and one the
// system cannot resolve, comes back unchanged.
std::string FullPath(std::string_view path);

}  // namespace platform

#endif  // CIRVANE_PLATFORM_FULL_PATH_H_
