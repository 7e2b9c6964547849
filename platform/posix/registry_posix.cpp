// The registry on POSIX systems: a tree kept in one export file (see platform/registry.h).
#include <errno.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "platform/registry_export.h"
#include "platform/registry_tree.h"

namespace platform {
namespace {

constexpr char kHomeVariable[] = "CIRVANE_POSIX_HOME";
constexpr char kUserHomeVariable[] = "HOME";
constexpr char kDefaultHomeBelowUserHome[] = "/.cirvane";
constexpr char kDefaultHome[] = ".cirvane";
constexpr char kRegistryFileName[] = "/registry.reg";
constexpr char kTemporarySuffix[] = ".tmp";
constexpr mode_t kNewDirectoryMode = 0777;
constexpr size_t kReadChunk = 65536;

constexpr char kUserShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kMachineShellFolders[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kDefaultUserShellFolders[] =
    ".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kCurrentVersion[] = "Software\\Microsoft\\Windows\\CurrentVersion";

// A value a fresh registry holds: a directory below the home directory.
struct SeedValue {
  Hive hive;
  const char* key;
  const char* name;
  const char* directory;
};

constexpr SeedValue kSeedValues[] = {
    {Hive::kCurrentUser, kUserShellFolders, "Desktop", "Desktop"},
    {Hive::kCurrentUser, kUserShellFolders, "Start Menu", "Start Menu"},
    {Hive::kCurrentUser, kUserShellFolders, "Programs", "Start Menu/Programs"},
    {Hive::kLocalMachine, kMachineShellFolders, "Common Start Menu", "All Users/Start Menu"},
    {Hive::kLocalMachine, kMachineShellFolders, "Common Programs", "All Users/Start Menu/Programs"},
    {Hive::kUsers, kDefaultUserShellFolders, "Programs", "Default User/Start Menu/Programs"},
    {Hive::kLocalMachine, kCurrentVersion, "ProgramFilesDir", "Program Files"},
};

// Keys a fresh registry holds without values.
struct SeedKey {
  Hive hive;
  const char* key;
};

constexpr SeedKey kSeedKeys[] = {
    {Hive::kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
};

std::string HomeDirectory() {
  const char* home = getenv(kHomeVariable);
  if (home && *home) return home;
  const char* userHome = getenv(kUserHomeVariable);
  if (userHome && *userHome) return std::string(userHome) + kDefaultHomeBelowUserHome;
  return kDefaultHome;
}

// Creates `directory` and the missing directories above it; true when it exists afterwards.
bool MakeDirectories(const std::string& directory) {
  for (size_t slash = directory.find('/', 1); slash != std::string::npos;
       slash = directory.find('/', slash + 1)) {
    mkdir(directory.substr(0, slash).c_str(), kNewDirectoryMode);
  }
  struct stat info;
  mkdir(directory.c_str(), kNewDirectoryMode);
  return stat(directory.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

enum class ReadResult { kRead, kMissing, kFailed };

ReadResult ReadFile(const std::string& path, std::string* content) {
  FILE* file = fopen(path.c_str(), "rb");
  if (!file) return errno == ENOENT ? ReadResult::kMissing : ReadResult::kFailed;
  content->clear();
  char chunk[kReadChunk];
  size_t count;
  while ((count = fread(chunk, 1, sizeof chunk, file)) > 0) content->append(chunk, count);
  bool failed = ferror(file) != 0;
  fclose(file);
  return failed ? ReadResult::kFailed : ReadResult::kRead;
}

// Writes beside the file and renames, so a failed write never leaves half a registry.
bool ReplaceFile(const std::string& path, const std::string& content) {
  std::string temporary = path + kTemporarySuffix;
  FILE* file = fopen(temporary.c_str(), "wb");
  if (!file) return false;
  bool written = fwrite(content.data(), 1, content.size(), file) == content.size();
  if (fclose(file) != 0 || !written || rename(temporary.c_str(), path.c_str()) != 0) {
    remove(temporary.c_str());
    return false;
  }
  return true;
}

class CPosixRegistry : public CTreeRegistry {
 protected:
  int Reload() override {
    std::string content;
    switch (ReadFile(HomeDirectory() + kRegistryFileName, &content)) {
      case ReadResult::kRead:
        ParseRegistryExport(content, &tree());
        return 1;
      case ReadResult::kMissing:
        Seed();
        return 1;
      case ReadResult::kFailed:
        break;
    }
    return 0;
  }

  int Persist() override {
    std::string home = HomeDirectory();
    return MakeDirectories(home) &&
           ReplaceFile(home + kRegistryFileName, FormatRegistryExport(tree()));
  }

 private:
  void Seed() {
    CRegistryTree& seeded = tree();
    seeded.Clear();
    for (const SeedKey& seed : kSeedKeys) {
      seeded.Create(CRegistryTree::FullPath(seed.hive, seed.key));
    }
    std::string home = HomeDirectory();
    for (const SeedValue& seed : kSeedValues) {
      std::string key = CRegistryTree::FullPath(seed.hive, seed.key);
      seeded.Create(key);
      (*seeded.Find(key))[seed.name] =
          RegistryValue{ValueType::kString, ImportPath(home + "/" + seed.directory)};
    }
  }
};

}  // namespace

CRegistry& RealRegistry() {
  static CPosixRegistry registry;
  return registry;
}

}  // namespace platform
