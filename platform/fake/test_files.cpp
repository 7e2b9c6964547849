#include "platform/fake/test_files.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/files.h"

namespace platform {
namespace fs = std::filesystem;

namespace {

constexpr size_t kReadChunk = 65536;

// Read-only entries keep Windows from deleting them, so their attribute is cleared first.
void MakeWritable(const fs::path& root) {
  std::error_code ignored;
  for (auto it = fs::recursive_directory_iterator(root, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
  }
}

}  // namespace

std::string SystemPathForTest(const std::string& path) {
#ifdef _WIN32
  return path;
#else
  std::string converted = path;
  std::replace(converted.begin(), converted.end(), '\\', '/');
  return converted;
#endif
}

CScopedTempDir::CScopedTempDir() {
  static std::atomic<unsigned> counter{0};
  auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  fs::path dir = fs::temp_directory_path() /
                 ("cirvane-test-" + std::to_string(stamp) + "-" + std::to_string(++counter));
  fs::create_directories(dir);
  m_path = ImportPath(dir.string());
}

CScopedTempDir::~CScopedTempDir() {
  fs::path dir = SystemPathForTest(m_path);
  MakeWritable(dir);
  std::error_code ignored;
  fs::remove_all(dir, ignored);
}

CScopedCurrentDirectory::CScopedCurrentDirectory(const std::string& directory)
    : m_previous(fs::current_path().string()) {
  fs::current_path(SystemPathForTest(directory));
}

CScopedCurrentDirectory::~CScopedCurrentDirectory() {
  std::error_code ignored;
  fs::current_path(m_previous, ignored);
}

size_t CountFiles(const std::string& directory) {
  size_t count = 0;
  std::error_code ignored;
  for (auto it = fs::recursive_directory_iterator(SystemPathForTest(directory), ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_regular_file(ignored)) ++count;
  }
  return count;
}

std::string ReadWholeFile(const std::string& path, bool* found) {
  std::unique_ptr<CFile> file = RealFiles().Open(path.c_str(), OpenMode::kRead);
  if (found) *found = file != nullptr;
  std::string content;
  if (!file) return content;
  char chunk[kReadChunk];
  size_t count;
  while ((count = file->Read(chunk, sizeof chunk)) > 0) content.append(chunk, count);
  return content;
}

int WriteWholeFile(const std::string& path, const std::string& content) {
  std::unique_ptr<CFile> file = RealFiles().Open(path.c_str(), OpenMode::kWrite);
  if (!file) return 0;
  bool ok = file->Write(content.data(), content.size()) == content.size();
  return file->Close() && ok;
}

}  // namespace platform
