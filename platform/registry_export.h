// The registry export text that the POSIX registry keeps its keys in (8-bit, as regedit's
// "REGEDIT4" exports):
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Cirvane IV]
//   "DisplayName"="Cirvane IV"
//   "UninstallString"="\"\\opt\\Cirvane IV\\qsim3.exe\" -uninstall"
//   "EstimatedSize"=dword:00003c7a
//   @="the default value"
//   "Lines"=hex(1):61,0a,62,00
//
// - The first line is kExportHeader. Every key follows, each parent before its subkeys, as a
//   blank line and a key line: its full path in square brackets.
// - Below a key line come its values, one line each: the name in double quotes, or `@` for the
//   default value, then `=` and the data. A string is written in double quotes with `\` and `"`
//   escaped by a backslash; a string holding control codes is written as `hex(1):` and its bytes
//   and a terminating zero as two-digit hexadecimal numbers separated by commas. A number
//   (ValueType::kDword) is written as `dword:` and eight hexadecimal digits.
// - Data of any other form (another type, in a file edited by hand) is kept as written after
//   the `=` and reads back as ValueType::kOther. A line that ends in a backslash outside double
//   quotes continues on the next line, whose leading blanks are dropped (regedit wraps long
//   binary data that way).
// Reading accepts LF and CR LF line ends and a missing header; it skips comment lines (`;`),
// lines it cannot read, and the values below a key line it cannot read or before any key line.
#ifndef CIRVANE_PLATFORM_REGISTRY_EXPORT_H_
#define CIRVANE_PLATFORM_REGISTRY_EXPORT_H_

#include <string>
#include <string_view>

#include "platform/registry_tree.h"

namespace platform {

constexpr std::string_view kExportHeader = "REGEDIT4";

// The export text of every key and value of `tree`, lines ended by LF.
std::string FormatRegistryExport(const CRegistryTree& tree);

// Clears `tree` and fills it from the export `text`.
void ParseRegistryExport(std::string_view text, CRegistryTree* tree);

}  // namespace platform

#endif  // CIRVANE_PLATFORM_REGISTRY_EXPORT_H_
