// Wide text in the ANSI code page on Windows.
#include <windows.h>

#include <climits>

#include "platform/wide_text.h"

namespace platform {

std::string ConvertWideToAnsi(std::u16string_view units) {
  if (units.empty() || units.size() > static_cast<size_t>(INT_MAX)) return std::string();
  const wchar_t* wide = reinterpret_cast<const wchar_t*>(units.data());
  const int count = static_cast<int>(units.size());
  int length = WideCharToMultiByte(CP_ACP, 0, wide, count, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::string(units.size(), '?');
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, count, &text[0], length, nullptr, nullptr);
  return text;
}

}  // namespace platform
