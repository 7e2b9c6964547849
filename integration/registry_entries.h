// The product's uninstall entry, and removal of the keys earlier installations left. Nothing
// here reports a failure: a registry call that fails skips the rest of its step.
#ifndef CIRVANE_INTEGRATION_REGISTRY_ENTRIES_H_
#define CIRVANE_INTEGRATION_REGISTRY_ENTRIES_H_

#include <string_view>

// Uninstall entry HKEY_LOCAL_MACHINE "...\Uninstall\Cirvane IV": "DisplayName" is
// "Cirvane IV" and "UninstallString" runs `exePath` with "-uninstall". The path is in double
// quotes, so a directory with blanks cannot be mistaken for a shorter program path.
void RegisterUninstall(std::string_view exePath);

// Deletes the previous generation's uninstall entry "Pulsegrid III".
void RemoveOldUninstallEntry();

// Deletes "Software\Veltro Corporation\Pulsegrid III\1.0", then "Pulsegrid III", then the
// vendor key, each only when nothing else is left below it.
void RemoveOldCompanyKeys();

#endif  // CIRVANE_INTEGRATION_REGISTRY_ENTRIES_H_
