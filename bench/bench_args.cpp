#include "bench/bench_args.h"

#include <exception>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr int kMaxRounds = 100;
constexpr char kRunsSubdirectory[] = "runs";
constexpr char kDeletionStampName[] = "last-deletion";

// The text an option fills, or null for an unknown option.
std::string* ValueOf(std::string_view option, BenchArgs* args, std::string* scratch,
                     std::string* rounds) {
  if (option == "--tree") return &args->tree;
  if (option == "--tarball") return &args->tarball;
  if (option == "--scratch") return scratch;
  if (option == "--rounds") return rounds;
  return nullptr;
}

bool ParseRounds(const std::string& text, int* rounds) {
  try {
    size_t used = 0;
    *rounds = std::stoi(text, &used);
    return used == text.size() && *rounds > 0 && *rounds <= kMaxRounds;
  } catch (const std::exception&) {
    return false;
  }
}

bool MakeRoots(const std::string& scratch, BenchArgs* args, std::string* error) {
  fs::path root = fs::absolute(scratch);
  args->runsRoot = (root / kRunsSubdirectory).string();
  args->deletionStamp = (root / kDeletionStampName).string();
  std::error_code failed;
  fs::create_directories(args->runsRoot, failed);
  if (failed) *error = "cannot make the directories of " + root.string() + ": " + failed.message();
  return !failed;
}

}  // namespace

bool ParseBenchArgs(int argc, char** argv, BenchArgs* args, std::string* error) {
  std::string scratch;
  std::string rounds;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string* value = ValueOf(argv[i], args, &scratch, &rounds);
    if (!value) {
      *error = std::string("unknown option ") + argv[i];
      return false;
    }
    *value = argv[i + 1];
  }
  if (argc % 2 == 0 || args->tree.empty() || args->tarball.empty() || scratch.empty()) {
    *error = "--tree, --tarball and --scratch take one value each and are required";
    return false;
  }
  if (!rounds.empty() && !ParseRounds(rounds, &args->rounds)) {
    *error = "--rounds takes a count from 1 to " + std::to_string(kMaxRounds);
    return false;
  }
  args->tree = fs::absolute(args->tree).lexically_normal().string();
  args->tarball = fs::absolute(args->tarball).string();
  return MakeRoots(scratch, args, error);
}
