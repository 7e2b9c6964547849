// Full paths on Windows: the system resolves them.
#include <windows.h>

#include "platform/full_path.h"

namespace platform {

std::string FullPath(std::string_view path) {
  std::string typed(path);
  if (typed.empty()) return typed;
  DWORD needed = GetFullPathNameA(typed.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return typed;
  std::string full(needed, '\0');
  DWORD length = GetFullPathNameA(typed.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return typed;
  full.resize(length);
  return full;
}

}  // namespace platform
