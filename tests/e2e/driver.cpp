#include "tests/e2e/driver.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iterator>

#include "tests/e2e/screenshot.h"

namespace e2e {
namespace {

constexpr DWORD kLookMilliseconds = 25;
constexpr DWORD kPaintMilliseconds = 400;      // for a window that has just opened
constexpr DWORD kRepaintMilliseconds = 60;     // for a status line that has just changed
constexpr UINT kEndedByDriver = 99;            // exit status of an installer the driver ends
constexpr size_t kBoxNameWords = 5;            // words of a box's text in its picture's name
constexpr char kAcceptedStates[] = "1111111";  // licence accepted, idle

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

// "box-cirvane-iv-has-been-successfully" from the first words of a box's text.
std::string BoxPictureName(const std::string& text) {
  std::string name = "box";
  size_t words = 0;
  bool inWord = false;
  for (char c : text) {
    bool letter = std::isalnum(static_cast<unsigned char>(c)) != 0;
    if (letter && !inWord) {
      if (words++ == kBoxNameWords) break;
      name += '-';
    }
    if (letter) name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    inWord = letter;
  }
  return name;
}

bool Holds(const std::vector<SInstallerWindow>& windows, WindowKind kind) {
  return std::any_of(windows.begin(), windows.end(),
                     [kind](const SInstallerWindow& window) { return window.kind == kind; });
}

HWND Find(const std::vector<SInstallerWindow>& windows, WindowKind kind) {
  for (const SInstallerWindow& window : windows) {
    if (window.kind == kind) return window.handle;
  }
  return nullptr;
}

size_t CountLines(const std::string& text) {
  if (text.empty()) return 0;
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}

}  // namespace

void Say(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

CDriver::~CDriver() {
  if (m_process.hProcess) {
    if (!InstallerEnded()) TerminateProcess(m_process.hProcess, kEndedByDriver);
    CloseHandle(m_process.hProcess);
    CloseHandle(m_process.hThread);
  }
}

int CDriver::Run(const std::vector<SStep>& steps) {
  if (!Start()) return 0;
  for (const SStep& step : steps) {
    Say("step: " + std::string(StepName(step.kind)) +
        (step.argument.empty() ? "" : "=" + step.argument));
    if (!RunStep(step)) return 0;
  }
  return 1;
}

bool CDriver::Start() {
  std::string commandLine = '"' + m_options.installer + '"';
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &m_process)) {
    m_process = {};
    return Fail("could not start " + m_options.installer);
  }
  if (!WaitUntil("the main dialog", [](const Windows& w) { return Holds(w, WindowKind::kMain); })) {
    return false;
  }
  std::string licence = ReadItemText(m_main, kIdLicence);
  Say("main: heading \"" + ReadItemText(m_main, kIdHeading) + "\"");
  Say("main: directory \"" + ReadItemText(m_main, kIdInstallDir) + "\"");
  Say("main: licence " + std::to_string(licence.size()) + " bytes in " +
      std::to_string(CountLines(licence)) + " lines");
  Say("main: states " + ReadStates(m_main));
  TakePicture(m_main, "main", kPaintMilliseconds);
  return true;
}

bool CDriver::RunStep(const SStep& step) {
  switch (step.kind) {
    case StepKind::kStates:
      return WaitForStates(step.argument);
    case StepKind::kAccept:
      return Accept();
    case StepKind::kDecline:
      return Press(kIdDecline, "Decline");
    case StepKind::kInstall:
      return Press(kIdInstallNow, "Install Now");
    case StepKind::kCancel:
      return Press(IDCANCEL, "Cancel");
    case StepKind::kDirectory:
      return WriteDirectory(step.argument);
    case StepKind::kTypeLicence:
      return TypeIntoLicence(step.argument);
    case StepKind::kBrowseCancel:
      return CancelFolderBrowser();
    case StepKind::kBox:
      return ExpectBox(step.argument);
    case StepKind::kOverwrite:
    case StepKind::kUpdate:
    case StepKind::kKeep:
      return AnswerOverwriteQuestion(step.kind);
    case StepKind::kExit:
      return WaitForExit(step.number);
  }
  return Fail("unknown step");
}

bool CDriver::Press(int id, const char* name) {
  if (!m_main || !IsWindow(m_main)) return Fail(std::string("no main dialog to press ") + name);
  if (!IsItemEnabled(m_main, id)) return Fail(std::string(name) + " is disabled");
  PressButton(m_main, id);
  return true;
}

bool CDriver::Accept() {
  if (!Press(kIdAccept, "Accept")) return false;
  if (!WaitForStates(kAcceptedStates)) return false;
  TakePicture(m_main, "main-accepted", kPaintMilliseconds);
  return true;
}

bool CDriver::WaitForStates(const std::string& states) {
  bool reached = WaitUntil(("states " + states).c_str(), [this, &states](const Windows&) {
    return m_main && IsWindow(m_main) && ReadStates(m_main) == states;
  });
  if (!reached && m_main && IsWindow(m_main)) Say("states were " + ReadStates(m_main));
  if (reached) Say("states: " + states);
  return reached;
}

bool CDriver::WriteDirectory(const std::string& text) {
  if (!m_main || !IsItemEnabled(m_main, kIdInstallDir)) {
    return Fail("the directory box is not there to type into");
  }
  SetItemText(m_main, kIdInstallDir, text);
  std::string shown = ReadItemText(m_main, kIdInstallDir);
  if (shown != text) return Fail("the directory box shows \"" + shown + "\"");
  return true;
}

bool CDriver::TypeIntoLicence(const std::string& text) {
  if (!m_main || !IsItemEnabled(m_main, kIdLicence)) return Fail("no licence box to type into");
  std::string before = ReadItemText(m_main, kIdLicence);
  std::string directory = ReadItemText(m_main, kIdInstallDir);
  TypeInto(m_main, kIdLicence, text);
  if (ReadItemText(m_main, kIdLicence) != before) return Fail("typing changed the licence");
  Say("licence: unchanged after typing; directory box \"" + ReadItemText(m_main, kIdInstallDir) +
      "\" (was \"" + directory + "\")");
  return true;
}

bool CDriver::CancelFolderBrowser() {
  std::string directory = ReadItemText(m_main, kIdInstallDir);
  if (!Press(kIdBrowse, "Browse")) return false;
  if (!WaitUntil("the folder browser",
                 [](const Windows& w) { return Holds(w, WindowKind::kFolderBrowser); })) {
    return false;
  }
  HWND browser = Find(Look(false), WindowKind::kFolderBrowser);
  Say("folder browser: \"" + ReadText(browser) + "\"");
  TakePicture(browser, "folder-browser", kPaintMilliseconds);
  PressButton(browser, IDCANCEL);
  if (!WaitUntil("the folder browser to close",
                 [](const Windows& w) { return !Holds(w, WindowKind::kFolderBrowser); })) {
    return false;
  }
  // The handler writes the directory back once the browser has returned.
  return WaitUntil("the directory box to keep its text", [this, &directory](const Windows&) {
    return ReadItemText(m_main, kIdInstallDir) == directory;
  });
}

bool CDriver::ExpectBox(const std::string& text) {
  HWND box = nullptr;
  if (!WaitUntil(
          "a message box", [this, &box](const Windows& w) { return (box = NewBox(w)) != nullptr; },
          false)) {
    return false;
  }
  std::string shown = OneLine(ReadItemText(box, kIdBoxText));
  AnswerBox(box);
  if (shown != text) return Fail("expected the box \"" + text + "\"");
  return true;
}

bool CDriver::AnswerOverwriteQuestion(StepKind answer) {
  if (!WaitUntil("the overwrite question",
                 [](const Windows& w) { return Holds(w, WindowKind::kOverwrite); })) {
    return false;
  }
  HWND question = Find(Look(true), WindowKind::kOverwrite);
  Say("overwrite question: \"" + ReadText(question) + "\", Overwrite " +
      (IsItemChecked(question, kIdOverwrite) ? "checked" : "not checked") + ", Update " +
      (IsItemChecked(question, kIdUpdate) ? "checked" : "not checked"));
  TakePicture(question, "overwrite", kPaintMilliseconds);
  if (answer == StepKind::kUpdate) {
    ClickRadio(question, kIdUpdate);
    if (!IsItemChecked(question, kIdUpdate) || IsItemChecked(question, kIdOverwrite)) {
      return Fail("clicking Update did not check it alone");
    }
  }
  PressButton(question, answer == StepKind::kKeep ? IDCANCEL : IDOK);
  return WaitUntil("the overwrite question to close",
                   [](const Windows& w) { return !Holds(w, WindowKind::kOverwrite); });
}

bool CDriver::WaitForExit(int status) {
  DWORD deadline = GetTickCount() + m_options.stepSeconds * 1000;
  while (!InstallerEnded()) {
    Look(true);
    if (static_cast<LONG>(GetTickCount() - deadline) > 0) {
      return Fail("the installer did not end");
    }
    Sleep(kLookMilliseconds);
  }
  DWORD code = 0;
  GetExitCodeProcess(m_process.hProcess, &code);
  Say("exit: " + std::to_string(static_cast<int>(code)));
  if (static_cast<int>(code) != status) {
    return Fail("expected exit status " + std::to_string(status));
  }
  return true;
}

CDriver::Windows CDriver::Look(bool answerBoxes) {
  // Forgets the boxes that have closed before it looks, so that a box closing while it looks
  // is still known as answered.
  for (auto it = m_answered.begin(); it != m_answered.end();) {
    it = IsWindow(*it) ? std::next(it) : m_answered.erase(it);
  }
  Windows windows = FindInstallerWindows(m_process.dwProcessId);
  if (HWND main = Find(windows, WindowKind::kMain)) m_main = main;
  if (m_main && IsWindow(m_main)) {
    std::string status = Trimmed(ReadItemText(m_main, kIdStatus));
    if (status != m_status) {
      m_status = status;
      if (!status.empty()) Say("status: " + OneLine(status));
      if (!status.empty() && !m_installingPictured) {
        m_installingPictured = true;
        TakePicture(m_main, "main-installing", kRepaintMilliseconds);
      }
    }
  }
  if (answerBoxes) {
    while (HWND box = NewBox(windows)) AnswerBox(box);
  }
  return windows;
}

bool CDriver::WaitUntil(const char* what, const Condition& done, bool answerBoxes) {
  DWORD deadline = GetTickCount() + m_options.stepSeconds * 1000;
  for (;;) {
    if (done(Look(answerBoxes))) return true;
    if (InstallerEnded()) {
      DWORD code = 0;
      GetExitCodeProcess(m_process.hProcess, &code);
      return Fail(std::string("the installer ended (status ") +
                  std::to_string(static_cast<int>(code)) + ") while waiting for " + what);
    }
    if (static_cast<LONG>(GetTickCount() - deadline) > 0) {
      return Fail(std::string("timed out waiting for ") + what);
    }
    Sleep(kLookMilliseconds);
  }
}

void CDriver::AnswerBox(HWND box) {
  m_answered.insert(box);
  std::string text = ReadItemText(box, kIdBoxText);
  Say("box: [" + ReadText(box) + "] " + OneLine(text));
  TakePicture(box, BoxPictureName(text), kPaintMilliseconds);
  PressButton(box, IDOK);
}

HWND CDriver::NewBox(const Windows& windows) const {
  for (const SInstallerWindow& window : windows) {
    if (window.kind == WindowKind::kMessageBox && !m_answered.count(window.handle)) {
      return window.handle;
    }
  }
  return nullptr;
}

void CDriver::TakePicture(HWND window, const std::string& name, DWORD settleMilliseconds) {
  if (m_options.picturesDir.empty()) return;
  Sleep(settleMilliseconds);
  std::string path = m_options.picturesDir + "\\" + name + ".bmp";
  const char* failure = SaveWindowPicture(window, path);
  Say(failure ? "picture " + name + " failed: " + failure : "picture: " + path);
}

bool CDriver::InstallerEnded() const {
  return m_process.hProcess && WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0;
}

bool CDriver::Fail(const std::string& reason) {
  Say("FAILED: " + reason);
  return false;
}

}  // namespace e2e
