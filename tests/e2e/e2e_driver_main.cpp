// e2e_driver: drives the installer under Wine for the end-to-end tests and `make run`.
//
//   e2e_driver [--pictures DIR] [--step-seconds N] INSTALLER STEP...
//
// Starts INSTALLER, follows the STEPs (tests/e2e/scenario.h) and prints what it sees, one line
// each. With --pictures, saves a BMP of each dialog and box into DIR. Exit status: 0 when every
// step passed, 1 when one failed, 2 for a usage error.
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "tests/e2e/scenario.h"

namespace {

constexpr int kFailedExitStatus = 1;
constexpr int kUsageExitStatus = 2;
constexpr unsigned kDefaultStepSeconds = 30;

int Usage() {
  e2e::Say("usage: e2e_driver [--pictures DIR] [--step-seconds N] INSTALLER STEP...");
  return kUsageExitStatus;
}

}  // namespace

int main(int argc, char** argv) {
  e2e::SDriverOptions options{"", "", kDefaultStepSeconds};
  int next = 1;
  for (; next + 1 < argc && std::strncmp(argv[next], "--", 2) == 0; next += 2) {
    if (std::strcmp(argv[next], "--pictures") == 0) {
      options.picturesDir = argv[next + 1];
    } else if (std::strcmp(argv[next], "--step-seconds") == 0) {
      options.stepSeconds = static_cast<unsigned>(std::atoi(argv[next + 1]));
    } else {
      return Usage();
    }
  }
  if (next >= argc || options.stepSeconds == 0) return Usage();
  options.installer = argv[next++];

  std::vector<e2e::SStep> steps;
  for (; next < argc; ++next) {
    std::optional<e2e::SStep> step = e2e::ParseStep(argv[next]);
    if (!step) {
      e2e::Say(std::string("unknown step: ") + argv[next]);
      return Usage();
    }
    steps.push_back(*step);
  }
  return e2e::RunScenario(options, steps) ? 0 : kFailedExitStatus;
}
