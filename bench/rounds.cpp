#include "bench/rounds.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// The round of the checked, untimed runs; the timed rounds count from 0.
constexpr int kCheckRound = -1;
constexpr char kInstallName[] = "install";
constexpr char kTempName[] = "tmp";

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t middle = values.size() / 2;
  if (values.size() % 2 == 1) return values[middle];
  return (values[middle - 1] + values[middle]) / 2;
}

// The place of one run, in "<round counted from 1>-<method index>" below `runsRoot`: install/ to
// be made by the method, and tmp/, made here.
RunPlace PlaceOf(const std::string& runsRoot, int round, size_t method) {
  fs::path run = fs::path(runsRoot) / (std::to_string(round + 1) + "-" + std::to_string(method));
  RunPlace place{(run / kInstallName).string(), (run / kTempName).string()};
  fs::create_directories(place.tempDirectory);
  return place;
}

bool Fail(const InstallMethod& method, std::string* error) {
  *error = method.label + ": " + *error;
  return false;
}

bool TimeOnce(const InstallMethod& method, const RunPlace& place, double* seconds,
              std::string* error) {
  sync();
  auto start = std::chrono::steady_clock::now();
  bool installed = method.install(place, error);
  std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  *seconds = elapsed.count();
  return installed || Fail(method, error);
}

void PrintRound(int round, const std::vector<InstallMethod>& methods,
                const std::vector<std::vector<double>>& times) {
  printf("round %d:", round + 1);
  for (size_t i = 0; i < methods.size(); ++i) {
    printf("%s %s %.2f s", i == 0 ? "" : ",", methods[i].label.c_str(), times[i][round]);
  }
  printf("\n");
  fflush(stdout);
}

}  // namespace

bool RunRounds(const std::vector<InstallMethod>& methods, int rounds, const std::string& runsRoot,
               std::vector<double>* medians, std::string* error) {
  // The untimed runs also bring the program's image, the tools and the source tree into memory.
  for (size_t i = 0; i < methods.size(); ++i) {
    RunPlace place = PlaceOf(runsRoot, kCheckRound, i);
    if (!methods[i].install(place, error) || !methods[i].check(place, error)) {
      return Fail(methods[i], error);
    }
  }
  printf("checked: every method installed every file of the tree\n");
  std::vector<std::vector<double>> times(methods.size(), std::vector<double>(rounds));
  for (int round = 0; round < rounds; ++round) {
    for (size_t turn = 0; turn < methods.size(); ++turn) {
      size_t i = (turn + round) % methods.size();
      RunPlace place = PlaceOf(runsRoot, round, i);
      if (!TimeOnce(methods[i], place, &times[i][round], error)) return false;
    }
    PrintRound(round, methods, times);
  }
  medians->clear();
  for (const std::vector<double>& each : times) medians->push_back(Median(each));
  return true;
}
