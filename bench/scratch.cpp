#include "bench/scratch.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

// How long freed inodes stay in the way (a minute), with a second's margin for the file
// system's whole-second deletion times.
constexpr std::chrono::seconds kDeletionShadow(62);

// Removes everything below `root`, keeping `root` itself and its attributes. True when anything
// was there.
bool EmptyDirectory(const std::string& root) {
  bool removed = false;
  for (const fs::directory_entry& item : fs::directory_iterator(root)) {
    fs::remove_all(item);
    removed = true;
  }
  return removed;
}

void RecordDeletion(const BenchArgs& args) {
  sync();
  std::ofstream(args.deletionStamp, std::ios::trunc).close();
  fs::last_write_time(args.deletionStamp, fs::file_time_type::clock::now());
}

}  // namespace

void PrepareScratch(const BenchArgs& args) {
  if (EmptyDirectory(args.runsRoot)) RecordDeletion(args);
  std::error_code missing;
  fs::file_time_type deleted = fs::last_write_time(args.deletionStamp, missing);
  if (missing) return;
  auto wait = deleted + kDeletionShadow - fs::file_time_type::clock::now();
  if (wait <= wait.zero()) return;
  auto seconds = std::chrono::ceil<std::chrono::seconds>(wait);
  printf("waiting %lld s for the files deleted before to stop slowing file creation\n",
         static_cast<long long>(seconds.count()));
  fflush(stdout);
  std::this_thread::sleep_for(seconds);
}

void ClearScratch(const BenchArgs& args) {
  EmptyDirectory(args.runsRoot);
  RecordDeletion(args);
}
