// The command line of bench_install.
#ifndef CIRVANE_BENCH_BENCH_ARGS_H_
#define CIRVANE_BENCH_BENCH_ARGS_H_

#include <string>

constexpr char kBenchUsage[] =
    "usage: bench_install --tree DIR --tarball FILE --scratch DIR [--rounds N]\n";

struct BenchArgs {
  std::string tree;         // the tree the payload table was built from
  std::string tarball;      // a gzip tar archive of that tree
  std::string installRoot;  // each run installs into a directory below <scratch>/install
  std::string tempDir;      // temporary files of the worker's route: <scratch>/tmp, created empty
  int rounds = 5;
};

// Fills `args` from the command line, every path made absolute, and creates the scratch
// directories. False with `error` saying what is wrong.
bool ParseBenchArgs(int argc, char** argv, BenchArgs* args, std::string* error);

#endif  // CIRVANE_BENCH_BENCH_ARGS_H_
