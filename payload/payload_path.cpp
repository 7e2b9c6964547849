#include "payload/payload_path.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "payload/payload.h"

namespace {

// Characters that Windows refuses in any file name, besides the control characters.
constexpr std::string_view kForbiddenNameChars = "<>:\"/\\|?*";
constexpr unsigned char kFirstPrintable = 0x20;

// Device names that Windows opens instead of a file, whatever extension follows them.
constexpr std::array<std::string_view, 22> kDeviceNames = {
    "con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4", "com5", "com6", "com7",
    "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string DescribeByte(unsigned char c) {
  constexpr char kHexDigits[] = "0123456789ABCDEF";
  return std::string("byte 0x") + kHexDigits[c >> 4] + kHexDigits[c & 0xF];
}

bool IsDeviceName(std::string_view name) {
  const std::string stem = PayloadPathKey(name.substr(0, name.find('.')));
  return std::find(kDeviceNames.begin(), kDeviceNames.end(), stem) != kDeviceNames.end();
}

}  // namespace

std::string JoinPayloadPath(const std::vector<std::string>& names) {
  std::string path(kPayloadPathPrefix);
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) path += kPayloadSeparator;
    path += names[i];
  }
  return path;
}

std::vector<std::string> SplitPayloadPath(std::string_view path) {
  std::vector<std::string> names;
  std::string_view rest = path.substr(kPayloadPathPrefix.size());
  for (;;) {
    const size_t separator = rest.find(kPayloadSeparator);
    names.emplace_back(rest.substr(0, separator));
    if (separator == std::string_view::npos) return names;
    rest.remove_prefix(separator + 1);
  }
}

std::string PayloadPathKey(std::string_view path) {
  std::string key(path);
  std::transform(key.begin(), key.end(), key.begin(), LowerAscii);
  return key;
}

bool PayloadPathLess(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(LowerAscii(x)) < static_cast<unsigned char>(LowerAscii(y));
  });
}

std::string WindowsNameProblem(std::string_view name) {
  if (name.empty()) return "is empty";
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < kFirstPrintable) return "holds a control character (" + DescribeByte(byte) + ")";
    if (kForbiddenNameChars.find(c) != std::string_view::npos) {
      return std::string("holds the character '") + c + "', which Windows does not allow in names";
    }
  }
  if (name.back() == '.' || name.back() == ' ') {
    return "ends in a dot or space, which Windows drops from names";
  }
  if (IsDeviceName(name)) return "is a Windows device name";
  return std::string();
}

std::string PayloadPathLengthProblem(std::string_view path) {
  if (path.size() <= kMaxPayloadPathLength) return std::string();
  return "a payload path of " + std::to_string(path.size()) + " characters (at most " +
         std::to_string(kMaxPayloadPathLength) + " fit the installer)";
}
