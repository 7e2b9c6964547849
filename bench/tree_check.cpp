#include "bench/tree_check.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "bench/bench_files.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kCompareChunkSize = 65536;
constexpr fs::perms kWritePerms =
    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

size_t CountFiles(const fs::path& root) {
  size_t count = 0;
  for (const fs::directory_entry& item : fs::recursive_directory_iterator(root)) {
    count += item.is_regular_file();
  }
  return count;
}

bool SameBytes(const fs::path& first, const fs::path& second) {
  if (fs::file_size(first) != fs::file_size(second)) return false;
  Stream a(fopen(first.c_str(), "rb"));
  Stream b(fopen(second.c_str(), "rb"));
  if (!a || !b) return false;
  std::vector<char> chunkA(kCompareChunkSize);
  std::vector<char> chunkB(kCompareChunkSize);
  for (;;) {
    size_t countA = fread(chunkA.data(), 1, chunkA.size(), a.get());
    size_t countB = fread(chunkB.data(), 1, chunkB.size(), b.get());
    if (countA != countB || !std::equal(chunkA.begin(), chunkA.begin() + countA, chunkB.begin())) {
      return false;
    }
    if (countA == 0) return !ferror(a.get()) && !ferror(b.get());
  }
}

}  // namespace

bool SameFiles(const std::string& source, const std::string& installed, std::string* difference) {
  std::error_code error;
  size_t sourceFiles = 0;
  for (const fs::directory_entry& item : fs::recursive_directory_iterator(source)) {
    if (!item.is_regular_file()) continue;
    ++sourceFiles;
    fs::path target = fs::path(installed) / item.path().lexically_relative(source);
    if (!fs::is_regular_file(target, error) || !SameBytes(item.path(), target)) {
      *difference = "installed " + target.string() + " differs from " + item.path().string();
      return false;
    }
  }
  size_t installedFiles = CountFiles(installed);
  if (installedFiles != sourceFiles) {
    *difference = installed + " holds " + std::to_string(installedFiles) + " files, " + source +
                  " " + std::to_string(sourceFiles);
    return false;
  }
  return true;
}

bool ReadOnlyAsListed(const PayloadIndex& index, const std::string& installed,
                      std::string* difference) {
  for (const PayloadEntry* entry : index) {
    std::string path = TargetPath(installed, *entry);
    bool readOnly = (fs::status(path).permissions() & kWritePerms) == fs::perms::none;
    if (readOnly != (entry->readOnly == 1)) {
      *difference = path + (readOnly ? " is read-only, " : " is writable, ") + "its entry says " +
                    std::to_string(entry->readOnly);
      return false;
    }
  }
  return true;
}

bool LeftEmpty(const std::string& directory, std::string* difference) {
  fs::directory_iterator first(directory);
  if (first == fs::directory_iterator()) return true;
  *difference = "left behind: " + first->path().string();
  return false;
}
