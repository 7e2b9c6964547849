// The steps of a scenario as the driver's command line gives them, one argument per step:
// "name" or "name=argument".
//
//   states=XXXXXXX  wait until the main dialog's controls 1005 1001 1007 1002 1003 1004 2 are
//                   enabled (1) and disabled (0) so
//   accept, install, cancel
//                   press Accept, Install Now or Cancel; the button must be enabled
//   dir=PATH        write PATH into the directory box
//   type-licence=TEXT
//                   type TEXT into the licence box; it must come back unchanged
//   browse-cancel   open the folder browser and cancel it; the directory box keeps its text
//   box=TEXT        wait for a message box whose text is TEXT (line ends written \r and \n) and
//                   answer it OK
//   update, keep    wait for the overwrite question and choose Update, or cancel it
//   exit=N          wait for the installer to end, answering every box OK; its exit status
//                   must be N
#ifndef CIRVANE_TESTS_E2E_SCENARIO_H_
#define CIRVANE_TESTS_E2E_SCENARIO_H_

#include <optional>
#include <string>
#include <string_view>

namespace e2e {

struct SStep {
  std::string text;      // as the command line gives it
  std::string name;      // before the "="
  std::string argument;  // "" for steps without one
  int number = 0;        // the exit status of exit=N
};

// Reads one step. Null for an unknown name, a missing or unexpected argument, a states text that
// is not seven 0s and 1s, or an exit status that is not a number.
std::optional<SStep> ParseStep(std::string_view text);

}  // namespace e2e

#endif  // CIRVANE_TESTS_E2E_SCENARIO_H_
