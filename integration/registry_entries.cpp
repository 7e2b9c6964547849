#include "integration/registry_entries.h"

#include <limits>
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
constexpr char kDisplayVersionValue[] = "DisplayVersion";
constexpr char kPublisherValue[] = "Publisher";
constexpr char kDisplayIconValue[] = "DisplayIcon";
constexpr char kFirstIcon[] = ",0";
constexpr char kInstallLocationValue[] = "InstallLocation";
constexpr char kEstimatedSizeValue[] = "EstimatedSize";
constexpr char kNoModifyValue[] = "NoModify";
constexpr char kNoRepairValue[] = "NoRepair";
constexpr uint32_t kNotOffered = 1;  // NoModify and NoRepair: the entry offers neither
constexpr uint64_t kBytesPerKb = 1024;
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

// The values Add/Remove Programs shows beside the name.
void SetDetails(platform::CRegistryKey& entry, std::string_view exePath,
                const SUninstallDetails& details) {
  entry.SetStringValue(kDisplayVersionValue, details.displayVersion);
  entry.SetStringValue(kPublisherValue, details.publisher);
  entry.SetStringValue(kDisplayIconValue, std::string(exePath) + kFirstIcon);
  entry.SetStringValue(kInstallLocationValue, details.installLocation);
  entry.SetDwordValue(kEstimatedSizeValue, details.estimatedSizeKb);
  entry.SetDwordValue(kNoModifyValue, kNotOffered);
  entry.SetDwordValue(kNoRepairValue, kNotOffered);
}

}  // namespace

void RegisterUninstall(std::string_view exePath, const SUninstallDetails& details) {
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
  SetDetails(*entry, exePath, details);
}

uint32_t InstalledSizeKb(const PayloadIndex& index) {
  uint64_t bytes = 0;
  for (const PayloadEntry* entry : index) bytes += entry->size;
  uint64_t kb = (bytes + kBytesPerKb - 1) / kBytesPerKb;
  return kb > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max()
                                                   : static_cast<uint32_t>(kb);
}

void RemoveOldUninstallEntry() {
  DeleteSubKeys(Hive::kLocalMachine, kUninstallKey, {kOldProductName});
}

void RemoveOldCompanyKeys() {
  for (const OldKeyStep& step : kOldCompanySteps) {
    DeleteSubKeys(Hive::kLocalMachine, step.key, {step.subKey});
  }
}
