// Alternating timed rounds of several installation methods, in one process and on one disk.
#ifndef CIRVANE_BENCH_ROUNDS_H_
#define CIRVANE_BENCH_ROUNDS_H_

#include <functional>
#include <string>
#include <vector>

// Where one run installs: `directory` does not exist yet; `tempDirectory` exists and is empty.
struct RunPlace {
  std::string directory;
  std::string tempDirectory;
};

// A step of a method: true on success, else false with `error` saying why.
using RunStep = std::function<bool(const RunPlace& place, std::string* error)>;

// One way of installing the payload.
struct InstallMethod {
  std::string label;  // as printed: "ours", "(a)", ...
  RunStep install;    // installs into the run's place
  RunStep check;      // checks what `install` just left there
};

// Runs every method `rounds` times, alternating, the order rotated by one each round, after one
// untimed run of each whose output is checked. Only the install step is timed (wall clock).
//
// Each run works in a directory of its own below `runsRoot`, which starts empty and keeps every
// run's files, since deleting them would slow the runs that follow (see bench/scratch.h). Before
// each run the system's dirty data is written out, so that no run pays for another's writes.
// `runsRoot` should be marked as a top of directory hierarchies (chattr +T): each run's
// directory then lands in a block group of its own, and the inodes that the temporary files of
// a run free slow no other run.
//
// Prints every round's times. Fills `medians` with the median seconds of each method, in the
// order of `methods`; false with `error` when a step failed.
bool RunRounds(const std::vector<InstallMethod>& methods, int rounds, const std::string& runsRoot,
               std::vector<double>* medians, std::string* error);

#endif  // CIRVANE_BENCH_ROUNDS_H_
