// The product's uninstall entry, and removal of the keys earlier installations left. Nothing
// here reports a failure: a registry call that fails skips the rest of its step.
#ifndef CIRVANE_INTEGRATION_REGISTRY_ENTRIES_H_
#define CIRVANE_INTEGRATION_REGISTRY_ENTRIES_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "payload/payload.h"

// What Add/Remove Programs shows of the installation besides its name.
struct SUninstallDetails {
  std::string displayVersion;   // "DisplayVersion": the version resource's ProductVersion
  std::string publisher;        // "Publisher": the version resource's CompanyName
  std::string installLocation;  // "InstallLocation": the installation directory
  uint32_t estimatedSizeKb;     // "EstimatedSize": the installed size in KB (InstalledSizeKb)
};

// Uninstall entry HKEY_LOCAL_MACHINE "...\Uninstall\Cirvane IV": "DisplayName" is
// "Cirvane IV" and "UninstallString" runs `exePath` with "-uninstall". The path is in double
// quotes, so a directory with blanks cannot be mistaken for a shorter program path. Beside them
// the texts of `details`, "DisplayIcon" (the first icon of `exePath`), "EstimatedSize", and
// "NoModify" and "NoRepair" set to 1: the installer offers neither.
void RegisterUninstall(std::string_view exePath, const SUninstallDetails& details);

// The size of the files of `index` as installed, in KB of 1024 bytes, rounded up; the largest
// number a value holds when it is larger.
uint32_t InstalledSizeKb(const PayloadIndex& index);

// Deletes the previous generation's uninstall entry "Pulsegrid III".
void RemoveOldUninstallEntry();

// Deletes "Software\Veltro Corporation\Pulsegrid III\1.0", then "Pulsegrid III", then the
// vendor key, each only when nothing else is left below it.
void RemoveOldCompanyKeys();

#endif  // CIRVANE_INTEGRATION_REGISTRY_ENTRIES_H_
