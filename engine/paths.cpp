#include "engine/paths.h"

namespace {
constexpr char kSeparator = '\\';
constexpr std::string_view kCurrentDirectoryPrefix = ".\\";
}  // namespace

std::string JoinPath(std::string_view directory, std::string_view relative) {
  std::string joined(directory);
  bool haveDirectory = !directory.empty();
  if (haveDirectory && joined.back() != kSeparator) joined += kSeparator;
  if (!relative.empty() && relative.front() == kSeparator) {
    relative.remove_prefix(1);
  } else if (haveDirectory &&
             relative.substr(0, kCurrentDirectoryPrefix.size()) == kCurrentDirectoryPrefix) {
    relative.remove_prefix(kCurrentDirectoryPrefix.size());
  }
  joined += relative;
  return joined;
}

std::string ParentDirectory(std::string_view path) {
  std::string parent(path);
  for (;;) {
    size_t separator = parent.rfind(kSeparator);
    if (separator == std::string::npos) return ".";
    if (separator + 1 < parent.size()) {
      parent.resize(separator + 1);
      return parent;
    }
    parent.pop_back();
  }
}
