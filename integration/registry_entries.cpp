#include "integration/registry_entries.h"

#include <memory>
#include <string>

#include "integration/registry_values.h"
#include "platform/registry.h"

namespace {

using platform::Hive;
using platform::KeyAccess;

constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr char kProductName[] = "Cirvane IV";
constexpr char kDisplayNameValue[] = "DisplayName";
constexpr char kUninstallStringValue[] = "UninstallString";
constexpr char kUninstallOption[] = " -uninstall";
constexpr char kOldProductName[] = "Pulsegrid III";

// One deletion of the vendor keys: the key opened and its subkey deleted.
struct OldKeyStep {
  const char* key;
  const char* subKey;
};

constexpr OldKeyStep kOldCompanySteps[] = {
    {"Software\\Veltro Corporation\\Pulsegrid III", "1.0"},
    {"Software\\Veltro Corporation", "Pulsegrid III"},
    {"Software", "Veltro Corporation"},
};

std::string UninstallCommand(std::string_view exePath) {
  return '"' + std::string(exePath) + '"' + kUninstallOption;
}

}  // namespace

void RegisterUninstall(std::string_view exePath) {
  std::unique_ptr<platform::CRegistryKey> uninstall = platform::RegistryService().OpenKey(
      Hive::kLocalMachine, kUninstallKey, KeyAccess::kCreateSubKey);
  if (!uninstall) return;
  uninstall->CreateSubKey(kProductName);
  std::string entryPath = std::string(kUninstallKey) + '\\' + kProductName;
  std::unique_ptr<platform::CRegistryKey> entry = platform::RegistryService().OpenKey(
      Hive::kLocalMachine, entryPath.c_str(), KeyAccess::kSetValue);
  if (!entry) return;
  entry->SetStringValue(kDisplayNameValue, kProductName);
  entry->SetStringValue(kUninstallStringValue, UninstallCommand(exePath));
}

void RemoveOldUninstallEntry() {
  DeleteSubKeys(Hive::kLocalMachine, kUninstallKey, {kOldProductName});
}

void RemoveOldCompanyKeys() {
  for (const OldKeyStep& step : kOldCompanySteps) {
    DeleteSubKeys(Hive::kLocalMachine, step.key, {step.subKey});
  }
}
