// Message boxes on Windows.
#include <windows.h>

#include <string>

#include "platform/ui.h"

namespace platform {
namespace {

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
  int ShowMessageBox(const char* text) override {
    std::string caption = ExecutableBaseName();
    return MessageBoxA(nullptr, text, caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
  }
};

}  // namespace

CUi& RealUi() {
  static CWin32Ui ui;
  return ui;
}

}  // namespace platform
