// Drives the installer the way a user would, from a second process on the same desktop: starts
// it, follows the scenario's steps (tests/e2e/scenario.h), and prints on standard output, one
// line each, what a user would see: the main dialog's heading and directory, every status text,
// every message box (caption and text), the overwrite question, the exit status; and, when
// asked to, photographs each dialog and box as it shows it.
#ifndef CIRVANE_TESTS_E2E_DRIVER_H_
#define CIRVANE_TESTS_E2E_DRIVER_H_

#include <string>
#include <vector>

#include "tests/e2e/scenario.h"

namespace e2e {

struct SDriverOptions {
  std::string installer;    // the installer's path
  std::string picturesDir;  // where pictures go; "" for none
  unsigned stepSeconds;     // how long one step may wait for the installer
};

// Starts the installer and runs `steps` in order. 1 when every step passed; 0 after the first
// that failed, whose reason has been printed, and the installer is ended.
int RunScenario(const SDriverOptions& options, const std::vector<SStep>& steps);

// Prints one line on standard output at once.
void Say(const std::string& line);

}  // namespace e2e

#endif  // CIRVANE_TESTS_E2E_DRIVER_H_
