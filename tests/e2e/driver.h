// Drives the installer the way a user would, from a second process on the same desktop: starts
// it, follows the scenario's steps (tests/e2e/scenario.h), and prints on standard output, one
// line each, what a user would see: the main dialog's heading and directory, every status text,
// every message box (caption and text), the overwrite question, the exit status; and, when
// asked to, photographs each dialog and box as it shows it.
#ifndef CIRVANE_TESTS_E2E_DRIVER_H_
#define CIRVANE_TESTS_E2E_DRIVER_H_

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "tests/e2e/installer_windows.h"
#include "tests/e2e/scenario.h"

namespace e2e {

struct SDriverOptions {
  std::string installer;    // the installer's path
  std::string picturesDir;  // where pictures go; "" for none
  unsigned stepSeconds;     // how long one step may wait for the installer
};

class CDriver {
 public:
  explicit CDriver(SDriverOptions options) : m_options(std::move(options)) {}
  ~CDriver();
  CDriver(const CDriver&) = delete;
  CDriver& operator=(const CDriver&) = delete;

  // Starts the installer and runs `steps` in order. 1 when every step passed; 0 after the first
  // that failed, whose reason has been printed, and the installer is ended.
  int Run(const std::vector<SStep>& steps);

 private:
  using Windows = std::vector<SInstallerWindow>;
  using Condition = std::function<bool(const Windows&)>;

  bool Start();
  bool RunStep(const SStep& step);
  bool Press(int id, const char* name);
  bool Accept();
  bool WaitForStates(const std::string& states);
  bool WriteDirectory(const std::string& text);
  bool TypeIntoLicence(const std::string& text);
  bool CancelFolderBrowser();
  bool ExpectBox(const std::string& text);
  bool AnswerOverwriteQuestion(StepKind answer);
  bool WaitForExit(int status);

  // Looks at the installer's windows once: notes the main dialog, prints a new status text and,
  // when `answerBoxes`, prints and answers every new message box.
  Windows Look(bool answerBoxes);
  // Looks until `done` holds; 0, with the reason printed, when the installer ends first or the
  // step's time runs out.
  bool WaitUntil(const char* what, const Condition& done, bool answerBoxes = true);
  // Prints the box and presses its OK button.
  void AnswerBox(HWND box);
  // The first message box not yet answered, or null.
  HWND NewBox(const Windows& windows) const;
  // Photographs `window` into picture `name`.bmp when pictures were asked for, once it has had
  // `settleMilliseconds` to paint.
  void TakePicture(HWND window, const std::string& name, DWORD settleMilliseconds);
  bool InstallerEnded() const;
  bool Fail(const std::string& reason);

  SDriverOptions m_options;
  PROCESS_INFORMATION m_process = {};
  HWND m_main = nullptr;
  std::string m_status;
  bool m_installingPictured = false;
  std::set<HWND> m_answered;
};

// Prints one line on standard output at once.
void Say(const std::string& line);

}  // namespace e2e

#endif  // CIRVANE_TESTS_E2E_DRIVER_H_
