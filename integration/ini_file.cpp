#include "integration/ini_file.h"

#include "engine/files.h"
#include "engine/paths.h"
#include "platform/files.h"
#include "platform/system.h"

namespace {

constexpr char kIniFileName[] = "qsim3.ini";
constexpr char kWineDirectory[] = ".wine";
constexpr char kVirtualStore[] = "VirtualStore";
constexpr char kHomeVariable[] = "HOME";
constexpr char kLocalAppDataVariable[] = "LOCALAPPDATA";
constexpr unsigned long kVistaMajorVersion = 6;
constexpr char kDriveSeparator = ':';

// A path from the system, in the logic's form; nothing when it is empty or too long to use.
std::optional<std::string> UsablePath(const std::optional<std::string>& value) {
  if (!value || value->empty() || !FitsPathLimit(*value)) return std::nullopt;
  return platform::ImportPath(*value);
}

std::optional<std::string> Variable(const char* name) {
  return UsablePath(platform::SystemService().GetEnvironment(name));
}

std::optional<std::string> WindowsDirectory() {
  return UsablePath(platform::SystemService().GetWindowsDirectoryPath());
}

// The text after the first colon ("C:\Windows" gives "\Windows"); all of it without a colon.
std::string WithoutDrive(const std::string& path) {
  size_t colon = path.find(kDriveSeparator);
  return colon == std::string::npos ? path : path.substr(colon + 1);
}

std::optional<std::string> ExistingWineIniFile() {
  if (std::optional<std::string> windows = WindowsDirectory()) {
    std::string candidate = JoinPath(*windows, kIniFileName);
    if (FileExists(candidate)) return candidate;
  }
  if (std::optional<std::string> home = Variable(kHomeVariable)) {
    std::string candidate = JoinPath(JoinPath(*home, kWineDirectory), kIniFileName);
    if (FileExists(candidate)) return candidate;
  }
  return std::nullopt;
}

std::optional<std::string> ExistingVirtualStoreIniFile() {
  std::optional<std::string> localAppData = Variable(kLocalAppDataVariable);
  std::optional<std::string> windows = WindowsDirectory();
  if (!localAppData || !windows) return std::nullopt;
  std::string store = JoinPath(*localAppData, kVirtualStore);
  std::string candidate = JoinPath(JoinPath(store, WithoutDrive(*windows)), kIniFileName);
  if (FileExists(candidate)) return candidate;
  return std::nullopt;
}

}  // namespace

bool IsVistaOrLater() {
  std::optional<platform::WindowsVersion> version = platform::SystemService().GetWindowsVersion();
  return version && version->platformId == platform::kWindowsNtPlatformId &&
         version->majorVersion >= kVistaMajorVersion;
}

std::optional<std::string> FindIniFile() {
  if (platform::SystemService().IsWineEnvironment()) {
    if (std::optional<std::string> found = ExistingWineIniFile()) return found;
  }
  if (IsVistaOrLater()) {
    if (std::optional<std::string> found = ExistingVirtualStoreIniFile()) return found;
  }
  if (std::optional<std::string> windows = WindowsDirectory()) {
    return JoinPath(*windows, kIniFileName);
  }
  return std::nullopt;
}
