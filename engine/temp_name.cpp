#include "engine/temp_name.h"

#include <mutex>

#include "engine/files.h"
#include "engine/new_file.h"
#include "engine/paths.h"
#include "platform/system.h"

namespace {

constexpr char kTempVariable[] = "TMP";
constexpr char kTempPrefix[] = "tmp";

std::string TempDirectory() {
  std::optional<std::string> named = platform::SystemService().GetEnvironment(kTempVariable);
  if (named) {
    std::string directory = platform::ImportPath(*named);
    if (DirectoryExists(directory)) return directory;
  }
  return platform::Files().FallbackTempDirectory();
}

}  // namespace

std::optional<platform::SNewFile> MakeTempFile() {
  static std::mutex mutex;
  static unsigned counter = 0;
  std::string directory = TempDirectory();
  std::lock_guard<std::mutex> lock(mutex);
  return CreateFreshFile(
      [&directory](unsigned) {
        return JoinPath(directory, kTempPrefix + std::to_string(++counter));
      },
      kMaxTempNameAttempts);
}
