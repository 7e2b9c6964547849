#include "integration/shortcuts.h"

#include <memory>

#include "engine/paths.h"
#include "integration/registry_values.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace {

constexpr char kUserShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kNoShellFoldersMessage[] = "Could't find startup Shell Folder location";
constexpr char kLinkExtension[] = ".lnk";
constexpr char kProgramExtension[] = ".exe";

// Where one of the two shortcuts goes, and what its failures say.
struct LinkPlace {
  const char* folderValue;
  const char* fallbackFolderValue;  // read when the first is empty; null for none
  const char* noFolderMessage;
  const char* noLinkObjectMessage;
  const char* setPathMessage;
  const char* saveMessage;
};

constexpr LinkPlace kDesktop = {"Desktop",
                                nullptr,
                                "Could't find Desktop location",
                                "Trouble making link in desktop: no shell link object!",
                                "Trouble making link in desktop: SetPath() failed!",
                                "Trouble saving link in desktop."};

constexpr LinkPlace kStartMenu = {"Start Menu",
                                  "Common Start Menu",
                                  "Could't find Start Menu",
                                  "Trouble making link in Start Menu: no shell link object!",
                                  "Trouble making link in Start Menu: SetPath() failed!",
                                  "Trouble saving link in startup menu."};

// The place's shell folder, or its message when the shell folders or the value are missing.
std::optional<std::string> FindShellFolder(const LinkPlace& place, std::string* folder) {
  std::unique_ptr<platform::CRegistryKey> key = platform::RegistryService().OpenKey(
      platform::Hive::kCurrentUser, kUserShellFolders, platform::KeyAccess::kQueryValue);
  if (!key) return std::string(kNoShellFoldersMessage);
  *folder = ReadValueText(*key, place.folderValue);
  if (folder->empty() && place.fallbackFolderValue) {
    *folder = ReadValueText(*key, place.fallbackFolderValue);
  }
  if (folder->empty()) return std::string(place.noFolderMessage);
  return std::nullopt;
}

// Sets up and saves the shortcut. A path beyond the system's limit fails as the shell would.
std::optional<std::string> SaveLink(platform::CShellLink& link, const LinkPlace& place,
                                    const std::string& linkPath, const std::string& target,
                                    std::string_view dir, std::string_view description) {
  std::optional<std::string> result;
  if (!FitsPathLimit(target) || !link.SetPath(target.c_str())) result = place.setPathMessage;
  link.SetWorkingDirectory(std::string(dir).c_str());
  if (!description.empty()) link.SetDescription(std::string(description).c_str());
  if (!FitsPathLimit(linkPath) || !link.Save(linkPath.c_str())) result = place.saveMessage;
  return result;
}

std::optional<std::string> CreateLinkIn(const LinkPlace& place, std::string* linkPath,
                                        std::string_view dir, std::string_view exeBase,
                                        std::string_view linkName, std::string_view description) {
  std::string folder;
  if (std::optional<std::string> missing = FindShellFolder(place, &folder)) return missing;
  *linkPath = folder + '\\' + std::string(linkName) + kLinkExtension;
  std::string target = std::string(dir) + '\\' + std::string(exeBase) + kProgramExtension;
  std::unique_ptr<platform::CShellLink> link = platform::ShellService().CreateLink();
  // Without a link object no shortcut exists: a failure like any other, not a silent success
  // that would send the user and the uninstall log to shortcuts that are not there.
  if (!link) return std::string(place.noLinkObjectMessage);
  return SaveLink(*link, place, *linkPath, target, dir, description);
}

}  // namespace

std::optional<std::string> CreateDesktopLink(std::string* linkPath, std::string_view dir,
                                             std::string_view exeBase, std::string_view linkName,
                                             std::string_view description) {
  return CreateLinkIn(kDesktop, linkPath, dir, exeBase, linkName, description);
}

std::optional<std::string> CreateStartMenuLink(std::string* linkPath, std::string_view dir,
                                               std::string_view exeBase, std::string_view linkName,
                                               std::string_view description) {
  return CreateLinkIn(kStartMenu, linkPath, dir, exeBase, linkName, description);
}
