// User-interface service: message boxes, modal dialogs over the program's templates, and icons.
#ifndef CIRVANE_PLATFORM_UI_H_
#define CIRVANE_PLATFORM_UI_H_

namespace platform {

class CDialog;

// What a message box with an OK button returns when it is closed.
constexpr int kMessageBoxOk = 1;

// Message box styles, with the system's values so that they pass through unchanged.
constexpr unsigned kBoxOk = 0x0;
constexpr unsigned kBoxIconExclamation = 0x30;
constexpr unsigned kBoxTopmost = 0x40000;
// The style of every box shown through the application.
constexpr unsigned kApplicationBoxStyle = kBoxOk | kBoxIconExclamation;

// What RunModalDialog returns when the dialog's window could not be made.
constexpr int kDialogFailed = -1;

// An icon of the program's resources, kept by the system until the program ends.
using IconHandle = const void*;

class CUi {
 public:
  virtual ~CUi() = default;
  // Shows `text` in an application message box (OK button only, exclamation icon, the
  // executable's base name as caption) and waits until it is closed; returns the box's result.
  virtual int ShowMessageBox(const char* text) = 0;
  // Runs `dialog` modally over its template, owned by the dialog this thread is running, if any.
  // Returns the result the dialog ended with, or kDialogFailed when no window could be made (the
  // answer of a service without windows).
  virtual int RunModalDialog(CDialog& dialog);
  // Icon `resourceId` of the program's resources; null when there is none.
  virtual IconHandle LoadIconResource(int resourceId);
};

// The user-interface service in use: the real one unless a test installed another.
CUi& UiService();
// Installs `ui` as the user-interface service; null puts the real one back. For tests.
void UseUi(CUi* ui);
// The real user-interface service of this target.
CUi& RealUi();

}  // namespace platform

#endif  // CIRVANE_PLATFORM_UI_H_
