// The installer's windows as another process sees them: its dialogs and message boxes found
// among the top-level windows, their controls read, buttons pressed the way a user would, and
// pictures taken of them.
//
// Everything goes through messages to a window of another process. Reading uses WM_GETTEXT with
// a time limit, so a hung installer cannot hang the driver; pressing posts WM_COMMAND, because
// the installer's handlers open modal dialogs and boxes and a sent message would wait for them.
#ifndef CIRVANE_TESTS_E2E_INSTALLER_WINDOWS_H_
#define CIRVANE_TESTS_E2E_INSTALLER_WINDOWS_H_

#include <windows.h>

#include <string>
#include <vector>

#include "frontend/resource.h"

namespace e2e {

// The text of a system message box; the installer's controls keep their ids of the resource
// script.
constexpr int kIdBoxText = 0xFFFF;

// The main dialog's controls whose enabled state a scenario checks, in the order of a states
// text such as "0000111" (licence not accepted).
constexpr int kStateControls[] = {IDC_DIR_LABEL, IDC_INSTALL_DIR, IDC_INSTALL_NOW, IDC_BROWSE,
                                  IDC_ACCEPT,    IDC_DECLINE,     IDCANCEL};

enum class WindowKind { kMain, kOverwrite, kQuit, kFolderBrowser, kMessageBox };

struct SInstallerWindow {
  HWND handle;
  WindowKind kind;
};

// Every visible top-level dialog window (class #32770) of process `processId`, classified by
// its controls: the main dialog holds Install Now, the overwrite question its radio buttons,
// the folder browser a tree view; the quit question carries the installer's caption; any other
// is a message box.
std::vector<SInstallerWindow> FindInstallerWindows(DWORD processId);

// The text of `window` (a dialog's caption or a control's text); "" when it does not answer.
std::string ReadText(HWND window);
std::string ReadItemText(HWND dialog, int id);
// 1 when control `id` exists and is enabled.
int IsItemEnabled(HWND dialog, int id);
// The enabled states of kStateControls as '1' and '0', e.g. "1111111".
std::string ReadStates(HWND mainDialog);
// 1 when the radio button or check box `id` is checked.
int IsItemChecked(HWND dialog, int id);

// Posts the click of button `id` to `dialog`, as a click on the button notifies its dialog.
void PressButton(HWND dialog, int id);
// Replaces the text of edit `id`, as typing would; the dialog hears EN_CHANGE.
void SetItemText(HWND dialog, int id, const std::string& text);
// Types `text` into edit `id` one character at a time; each character is handled (and the
// dialog has heard EN_CHANGE) when the call returns.
void TypeInto(HWND dialog, int id, const std::string& text);
// Clicks radio button `id` with the mouse's message, so the button checks itself and unchecks
// the rest of its group.
void ClickRadio(HWND dialog, int id);

// Copies the screen's pixels under `window` (frame and caption included) into `path` as an
// uncompressed 24-bit BMP. Null when written, or a message naming what failed.
const char* SaveWindowPicture(HWND window, const std::string& path);

// Writes `text` on one line: CR and LF as \r and \n.
std::string OneLine(const std::string& text);

}  // namespace e2e

#endif  // CIRVANE_TESTS_E2E_INSTALLER_WINDOWS_H_
