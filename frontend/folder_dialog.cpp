#include "frontend/folder_dialog.h"

#include <optional>

#include "platform/dialog.h"

namespace {

constexpr char kBrowseTitle[] = "Select the directory to install Cirvane IV";

}  // namespace

std::string ShortenForStatus(std::string_view text) {
  if (text.size() <= kStatusTextLimit) return std::string(text);
  return std::string(text.substr(0, kStatusTextLimit)) + kStatusEllipsis;
}

CFolderDialog::CFolderDialog(const char* initialPath, unsigned flags, platform::OwnerWindow owner)
    : m_bi(), m_initialPath(initialPath ? initialPath : ""), m_displayName() {
  m_bi.owner = owner;
  m_bi.root = nullptr;
  m_bi.displayName = m_displayName;
  m_bi.title = kBrowseTitle;
  m_bi.flags = flags | platform::kBrowseShowStatusText;
  m_bi.callback = BrowseCallbackProc;
  m_bi.data = this;
}

int CFolderDialog::DoModal() {
  platform::CFolderBrowser& browser = platform::FolderBrowserService();
  m_selectedPath = m_initialPath;
  platform::ShellItem chosen = browser.BrowseForFolder(m_bi);
  m_hDlg = nullptr;
  if (!chosen) return platform::kIdCancel;
  std::optional<std::string> path = browser.GetPathFromItem(chosen);
  browser.FreeItem(chosen);
  if (!path) return platform::kIdCancel;
  m_selectedPath = *path;
  return platform::kIdOk;
}

int CFolderDialog::BrowseCallbackProc(platform::CBrowserWindow* window, int message,
                                      platform::ShellItem item, void* data) {
  static_cast<CFolderDialog*>(data)->OnBrowseCallback(window, message, item);
  return 0;
}

void CFolderDialog::OnBrowseCallback(platform::CBrowserWindow* window, int message,
                                     platform::ShellItem item) {
  m_hDlg = window;
  if (message == platform::kBrowserInitialized) {
    OnInitialized();
  } else if (message == platform::kBrowserSelectionChanged) {
    OnSelChanged(item);
  }
}

void CFolderDialog::OnInitialized() {
  m_hDlg->SetSelection(m_initialPath.c_str());
  m_hDlg->SetStatusText(ShortenForStatus(m_initialPath).c_str());
}

void CFolderDialog::OnSelChanged(platform::ShellItem item) {
  m_selectedPath = platform::FolderBrowserService().GetPathFromItem(item).value_or("");
  m_hDlg->SetStatusText(ShortenForStatus(m_selectedPath).c_str());
}
