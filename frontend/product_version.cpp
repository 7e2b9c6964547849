#include "frontend/product_version.h"

namespace {

constexpr std::string_view kProductVersionKey = "ProductVersion";
constexpr std::string_view kCompanyNameKey = "CompanyName";
// Zero bytes between the key and its value: the key's terminating unit and at most one unit of
// padding to the next 32-bit boundary. More zero bytes mean an empty value.
constexpr size_t kMostZerosBeforeValue = 4;

// `text` in UTF-16LE, without a terminating zero unit.
std::string WideKey(std::string_view text) {
  std::string units;
  for (char c : text) {
    units += c;
    units += '\0';
  }
  return units;
}

}  // namespace

size_t FindBytes(std::string_view block, std::string_view pattern) {
  if (pattern.empty() || pattern.size() > block.size()) return std::string_view::npos;
  for (size_t at = 0; at + pattern.size() <= block.size(); ++at) {
    if (block[at] == pattern[0] && block.compare(at, pattern.size(), pattern) == 0) return at;
  }
  return std::string_view::npos;
}

std::string ReadVersionValue(std::string_view block, std::string_view key) {
  std::string wideKey = WideKey(key);
  size_t found = FindBytes(block, wideKey);
  if (found == std::string_view::npos) return std::string();
  size_t at = found + wideKey.size();
  size_t valueStart = at + kMostZerosBeforeValue;
  while (at < block.size() && at < valueStart && block[at] == '\0') ++at;
  std::string value;
  for (; at < block.size(); ++at) {
    if (block[at] != '\0') {
      value += block[at];
    } else if (block[at - 1] == '\0') {
      break;
    }
  }
  return value;
}

std::string ReadProductVersion(std::string_view block) {
  return ReadVersionValue(block, kProductVersionKey);
}

std::string ReadCompanyName(std::string_view block) {
  return ReadVersionValue(block, kCompanyNameKey);
}
