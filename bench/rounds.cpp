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

// The directory of one run below `root`: "<round>-<method>".
std::string RunDirectory(const std::string& root, int round, size_t method) {
  return (fs::path(root) / (std::to_string(round + 1) + "-" + std::to_string(method))).string();
}

bool TimeOnce(const InstallMethod& method, const std::string& directory, bool check,
              double* seconds, std::string* error) {
  sync();
  auto start = std::chrono::steady_clock::now();
  bool installed = method.install(directory, error);
  std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  *seconds = elapsed.count();
  if (installed && (!check || method.check(directory, error))) return true;
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
  std::vector<std::vector<double>> times(methods.size(), std::vector<double>(rounds));
  for (int round = 0; round < rounds; ++round) {
    for (size_t turn = 0; turn < methods.size(); ++turn) {
      size_t i = (turn + round) % methods.size();
      std::string directory = RunDirectory(root, round, i);
      if (!TimeOnce(methods[i], directory, round == 0, &times[i][round], error)) return false;
    }
    PrintRound(round, methods, times);
  }
  fs::remove_all(root);
  medians->clear();
  for (const std::vector<double>& each : times) medians->push_back(Median(each));
  return true;
}
