// Baseline (a): the least a program can do to install the payload. Each gzip member is inflated
// straight from the program's image into its target file; plain entries are written directly.
#ifndef CIRVANE_BENCH_DIRECT_INSTALL_H_
#define CIRVANE_BENCH_DIRECT_INSTALL_H_

#include <string>

#include "payload/payload.h"

// Installs every entry of `index` below `directory` (a slash path), creating directories as
// needed and clearing the write permissions of read-only entries. True when every file was
// written; false with `error` saying which file failed.
bool InstallDirect(const PayloadIndex& index, const std::string& directory, std::string* error);

#endif  // CIRVANE_BENCH_DIRECT_INSTALL_H_
