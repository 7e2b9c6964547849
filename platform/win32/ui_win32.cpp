// Message boxes, modal dialogs and icons on Windows.
#include <windows.h>

#include <string>

#include "platform/ui.h"
#include "platform/win32/dialog_win32.h"

namespace platform {
namespace {

static_assert(kBoxOk == MB_OK && kBoxIconExclamation == MB_ICONEXCLAMATION &&
                  kBoxTopmost == MB_TOPMOST,
              "box styles pass through unchanged");
static_assert(kIdOk == IDOK && kIdCancel == IDCANCEL && kEditChange == EN_CHANGE &&
                  kButtonClicked == BN_CLICKED,
              "command ids and notifications pass through unchanged");

// The executable's file name without its directory and extension.
std::string ExecutableBaseName() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH - 1);
  std::string name(path);
  size_t slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

class CWin32Ui : public CUi {
 public:
  // Owned by the dialog this thread shows, so that the dialog waits for the box; boxes of other
  // threads (the install worker) have no owner.
  int ShowMessageBox(const char* text) override {
    std::string caption = ExecutableBaseName();
    return MessageBoxA(ActiveDialogWindow(), text, caption.c_str(), kApplicationBoxStyle);
  }

  int RunModalDialog(CDialog& dialog) override { return RunWin32Dialog(dialog); }

  IconHandle LoadIconResource(int resourceId) override {
    return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId));
  }
};

}  // namespace

CUi& RealUi() {
  static CWin32Ui ui;
  return ui;
}

}  // namespace platform
