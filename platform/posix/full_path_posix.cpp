// Full paths on POSIX systems: relative paths are taken from the current directory, and "." and
// ".." parts resolved by name, as Windows does, so that both show the same directory.
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <vector>

#include "platform/files.h"
#include "platform/full_path.h"

namespace platform {
namespace {

constexpr char kSeparator = '\\';
constexpr size_t kFirstDirectoryBufferSize = 256;

std::optional<std::string> CurrentDirectory() {
  std::vector<char> buffer(kFirstDirectoryBufferSize);
  while (!getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) return std::nullopt;
    buffer.resize(buffer.size() * 2);
  }
  return std::string(buffer.data());
}

// `path`, which starts at the root, without empty, "." and ".." parts; a trailing separator
// stays.
std::string ResolveDotParts(std::string_view path) {
  std::vector<std::string_view> parts;
  for (size_t start = 0; start <= path.size();) {
    size_t end = path.find(kSeparator, start);
    if (end == std::string_view::npos) end = path.size();
    std::string_view part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string resolved;
  for (std::string_view part : parts) (resolved += kSeparator) += part;
  if (resolved.empty() || path.back() == kSeparator) resolved += kSeparator;
  return resolved;
}

}  // namespace

std::string FullPath(std::string_view path) {
  std::string full(path);
  if (full.empty()) return full;
  if (full.front() != kSeparator) {
    std::optional<std::string> current = CurrentDirectory();
    if (!current) return full;
    full = ImportPath(*current) + kSeparator + full;
  }
  return ResolveDotParts(full);
}

}  // namespace platform
