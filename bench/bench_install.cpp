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
// DIR is the tree the payload was built from, FILE a gzip tar archive of it, and the scratch
// directory (on the disk to measure) receives the installations and the temporary files.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_args.h"
#include "bench/direct_install.h"
#include "bench/rounds.h"
#include "bench/tree_check.h"
#include "bench/worker_route_install.h"
#include "engine/worker.h"
#include "platform/files.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFailureStatus = 1;
constexpr char kTempVariable[] = "TMP";
constexpr double kRouteTarget = 1.15;

bool InstallOurs(const std::string& directory, std::string* error) {
  snprintf(g_installDir, sizeof g_installDir, "%s", platform::ImportPath(directory).c_str());
  g_installDone.store(0, std::memory_order_relaxed);
  if (InstallPayload(payloadIndex) && g_installDone.load(std::memory_order_acquire)) return true;
  *error = "InstallPayload failed";
  return false;
}

bool InstallWithTar(const std::string& tarball, const std::string& directory, std::string* error) {
  fs::create_directories(directory);
  std::string command = "tar -xzf '" + tarball + "' -C '" + directory + "'";
  if (system(command.c_str()) == 0) return true;
  *error = "failed: " + command;
  return false;
}

// The checks of a method's output: its files, and for those that write through the payload
// table, the read-only marks and an empty temporary directory.
DirectoryStep CheckOutput(const BenchArgs& args, bool fromTable) {
  return [args, fromTable](const std::string& directory, std::string* error) {
    if (!SameFiles(args.tree, directory, error)) return false;
    if (!fromTable) return true;
    return ReadOnlyAsListed(payloadIndex, directory, error) && LeftEmpty(args.tempDir, error);
  };
}

std::vector<InstallMethod> Methods(const BenchArgs& args) {
  return {
      {"ours", InstallOurs, CheckOutput(args, true)},
      {"(a)",
       [](const std::string& directory, std::string* error) {
         return InstallDirect(payloadIndex, directory, error);
       },
       CheckOutput(args, true)},
      {"(b)",
       [args](const std::string& directory, std::string* error) {
         return InstallByWorkerRoute(payloadIndex, directory, args.tempDir, error);
       },
       CheckOutput(args, true)},
      {"(c)",
       [args](const std::string& directory, std::string* error) {
         return InstallWithTar(args.tarball, directory, error);
       },
       CheckOutput(args, false)},
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

}  // namespace

int main(int argc, char** argv) {
  BenchArgs args;
  std::string error;
  if (!ParseBenchArgs(argc, argv, &args, &error)) {
    fprintf(stderr, "bench_install: %s\n%s", error.c_str(), kBenchUsage);
    return kFailureStatus;
  }
  // The worker puts its temporary files where TMP points: on the scratch disk, as (b) does.
  setenv(kTempVariable, args.tempDir.c_str(), 1);
  printf("bench_install: %zu entries, %d rounds, median wall-clock seconds\n", payloadIndex.size(),
         args.rounds);
  std::vector<InstallMethod> methods = Methods(args);
  std::vector<double> medians;
  if (!RunRounds(methods, args.rounds, args.installRoot, &medians, &error)) {
    fprintf(stderr, "bench_install: %s\n", error.c_str());
    return kFailureStatus;
  }
  PrintSummary(methods, medians);
  return 0;
}
