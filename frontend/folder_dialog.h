// The folder browser of the main dialog's "Browse" button: opens the shell's browser on the
// current directory, shows the selected folder's path (shortened) in the browser's status line
// while the user moves through the tree, and hands back the chosen file-system folder.
#ifndef CIRVANE_FRONTEND_FOLDER_DIALOG_H_
#define CIRVANE_FRONTEND_FOLDER_DIALOG_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/folder_browser.h"

// Longest text the browser's status line shows whole; longer ones are cut to this many
// characters followed by kStatusEllipsis.
constexpr size_t kStatusTextLimit = 35;
constexpr char kStatusEllipsis[] = "...";

// `text` when it has at most kStatusTextLimit characters; otherwise its first kStatusTextLimit
// characters and "...". The cut ignores path separators: the end of a path is what is lost.
std::string ShortenForStatus(std::string_view text);

class CFolderDialog {
 public:
  // `initialPath` is the folder to preselect (null: none); `flags` are added to the status-line
  // flag of the request; `owner` owns the browser (null: none).
  CFolderDialog(const char* initialPath, unsigned flags, platform::OwnerWindow owner);
  virtual ~CFolderDialog() = default;
  CFolderDialog(const CFolderDialog&) = delete;
  CFolderDialog& operator=(const CFolderDialog&) = delete;

  // Runs the browser: 1 (IDOK) when a folder with a file-system path was chosen, 2 (IDCANCEL)
  // after a cancel or a choice without such a path.
  virtual int DoModal();
  // The chosen folder; meaningful after DoModal returned 1.
  std::string GetSelectedPath() const { return m_selectedPath; }

  // The browser's callback: passes the window, message and item on to OnBrowseCallback of the
  // CFolderDialog in `data`; returns 0.
  static int BrowseCallbackProc(platform::CBrowserWindow* window, int message,
                                platform::ShellItem item, void* data);

 protected:
  // The browser opened: preselects the initial folder and shows it in the status line.
  virtual void OnInitialized();
  // The selection moved to `item`: it becomes the selected path, shown in the status line.
  virtual void OnSelChanged(platform::ShellItem item);
  virtual void OnBrowseCallback(platform::CBrowserWindow* window, int message,
                                platform::ShellItem item);

 private:
  platform::SBrowseRequest m_bi;
  std::string m_initialPath;
  std::string m_selectedPath;
  char m_displayName[platform::kDisplayNameSize];
  // The open browser; valid only during a callback.
  platform::CBrowserWindow* m_hDlg = nullptr;
};

#endif  // CIRVANE_FRONTEND_FOLDER_DIALOG_H_
