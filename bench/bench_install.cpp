// Times the installation of the payload compiled into this program against three baselines, in
// one process, on one disk, alternating over several rounds:
//   ours  InstallPayload, as the installer's worker runs it;
//   (a)   members inflated straight from memory into their files (bench/direct_install.h);
//   (b)   the worker's route without the worker (bench/worker_route_install.h);
//   (c)   tar -xzf of an archive of the same tree.
// Prints the median of each and the ratios of ours to each baseline; absolute times on a shared
// machine mean little, the ratios measured side by side do.
//
//   bench_install --tree DIR --tarball FILE --scratch DIR [--rounds N]
//
// DIR is the tree the payload was built from, FILE a gzip tar archive of it. The scratch
// directory, on the disk to measure, receives the runs in runs/ (see bench/rounds.h for why
// bench/run.sh marks that with chattr +T).
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_args.h"
#include "bench/direct_install.h"
#include "bench/rounds.h"
#include "bench/scratch.h"
#include "bench/tree_check.h"
#include "bench/worker_route_install.h"
#include "engine/worker.h"
#include "platform/files.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFailureStatus = 1;
constexpr char kTempVariable[] = "TMP";
constexpr double kRouteTarget = 1.15;

bool InstallOurs(const RunPlace& place, std::string* error) {
  // The worker puts its temporary files where TMP points.
  setenv(kTempVariable, place.tempDirectory.c_str(), 1);
  snprintf(g_installDir, sizeof g_installDir, "%s", platform::ImportPath(place.directory).c_str());
  g_installDone.store(0, std::memory_order_relaxed);
  if (InstallPayload(payloadIndex) && g_installDone.load(std::memory_order_acquire)) return true;
  *error = "InstallPayload failed";
  return false;
}

bool InstallDirectly(const RunPlace& place, std::string* error) {
  return InstallDirect(payloadIndex, place.directory, error);
}

bool InstallByRoute(const RunPlace& place, std::string* error) {
  return InstallByWorkerRoute(payloadIndex, place.directory, place.tempDirectory, error);
}

RunStep InstallWithTar(const std::string& tarball) {
  return [tarball](const RunPlace& place, std::string* error) {
    fs::create_directories(place.directory);
    std::string command = "tar -xzf '" + tarball + "' -C '" + place.directory + "'";
    if (system(command.c_str()) == 0) return true;
    *error = "failed: " + command;
    return false;
  };
}

// The checks of a method's output: its files, and for those that write through the payload
// table, the read-only marks and an empty temporary directory.
RunStep CheckOutput(const std::string& tree, bool fromTable) {
  return [tree, fromTable](const RunPlace& place, std::string* error) {
    if (!SameFiles(tree, place.directory, error)) return false;
    if (!fromTable) return true;
    return ReadOnlyAsListed(payloadIndex, place.directory, error) &&
           LeftEmpty(place.tempDirectory, error);
  };
}

std::vector<InstallMethod> Methods(const BenchArgs& args) {
  return {
      {"ours", InstallOurs, CheckOutput(args.tree, true)},
      {"(a)", InstallDirectly, CheckOutput(args.tree, true)},
      {"(b)", InstallByRoute, CheckOutput(args.tree, true)},
      {"(c)", InstallWithTar(args.tarball), CheckOutput(args.tree, false)},
  };
}

void PrintSummary(const std::vector<InstallMethod>& methods, const std::vector<double>& medians) {
  printf("install:");
  for (size_t i = 0; i < methods.size(); ++i) {
    printf("%s %s %.2f s", i == 0 ? "" : ",", methods[i].label.c_str(), medians[i]);
  }
  for (size_t i = 1; i < methods.size(); ++i) {
    printf("%s ours/%s %.2f", i == 1 ? ";" : ",", methods[i].label.c_str(),
           medians[0] / medians[i]);
    if (methods[i].label == "(b)") printf(" (target <= %.2f)", kRouteTarget);
  }
  printf("\n");
}

int Run(const BenchArgs& args) {
  printf("bench_install: %zu entries, %d rounds, median wall-clock seconds\n", payloadIndex.size(),
         args.rounds);
  std::vector<InstallMethod> methods = Methods(args);
  std::vector<double> medians;
  std::string error;
  PrepareScratch(args);
  if (!RunRounds(methods, args.rounds, args.runsRoot, &medians, &error)) {
    fprintf(stderr, "bench_install: %s\n", error.c_str());
    return kFailureStatus;
  }
  ClearScratch(args);
  PrintSummary(methods, medians);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  BenchArgs args;
  std::string error;
  if (!ParseBenchArgs(argc, argv, &args, &error)) {
    fprintf(stderr, "bench_install: %s\n%s", error.c_str(), kBenchUsage);
    return kFailureStatus;
  }
  // The file-system calls of the harness throw when the scratch directory misbehaves.
  try {
    return Run(args);
  } catch (const std::exception& e) {
    fprintf(stderr, "bench_install: %s\n", e.what());
    return kFailureStatus;
  }
}
