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

// Runs every method `rounds` times into `directory`, alternating, the order rotated by one each
// round. Only the install step is timed (wall clock); before each run the directory is removed
// and the system's dirty data flushed, so that no run pays for another's writes. Each method's
// first output is checked. Prints every round's times. Fills `medians` with the median seconds
// of each method, in the order of `methods`; false with `error` when a step failed.
bool RunRounds(const std::vector<InstallMethod>& methods, int rounds, const std::string& directory,
               std::vector<double>* medians, std::string* error);

#endif  // CIRVANE_BENCH_ROUNDS_H_
