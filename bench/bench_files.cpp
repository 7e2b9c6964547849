#include "bench/bench_files.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCurrentDirectoryPrefix = ".\\";

}  // namespace

std::string TargetPath(const std::string& directory, const PayloadEntry& entry) {
  std::string_view relative(entry.path);
  if (relative.substr(0, kCurrentDirectoryPrefix.size()) == kCurrentDirectoryPrefix) {
    relative.remove_prefix(kCurrentDirectoryPrefix.size());
  }
  std::string path = directory + "/" + std::string(relative);
  std::replace(path.begin() + directory.size(), path.end(), '\\', '/');
  return path;
}

Stream OpenCreatingDirectories(const std::string& path) {
  Stream stream(fopen(path.c_str(), "wb"));
  if (stream) return stream;
  std::error_code ignored;
  fs::create_directories(fs::path(path).parent_path(), ignored);
  return Stream(fopen(path.c_str(), "wb"));
}

bool CloseWritten(Stream stream) {
  bool ok = !ferror(stream.get());
  return fclose(stream.release()) == 0 && ok;
}

bool WriteWholeFile(const std::string& path, const unsigned char* data, size_t size) {
  Stream file = OpenCreatingDirectories(path);
  if (!file) return false;
  bool written = fwrite(data, 1, size, file.get()) == size;
  return CloseWritten(std::move(file)) && written;
}

bool MakeReadOnly(const std::string& path) {
  std::error_code error;
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove, error);
  return !error;
}
