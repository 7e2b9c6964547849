// e2e_driver: drives the installer under Wine for the end-to-end tests and `make run`.
//
//   e2e_driver [--pictures DIR] INSTALLER STEP...
//
// Starts INSTALLER the way a user would, from a second process on the same desktop, follows the
// STEPs (tests/e2e/scenario.h), and prints on standard output, one line each, what a user would
// see: the main dialog's heading and directory, every status text, every message box (caption and
// text), the overwrite question, the exit status. With --pictures, saves a BMP of each dialog and
// box as it shows it into DIR. Exit status: 0 when every step passed, 1 when one failed, 2 for a
// usage error.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/installer_windows.h"
#include "tests/e2e/scenario.h"

namespace e2e {
namespace {

constexpr DWORD kLookMilliseconds = 25;
constexpr DWORD kPaintMilliseconds = 400;      // for a window that has just opened
constexpr DWORD kRepaintMilliseconds = 60;     // for a status line that has just changed
constexpr UINT kEndedByDriver = 99;            // exit status of an installer the driver ends
constexpr size_t kBoxNameWords = 5;            // words of a box's text in its picture's name
constexpr char kAcceptedStates[] = "1111111";  // licence accepted, idle
constexpr DWORD kStepMilliseconds = 30000;     // how long one step may wait for the installer
constexpr int kFailedExitStatus = 1;
constexpr int kUsageExitStatus = 2;

struct SDriverOptions {
  std::string installer;    // the installer's path
  std::string picturesDir;  // where pictures go; "" for none
};

using Windows = std::vector<SInstallerWindow>;
using Condition = std::function<bool(const Windows&)>;

// Prints one line on standard output at once.
void Say(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// "box-cirvane-iv-has-been-successfully" from the first words of a box's text.
std::string BoxPictureName(std::string text) {
  for (char& c : text) {
    unsigned char letter = static_cast<unsigned char>(c);
    c = std::isalnum(letter) ? static_cast<char>(std::tolower(letter)) : ' ';
  }
  std::istringstream words(text);
  std::string name = "box";
  std::string word;
  for (size_t count = 0; count < kBoxNameWords && words >> word; ++count) name += '-' + word;
  return name;
}

HWND Find(const Windows& windows, WindowKind kind) {
  for (const SInstallerWindow& window : windows) {
    if (window.kind == kind) return window.handle;
  }
  return nullptr;
}

// Holds while a window of `kind` is shown, or with `shown` false, once none is.
Condition Showing(WindowKind kind, bool shown = true) {
  return [kind, shown](const Windows& windows) { return !!Find(windows, kind) == shown; };
}

class CDriver {
 public:
  explicit CDriver(const SDriverOptions& options) : m_options(options) {}
  ~CDriver() {
    if (m_process.hProcess) {
      if (!InstallerEnded()) TerminateProcess(m_process.hProcess, kEndedByDriver);
      CloseHandle(m_process.hProcess);
      CloseHandle(m_process.hThread);
    }
  }
  CDriver(const CDriver&) = delete;
  CDriver& operator=(const CDriver&) = delete;

  // Starts the installer and runs `steps` in order. 1 when every step passed; 0 after the first
  // that failed, whose reason has been printed, and the installer is ended.
  int Run(const std::vector<SStep>& steps) {
    if (!Start()) return 0;
    for (const SStep& step : steps) {
      Say("step: " + step.text);
      if (!RunStep(step)) return 0;
    }
    return 1;
  }

 private:
  bool Start() {
    std::string commandLine = '"' + m_options.installer + '"';
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &m_process)) {
      m_process = {};
      return Fail("could not start " + m_options.installer);
    }
    if (!WaitUntil("the main dialog", Showing(WindowKind::kMain))) return false;
    std::string licence = ReadItemText(m_main, IDC_LICENCE);
    Say("main: heading \"" + ReadItemText(m_main, IDC_HEADING) + "\"");
    Say("main: directory \"" + ReadItemText(m_main, IDC_INSTALL_DIR) + "\"");
    Say("main: licence " + std::to_string(licence.size()) + " bytes in " +
        std::to_string(std::count(licence.begin(), licence.end(), '\n') + 1) + " lines");
    Say("main: states " + ReadStates(m_main));
    TakePicture(m_main, "main", kPaintMilliseconds);
    return true;
  }

  bool RunStep(const SStep& step) {
    const std::string& name = step.name;
    if (name == "states") return WaitForStates(step.argument);
    if (name == "accept") return Accept();
    if (name == "install") return Press(IDC_INSTALL_NOW, "Install Now");
    if (name == "cancel") return Press(IDCANCEL, "Cancel");
    if (name == "dir") return WriteDirectory(step.argument);
    if (name == "type-licence") return TypeIntoLicence(step.argument);
    if (name == "browse-cancel") return CancelFolderBrowser();
    if (name == "box") return ExpectBox(step.argument);
    if (name == "update" || name == "keep") return AnswerOverwriteQuestion(name == "update");
    if (name == "exit") return WaitForExit(step.number);
    return Fail("unknown step");
  }

  bool Press(int id, const char* name) {
    if (!m_main || !IsWindow(m_main)) return Fail(std::string("no main dialog to press ") + name);
    if (!IsItemEnabled(m_main, id)) return Fail(std::string(name) + " is disabled");
    PressButton(m_main, id);
    return true;
  }

  bool Accept() {
    if (!Press(IDC_ACCEPT, "Accept") || !WaitForStates(kAcceptedStates)) return false;
    TakePicture(m_main, "main-accepted", kPaintMilliseconds);
    return true;
  }

  bool WaitForStates(const std::string& states) {
    bool reached = WaitUntil(("states " + states).c_str(), [this, &states](const Windows&) {
      return m_main && IsWindow(m_main) && ReadStates(m_main) == states;
    });
    if (!reached && m_main && IsWindow(m_main)) Say("states were " + ReadStates(m_main));
    if (reached) Say("states: " + states);
    return reached;
  }

  bool WriteDirectory(const std::string& text) {
    if (!m_main || !IsItemEnabled(m_main, IDC_INSTALL_DIR)) {
      return Fail("the directory box is not there to type into");
    }
    SetItemText(m_main, IDC_INSTALL_DIR, text);
    std::string shown = ReadItemText(m_main, IDC_INSTALL_DIR);
    if (shown != text) return Fail("the directory box shows \"" + shown + "\"");
    return true;
  }

  bool TypeIntoLicence(const std::string& text) {
    if (!m_main || !IsItemEnabled(m_main, IDC_LICENCE)) return Fail("no licence box to type into");
    std::string before = ReadItemText(m_main, IDC_LICENCE);
    std::string directory = ReadItemText(m_main, IDC_INSTALL_DIR);
    TypeInto(m_main, IDC_LICENCE, text);
    if (ReadItemText(m_main, IDC_LICENCE) != before) return Fail("typing changed the licence");
    Say("licence: unchanged after typing; directory box \"" +
        ReadItemText(m_main, IDC_INSTALL_DIR) + "\" (was \"" + directory + "\")");
    return true;
  }

  bool CancelFolderBrowser() {
    std::string directory = ReadItemText(m_main, IDC_INSTALL_DIR);
    if (!Press(IDC_BROWSE, "Browse") ||
        !WaitUntil("the folder browser", Showing(WindowKind::kFolderBrowser))) {
      return false;
    }
    HWND browser = Find(Look(false), WindowKind::kFolderBrowser);
    m_answered.insert(browser);  // never a box, not even while it is torn down
    Say("folder browser: \"" + ReadText(browser) + "\"");
    TakePicture(browser, "folder-browser", kPaintMilliseconds);
    PressButton(browser, IDCANCEL);
    if (!WaitUntil("the folder browser to close", Showing(WindowKind::kFolderBrowser, false))) {
      return false;
    }
    // The handler writes the directory back once the browser has returned.
    return WaitUntil("the directory box to keep its text", [this, &directory](const Windows&) {
      return ReadItemText(m_main, IDC_INSTALL_DIR) == directory;
    });
  }

  bool ExpectBox(const std::string& text) {
    HWND box = nullptr;
    if (!WaitUntil(
            "a message box", [this, &box](const Windows& w) { return !!(box = NewBox(w)); },
            false)) {
      return false;
    }
    std::string shown = OneLine(ReadItemText(box, kIdBoxText));
    AnswerBox(box);
    if (shown != text) return Fail("expected the box \"" + text + "\"");
    return true;
  }

  // Chooses Update and OK, or cancels the question.
  bool AnswerOverwriteQuestion(bool update) {
    if (!WaitUntil("the overwrite question", Showing(WindowKind::kOverwrite))) return false;
    HWND question = Find(Look(true), WindowKind::kOverwrite);
    m_answered.insert(question);  // never a box, not even while it is torn down
    Say("overwrite question: \"" + ReadText(question) + "\", Overwrite " +
        (IsItemChecked(question, IDC_OVERWRITE) ? "checked" : "not checked") + ", Update " +
        (IsItemChecked(question, IDC_UPDATE) ? "checked" : "not checked"));
    TakePicture(question, "overwrite", kPaintMilliseconds);
    if (update) {
      ClickRadio(question, IDC_UPDATE);
      if (!IsItemChecked(question, IDC_UPDATE) || IsItemChecked(question, IDC_OVERWRITE)) {
        return Fail("clicking Update did not check it alone");
      }
    }
    PressButton(question, update ? IDOK : IDCANCEL);
    return WaitUntil("the overwrite question to close", Showing(WindowKind::kOverwrite, false));
  }

  bool WaitForExit(int status) {
    if (!WaitUntil("the installer to end", [this](const Windows&) { return InstallerEnded(); })) {
      return false;
    }
    Say("exit: " + std::to_string(ExitStatus()));
    if (ExitStatus() != status) return Fail("expected exit status " + std::to_string(status));
    return true;
  }

  // Looks at the installer's windows once: notes the main dialog, prints a new status text and,
  // when `answerBoxes`, prints and answers every new message box.
  Windows Look(bool answerBoxes) {
    // Forgets the boxes that have closed before it looks, so that a box closing while it looks
    // is still known as answered.
    for (auto it = m_answered.begin(); it != m_answered.end();) {
      it = IsWindow(*it) ? std::next(it) : m_answered.erase(it);
    }
    Windows windows = FindInstallerWindows(m_process.dwProcessId);
    if (HWND main = Find(windows, WindowKind::kMain)) m_main = main;
    if (m_main && IsWindow(m_main)) {
      std::string status = ReadItemText(m_main, IDC_STATUS);
      status.erase(status.find_last_not_of("\r\n") + 1);
      if (status != m_status && !status.empty()) {
        Say("status: " + OneLine(status));
        if (!m_installingPictured) TakePicture(m_main, "main-installing", kRepaintMilliseconds);
        m_installingPictured = true;
      }
      m_status = status;
    }
    if (answerBoxes) {
      while (HWND box = NewBox(windows)) AnswerBox(box);
    }
    return windows;
  }

  // Looks until `done` holds; 0, with the reason printed, when the installer ends first or the
  // step's time runs out.
  bool WaitUntil(const char* what, const Condition& done, bool answerBoxes = true) {
    DWORD deadline = GetTickCount() + kStepMilliseconds;
    for (;;) {
      // Whether the installer had ended before the look, so that an end between the look and
      // this test cannot pass for an end before what `done` waits for.
      bool ended = InstallerEnded();
      if (done(Look(answerBoxes))) return true;
      if (ended) {
        return Fail(std::string("the installer ended (status ") + std::to_string(ExitStatus()) +
                    ") while waiting for " + what);
      }
      if (static_cast<LONG>(GetTickCount() - deadline) > 0) {
        return Fail(std::string("timed out waiting for ") + what);
      }
      Sleep(kLookMilliseconds);
    }
  }

  // Prints the box and presses its OK button.
  void AnswerBox(HWND box) {
    m_answered.insert(box);
    std::string text = ReadItemText(box, kIdBoxText);
    Say("box: [" + ReadText(box) + "] " + OneLine(text));
    TakePicture(box, BoxPictureName(text), kPaintMilliseconds);
    PressButton(box, IDOK);
  }

  // The first message box not yet answered, or null.
  HWND NewBox(const Windows& windows) const {
    for (const SInstallerWindow& window : windows) {
      if (window.kind == WindowKind::kMessageBox && !m_answered.count(window.handle)) {
        return window.handle;
      }
    }
    return nullptr;
  }

  // Photographs `window` into picture `name`.bmp when pictures were asked for, once it has had
  // `settleMilliseconds` to paint.
  void TakePicture(HWND window, const std::string& name, DWORD settleMilliseconds) {
    if (m_options.picturesDir.empty()) return;
    Sleep(settleMilliseconds);
    std::string path = m_options.picturesDir + "\\" + name + ".bmp";
    const char* failure = SaveWindowPicture(window, path);
    Say(failure ? "picture " + name + " failed: " + failure : "picture: " + path);
  }

  bool InstallerEnded() const {
    return m_process.hProcess && WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0;
  }

  int ExitStatus() const {
    DWORD code = 0;
    GetExitCodeProcess(m_process.hProcess, &code);
    return static_cast<int>(code);
  }

  bool Fail(const std::string& reason) {
    Say("FAILED: " + reason);
    return false;
  }

  const SDriverOptions m_options;
  PROCESS_INFORMATION m_process = {};
  HWND m_main = nullptr;
  std::string m_status;
  bool m_installingPictured = false;
  // The boxes answered, and the dialogs answered by their own steps: a dialog whose controls go
  // before it does would look like a box while it closes.
  std::set<HWND> m_answered;
};

int Usage() {
  Say("usage: e2e_driver [--pictures DIR] INSTALLER STEP...");
  return kUsageExitStatus;
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
  e2e::SDriverOptions options;
  int next = 1;
  if (argc > 2 && std::strcmp(argv[1], "--pictures") == 0) {
    options.picturesDir = argv[2];
    next = 3;
  }
  if (next >= argc) return e2e::Usage();
  options.installer = argv[next++];

  std::vector<e2e::SStep> steps;
  for (; next < argc; ++next) {
    std::optional<e2e::SStep> step = e2e::ParseStep(argv[next]);
    if (!step) {
      e2e::Say(std::string("unknown step: ") + argv[next]);
      return e2e::Usage();
    }
    steps.push_back(*step);
  }
  e2e::CDriver driver(options);
  return driver.Run(steps) ? 0 : e2e::kFailedExitStatus;
}
