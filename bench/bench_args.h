// The command line of bench_install.
#ifndef CIRVANE_BENCH_BENCH_ARGS_H_
#define CIRVANE_BENCH_BENCH_ARGS_H_

#include <string>

constexpr char kBenchUsage[] =
    "usage: bench_install --tree DIR --tarball FILE --scratch DIR [--rounds N]\n";

struct BenchArgs {
  std::string tree;           // the tree the payload table was built from
  std::string tarball;        // a gzip tar archive of that tree
  std::string runsRoot;       // each run works in a directory below it: <scratch>/runs
  std::string deletionStamp;  // touched after each mass deletion: <scratch>/last-deletion
  int rounds = 7;
};

// Fills `args` from the command line, every path made absolute, and creates the runs' root when
// it is missing. False with `error` saying what is wrong.
bool ParseBenchArgs(int argc, char** argv, BenchArgs* args, std::string* error);

#endif  // CIRVANE_BENCH_BENCH_ARGS_H_
