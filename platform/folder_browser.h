// Folder browser service: the shell's dialog for choosing a folder, with a callback that hears
// when the browser has opened and when its selection moves, and that can move the selection and
// write the browser's status line.
//
// On Windows this is the shell's folder browser over its namespace (items are item id lists,
// released through the shell's allocator). On POSIX there is no such browser: it reports a
// cancel at once, so callers keep the folder they had.
#ifndef CIRVANE_PLATFORM_FOLDER_BROWSER_H_
#define CIRVANE_PLATFORM_FOLDER_BROWSER_H_

#include <cstddef>
#include <optional>
#include <string>

namespace platform {

// Messages the callback hears, with the system's values.
constexpr int kBrowserInitialized = 1;       // the browser is open
constexpr int kBrowserSelectionChanged = 2;  // the selection moved to the message's item

// Request flag: the browser shows a status line (the system's value).
constexpr unsigned kBrowseShowStatusText = 0x4;

// Size of the buffer that receives the chosen folder's display name, its NUL included.
constexpr size_t kDisplayNameSize = 260;

// An item of the shell's namespace; null for none.
using ShellItem = const void*;
// A window that owns the browser; null for none.
using OwnerWindow = const void*;

// The open browser, as its callback addresses it; one object for the whole browse. Moving the
// selection reports the new selection to the callback before the call returns, as the shell's
// browser does.
class CBrowserWindow {
 public:
  virtual ~CBrowserWindow() = default;
  // Selects the folder `path`; the selection stays where it is when there is no such folder.
  virtual void SetSelection(const char* path) = 0;
  // Writes `text` into the browser's status line.
  virtual void SetStatusText(const char* text) = 0;
};

// Called on the browsing thread while the browser runs, with the request's `data`; returns 0.
using BrowseCallback = int (*)(CBrowserWindow* window, int message, ShellItem item, void* data);

// What the browser is asked to do.
struct SBrowseRequest {
  OwnerWindow owner;  // null: the browser has no owner
  ShellItem root;     // null: the whole namespace, from the desktop down
  char* displayName;  // kDisplayNameSize bytes for the chosen folder's display name, or null
  const char* title;  // the line above the tree
  unsigned flags;     // kBrowseShowStatusText and the system's other flags
  BrowseCallback callback;
  void* data;
};

class CFolderBrowser {
 public:
  virtual ~CFolderBrowser() = default;
  // Runs the browser modally. The chosen item, to be released with FreeItem, or null when the
  // user cancelled or closed it.
  virtual ShellItem BrowseForFolder(const SBrowseRequest& request) = 0;
  // The file-system path of `item` (the logic's backslash form); nothing when the item has none,
  // as virtual folders such as the computer or the network have not.
  virtual std::optional<std::string> GetPathFromItem(ShellItem item) = 0;
  // Releases an item that BrowseForFolder returned.
  virtual void FreeItem(ShellItem item) = 0;
};

// The folder browser in use: the real one unless a test installed another.
CFolderBrowser& FolderBrowserService();
// Installs `browser` as the folder browser; null puts the real one back. For tests.
void UseFolderBrowser(CFolderBrowser* browser);
// The real folder browser of this target.
CFolderBrowser& RealFolderBrowser();

}  // namespace platform

#endif  // CIRVANE_PLATFORM_FOLDER_BROWSER_H_
