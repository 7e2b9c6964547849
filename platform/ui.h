// User-interface service: for now the application's message box.
#ifndef CIRVANE_PLATFORM_UI_H_
#define CIRVANE_PLATFORM_UI_H_

namespace platform {

// What a message box with an OK button returns when it is closed.
constexpr int kMessageBoxOk = 1;

class CUi {
 public:
  virtual ~CUi() = default;
  // Shows `text` in an application message box (OK button only, exclamation icon, the
  // executable's base name as caption) and waits until it is closed; returns the box's result.
  virtual int ShowMessageBox(const char* text) = 0;
};

// The user-interface service in use: the real one unless a test installed another.
CUi& UiService();
// Installs `ui` as the user-interface service; null puts the real one back. For tests.
void UseUi(CUi* ui);
// The real user-interface service of this target.
CUi& RealUi();

}  // namespace platform

#endif  // CIRVANE_PLATFORM_UI_H_
