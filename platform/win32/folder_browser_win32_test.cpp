// The shell's folder browser on a real display under Wine: the callback hears the opening and the
// selection it makes itself (reported before the selection call returns, through the same window
// object), and the chosen folder comes back as its path. Without a display the test is skipped.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/folder_browser.h"

namespace {

using platform::CBrowserWindow;
using platform::ShellItem;

struct SBrowseRecord {
  std::string folder;
  std::vector<int> messages;
  std::vector<std::optional<std::string>> selections;
  CBrowserWindow* window = nullptr;
  bool oneWindow = true;
};

BOOL CALLBACK PressOk(HWND window, LPARAM) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) == "#32770") PostMessageA(window, WM_COMMAND, IDOK, 0);
  return TRUE;
}

int RecordBrowse(CBrowserWindow* window, int message, ShellItem item, void* data) {
  SBrowseRecord& record = *static_cast<SBrowseRecord*>(data);
  if (!record.window) record.window = window;
  record.oneWindow = record.oneWindow && window == record.window;
  record.messages.push_back(message);
  if (message == platform::kBrowserInitialized) {
    window->SetSelection(record.folder.c_str());
    window->SetStatusText("after the nested report");
    EnumThreadWindows(GetCurrentThreadId(), PressOk, 0);
  } else if (message == platform::kBrowserSelectionChanged) {
    record.selections.push_back(platform::RealFolderBrowser().GetPathFromItem(item));
  }
  return 0;
}

TEST(Win32FolderBrowserTest, ReportsItsOwnSelectionAndReturnsTheChosenFolder) {
  char windows[MAX_PATH] = {};
  ASSERT_NE(0u, GetWindowsDirectoryA(windows, MAX_PATH));
  SBrowseRecord record;
  record.folder = windows;
  char displayName[platform::kDisplayNameSize] = {};
  platform::SBrowseRequest request = {
      nullptr,      nullptr, displayName, "Pick", platform::kBrowseShowStatusText,
      RecordBrowse, &record};
  platform::CFolderBrowser& browser = platform::RealFolderBrowser();
  ShellItem chosen = browser.BrowseForFolder(request);
  if (record.messages.empty()) GTEST_SKIP() << "no display for the browser";

  ASSERT_NE(nullptr, chosen);
  std::optional<std::string> path = browser.GetPathFromItem(chosen);
  browser.FreeItem(chosen);
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(0, lstrcmpiA(windows, path->c_str())) << *path;
  EXPECT_EQ(platform::kBrowserInitialized, record.messages.at(0));
  ASSERT_FALSE(record.selections.empty()) << "selecting an existing folder reports it";
  EXPECT_EQ(0, lstrcmpiA(windows, record.selections.back().value_or("").c_str()));
  EXPECT_TRUE(record.oneWindow) << "nested reports reach the callback through the same window";
  EXPECT_EQ(std::nullopt, browser.GetPathFromItem(nullptr));
}

}  // namespace
