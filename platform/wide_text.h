// Wide (UTF-16) text turned into the system's 8-bit texts, for data files that may carry text
// in either form.
#ifndef CIRVANE_PLATFORM_WIDE_TEXT_H_
#define CIRVANE_PLATFORM_WIDE_TEXT_H_

#include <string>
#include <string_view>

namespace platform {

// `units` (UTF-16 code units) in the system's 8-bit code page: the ANSI code page on Windows,
// UTF-8 on POSIX systems. A character the code page cannot hold, or a lone surrogate, becomes
// '?'.
std::string ConvertWideToAnsi(std::u16string_view units);

}  // namespace platform

#endif  // CIRVANE_PLATFORM_WIDE_TEXT_H_
