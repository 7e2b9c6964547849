// Baseline (b): the worker's route in a minimal program, without its checks and status text.
// Each entry's stored bytes are written to the target; a gzip member is then read back with
// gzread into a temporary file, which is copied over the target in small chunks and removed.
#ifndef CIRVANE_BENCH_WORKER_ROUTE_INSTALL_H_
#define CIRVANE_BENCH_WORKER_ROUTE_INSTALL_H_

#include <string>

#include "payload/payload.h"

// Installs every entry of `index` below `directory` (a slash path), with temporary files in
// `tempDirectory`, creating directories as needed and clearing the write permissions of
// read-only entries. True when every file was written; false with `error` naming the failure.
bool InstallByWorkerRoute(const PayloadIndex& index, const std::string& directory,
                          const std::string& tempDirectory, std::string* error);

#endif  // CIRVANE_BENCH_WORKER_ROUTE_INSTALL_H_
