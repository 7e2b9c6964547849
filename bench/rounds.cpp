#include "bench/rounds.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t middle = values.size() / 2;
  if (values.size() % 2 == 1) return values[middle];
  return (values[middle - 1] + values[middle]) / 2;
}

// The round of the checked, untimed runs; the timed rounds count from 0.
constexpr int kCheckRound = -1;

// The directory of one run below `root`: "<round counted from 1>-<method index>".
std::string RunDirectory(const std::string& root, int round, size_t method) {
  return (fs::path(root) / (std::to_string(round + 1) + "-" + std::to_string(method))).string();
}

// Runs each method once, untimed, and checks what it installed. The timed runs that follow
// then find the program's image, the tools and the source tree in memory alike.
bool CheckEachMethod(const std::vector<InstallMethod>& methods, const std::string& root,
                     std::string* error) {
  for (size_t i = 0; i < methods.size(); ++i) {
    std::string directory = RunDirectory(root, kCheckRound, i);
    if (!methods[i].install(directory, error) || !methods[i].check(directory, error)) {
      *error = methods[i].label + ": " + *error;
      return false;
    }
  }
  return true;
}

bool TimeOnce(const InstallMethod& method, const std::string& directory, double* seconds,
              std::string* error) {
  sync();
  auto start = std::chrono::steady_clock::now();
  bool installed = method.install(directory, error);
  std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  *seconds = elapsed.count();
  if (installed) return true;
  *error = method.label + ": " + *error;
  return false;
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

bool RunRounds(const std::vector<InstallMethod>& methods, int rounds, const std::string& root,
               std::vector<double>* medians, std::string* error) {
  fs::remove_all(root);
  if (!CheckEachMethod(methods, root, error)) return false;
  printf("checked: every method installed every file of the tree\n");
  std::vector<std::vector<double>> times(methods.size(), std::vector<double>(rounds));
  for (int round = 0; round < rounds; ++round) {
    for (size_t turn = 0; turn < methods.size(); ++turn) {
      size_t i = (turn + round) % methods.size();
      std::string directory = RunDirectory(root, round, i);
      if (!TimeOnce(methods[i], directory, &times[i][round], error)) return false;
    }
    PrintRound(round, methods, times);
  }
  fs::remove_all(root);
  medians->clear();
  for (const std::vector<double>& each : times) medians->push_back(Median(each));
  return true;
}
