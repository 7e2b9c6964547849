// The folder browser on Windows: the shell's SHBrowseForFolderA.
#include <windows.h>
// Needs the definitions of windows.h first.
#include <objbase.h>
#include <shlobj.h>

#include "platform/folder_browser.h"
#include "platform/win32/com_scope.h"

namespace platform {
namespace {

static_assert(kBrowserInitialized == BFFM_INITIALIZED &&
                  kBrowserSelectionChanged == BFFM_SELCHANGED &&
                  kBrowseShowStatusText == BIF_STATUSTEXT && kDisplayNameSize == MAX_PATH,
              "browser messages, flags and sizes pass through unchanged");

// One object for the whole browse: the callback may keep it, and it must survive the nested
// callbacks that the browser makes while it handles a message of the callback (selecting a
// folder reports the new selection before the selection call returns).
class CWin32BrowserWindow : public CBrowserWindow {
 public:
  void Attach(HWND window) { m_window = window; }

  void SetSelection(const char* path) override {
    SendMessageA(m_window, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path));
  }

  void SetStatusText(const char* text) override {
    SendMessageA(m_window, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(text));
  }

 private:
  HWND m_window = nullptr;
};

// What the shell's callback hands on to the request's.
struct SBrowseRun {
  const SBrowseRequest& request;
  CWin32BrowserWindow window;
};

int CALLBACK BrowseProcedure(HWND window, UINT message, LPARAM parameter, LPARAM data) {
  SBrowseRun* run = reinterpret_cast<SBrowseRun*>(data);
  if (!run || !run->request.callback) return 0;
  run->window.Attach(window);
  return run->request.callback(&run->window, static_cast<int>(message),
                               reinterpret_cast<ShellItem>(parameter), run->request.data);
}

class CWin32FolderBrowser : public CFolderBrowser {
 public:
  ShellItem BrowseForFolder(const SBrowseRequest& request) override {
    CComScope com;
    SBrowseRun run{request, {}};
    BROWSEINFOA info = {};
    info.hwndOwner = static_cast<HWND>(const_cast<void*>(request.owner));
    info.pidlRoot = static_cast<PCIDLIST_ABSOLUTE>(request.root);
    info.pszDisplayName = request.displayName;
    info.lpszTitle = request.title;
    info.ulFlags = request.flags;
    info.lpfn = BrowseProcedure;
    info.lParam = reinterpret_cast<LPARAM>(&run);
    info.iImage = 0;
    return SHBrowseForFolderA(&info);
  }

  std::optional<std::string> GetPathFromItem(ShellItem item) override {
    char path[MAX_PATH] = {};
    if (!item || !SHGetPathFromIDListA(static_cast<PCIDLIST_ABSOLUTE>(item), path)) {
      return std::nullopt;
    }
    return std::string(path);
  }

  void FreeItem(ShellItem item) override {
    IMalloc* allocator = nullptr;
    if (!item || FAILED(SHGetMalloc(&allocator)) || !allocator) return;
    allocator->Free(const_cast<void*>(item));
    allocator->Release();
  }
};

}  // namespace

CFolderBrowser& RealFolderBrowser() {
  static CWin32FolderBrowser browser;
  return browser;
}

}  // namespace platform
