// Where the simulator keeps its ini file "qsim3.ini", which lies outside the installation.
#ifndef CIRVANE_INTEGRATION_INI_FILE_H_
#define CIRVANE_INTEGRATION_INI_FILE_H_

#include <optional>
#include <string>

// True when the system is of the Windows NT family with major version 6 or more.
bool IsVistaOrLater();

// The ini file meant, the first of these that names an existing file:
//   1. under Wine, the Windows directory's qsim3.ini;
//   2. under Wine, HOME\.wine\qsim3.ini;
//   3. on Vista or later, the per-user VirtualStore copy of the Windows directory's file
//      (LOCALAPPDATA\VirtualStore\<Windows directory less its drive>\qsim3.ini);
// else the Windows directory's qsim3.ini without testing it; nothing when the Windows directory
// is unknown. A variable that is empty or longer than kMaxPathLength counts as not set.
std::optional<std::string> FindIniFile();

#endif  // CIRVANE_INTEGRATION_INI_FILE_H_
