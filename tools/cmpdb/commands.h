// cmpdb: a command-line tool for the people who maintain and support the component databases.
//
//   cmpdb statements FILE                  every statement the library reader returns
//   cmpdb dump FILE [KIND]                 one line per record (kind from the file name ending)
//   cmpdb merge KIND OUTPUT SHIPPED USER   the installer's own merge, backup included
//   cmpdb build KIND TSV OUTPUT            a database from the text the dump prints
//   cmpdb --help
#ifndef CIRVANE_TOOLS_CMPDB_COMMANDS_H_
#define CIRVANE_TOOLS_CMPDB_COMMANDS_H_

#include <cstdio>
#include <string>
#include <vector>

constexpr int kCmpdbSucceeded = 0;
constexpr int kCmpdbFailed = 1;
constexpr int kCmpdbUsageError = 2;

// Runs the command in `arguments` (without the program name), printing results on `out` and
// problems on stderr; returns the exit status. Paths are taken in the system's own form.
int RunCmpdb(const std::vector<std::string>& arguments, std::FILE* out);

#endif  // CIRVANE_TOOLS_CMPDB_COMMANDS_H_
