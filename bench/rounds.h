// Alternating timed rounds of several installation methods, in one process and on one disk.
#ifndef CIRVANE_BENCH_ROUNDS_H_
#define CIRVANE_BENCH_ROUNDS_H_

#include <functional>
#include <string>
#include <vector>

// A step of a method over a directory: true on success, else false with `error` saying why.
using DirectoryStep = std::function<bool(const std::string& directory, std::string* error)>;

// One way of installing the payload.
struct InstallMethod {
  std::string label;      // as printed: "ours", "(a)", ...
  DirectoryStep install;  // installs into a directory that does not exist yet
  DirectoryStep check;    // checks what `install` just left in the directory
};

// Runs every method `rounds` times, alternating, the order rotated by one each round. Each run
// installs into a fresh directory below `root`, and only the install step is timed (wall clock).
// Before each run the system's dirty data is written out, so that no run pays for another's
// writes; the runs' directories are removed only after the last round, since files created right
// after a mass deletion are much slower to make on some file systems, which would bury the
// differences measured. An untimed run of each method comes first, and its output is checked.
// Prints every round's times.
// Fills `medians` with the median seconds of each method, in the order of `methods`; false with
// `error` when a step failed.
bool RunRounds(const std::vector<InstallMethod>& methods, int rounds, const std::string& root,
               std::vector<double>* medians, std::string* error);

#endif  // CIRVANE_BENCH_ROUNDS_H_
