#include "frontend/product_version.h"

namespace {

// "ProductVersion" in UTF-16LE, without its terminating zero unit: 28 bytes.
constexpr char kProductVersionKeyBytes[] = "P\0r\0o\0d\0u\0c\0t\0V\0e\0r\0s\0i\0o\0n\0";
constexpr std::string_view kProductVersionKey(kProductVersionKeyBytes,
                                              sizeof kProductVersionKeyBytes - 1);
// Zero bytes between the key and its value: the key's terminating unit and at most one unit of
// padding to the next 32-bit boundary. More zero bytes mean an empty value.
constexpr size_t kMostZerosBeforeValue = 4;

}  // namespace

size_t FindBytes(std::string_view block, std::string_view pattern) {
  if (pattern.empty() || pattern.size() > block.size()) return std::string_view::npos;
  for (size_t at = 0; at + pattern.size() <= block.size(); ++at) {
    if (block[at] == pattern[0] && block.compare(at, pattern.size(), pattern) == 0) return at;
  }
  return std::string_view::npos;
}

std::string ReadProductVersion(std::string_view block) {
  size_t key = FindBytes(block, kProductVersionKey);
  if (key == std::string_view::npos) return std::string();
  size_t at = key + kProductVersionKey.size();
  size_t valueStart = at + kMostZerosBeforeValue;
  while (at < block.size() && at < valueStart && block[at] == '\0') ++at;
  std::string version;
  for (; at < block.size(); ++at) {
    if (block[at] != '\0') {
      version += block[at];
    } else if (block[at - 1] == '\0') {
      break;
    }
  }
  return version;
}
