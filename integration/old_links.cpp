#include "integration/old_links.h"

#include <memory>
#include <string>

#include "engine/files.h"
#include "engine/message.h"
#include "engine/paths.h"
#include "integration/registry_values.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace {

constexpr char kRemoveFailedFormat[] =
    "Trouble removing link:\n\n%s\n\nYou will have to delete this by hand with the correct "
    "permisssions";
constexpr char kOldLink[] = "Pulsegrid III\\Plexa III.lnk";
constexpr char kOldFolder[] = "Pulsegrid III";

// A registry value naming a "Programs" folder of the previous generation.
struct ProgramsFolder {
  platform::Hive hive;
  const char* key;
  const char* value;
};

constexpr ProgramsFolder kOldProgramsFolders[] = {
    {platform::Hive::kLocalMachine,
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Common Programs"},
    {platform::Hive::kUsers,
     ".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Programs"},
};

// Runs `remove`; when it fails, clears the read-only attribute and runs it once more.
template <typename Remove>
void RemoveClearingReadOnly(const std::string& path, Remove remove) {
  if (remove(path.c_str())) return;
  platform::Files().SetReadOnly(path.c_str(), false);
  remove(path.c_str());
}

void RemoveFromFolder(const std::string& folder) {
  std::string link = JoinPath(folder, kOldLink);
  if (FileExists(link)) RemoveLink(link);
  std::string oldFolder = JoinPath(folder, kOldFolder);
  if (DirectoryExists(oldFolder)) RemoveLink(oldFolder);
}

}  // namespace

void RemoveLink(std::string_view path) {
  std::string target(path);
  bool stillThere;
  if (FileExists(target)) {
    RemoveClearingReadOnly(target, [](const char* p) { return platform::Files().RemoveFile(p); });
    stillThere = FileExists(target);
  } else if (DirectoryExists(target)) {
    RemoveClearingReadOnly(target,
                           [](const char* p) { return platform::Files().RemoveEmptyDirectory(p); });
    stillThere = DirectoryExists(target);
  } else {
    return;
  }
  if (stillThere) ShowMessage(kRemoveFailedFormat, target.c_str());
}

void RemoveOldStartMenuLinks() {
  for (const ProgramsFolder& location : kOldProgramsFolders) {
    std::unique_ptr<platform::CRegistryKey> key = platform::RegistryService().OpenKey(
        location.hive, location.key, platform::KeyAccess::kQueryValue);
    if (!key) continue;
    std::string folder = ReadValueText(*key, location.value);
    if (!folder.empty()) RemoveFromFolder(folder);
  }
}
