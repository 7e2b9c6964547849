// Path helpers of the POSIX implementations: the logic's backslash paths as this system spells
// them, and the test for Windows programs, which run through Wine here.
#ifndef CIRVANE_PLATFORM_POSIX_POSIX_PATHS_H_
#define CIRVANE_PLATFORM_POSIX_POSIX_PATHS_H_

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace platform {

// What starts a Windows program on this system.
constexpr char kWindowsProgramRunner[] = "wine";

// A backslash path of the logic with slashes.
inline std::string SystemPath(std::string_view path) {
  std::string converted(path);
  std::replace(converted.begin(), converted.end(), '\\', '/');
  return converted;
}

inline bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  return std::equal(suffix.begin(), suffix.end(), text.end() - suffix.size(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

// 1 for the path of a Windows program (ending ".exe", in any case).
inline int IsWindowsProgram(std::string_view path) { return EndsWithNoCase(path, ".exe"); }

}  // namespace platform

#endif  // CIRVANE_PLATFORM_POSIX_POSIX_PATHS_H_
