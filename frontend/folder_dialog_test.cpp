// The folder browser wrapper over a scripted browser: preselection, status line, choice and
// cancel.
#include "frontend/folder_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/fake/fake_folder_browser.h"

namespace {

class FolderDialogTest : public testing::Test {
 protected:
  FolderDialogTest() { platform::UseFolderBrowser(&m_browser); }
  ~FolderDialogTest() override { platform::UseFolderBrowser(nullptr); }

  platform::CFakeFolderBrowser m_browser;
};

TEST_F(FolderDialogTest, ShortensStatusTextsAfterThirtyFiveCharacters) {
  std::string exact(kStatusTextLimit, 'a');
  EXPECT_EQ(exact, ShortenForStatus(exact));
  EXPECT_EQ(exact + "...", ShortenForStatus(exact + "b"));
  EXPECT_EQ("C:\\Program Files\\VRO\\CirvaneIV\\Sub\\...",
            ShortenForStatus("C:\\Program Files\\VRO\\CirvaneIV\\Sub\\Deeper"));
}

TEST_F(FolderDialogTest, OpensOnTheInitialFolderAndFollowsTheSelection) {
  std::string initial = "D:\\Apps\\A folder name longer than the status line";
  std::string deep = "D:\\Very Long Folder Name\\Below It\\Deeper";
  m_browser.Select(std::string("D:\\Tools"));
  m_browser.Select(std::nullopt);
  m_browser.Select(deep);
  m_browser.EndWithChoice(true);
  CFolderDialog dialog(initial.c_str(), 0x40, nullptr);

  EXPECT_EQ(platform::kIdOk, dialog.DoModal());
  EXPECT_EQ(deep, dialog.GetSelectedPath());
  EXPECT_EQ("Select the directory to install Cirvane IV", m_browser.title());
  EXPECT_EQ(0x40u | platform::kBrowseShowStatusText, m_browser.flags());
  EXPECT_EQ(std::vector<std::string>{initial}, m_browser.selectionsSet());
  EXPECT_EQ((std::vector<std::string>{ShortenForStatus(initial), "D:\\Tools", "",
                                      ShortenForStatus(deep)}),
            m_browser.statusTexts());
  EXPECT_EQ(1u, m_browser.freed().size()) << "the chosen item goes back to the shell";
}

TEST_F(FolderDialogTest, CancelAndVirtualFoldersAreNoChoice) {
  m_browser.Select(std::string("D:\\Tools"));
  CFolderDialog cancelled("C:\\Start", 0, nullptr);
  EXPECT_EQ(platform::kIdCancel, cancelled.DoModal());
  EXPECT_EQ("D:\\Tools", cancelled.GetSelectedPath()) << "the last selection, unused";
  EXPECT_TRUE(m_browser.freed().empty()) << "nothing to free after a cancel";

  m_browser.Select(std::nullopt);
  m_browser.EndWithChoice(true);
  CFolderDialog network(nullptr, 0, nullptr);
  EXPECT_EQ(platform::kIdCancel, network.DoModal());
  EXPECT_EQ(1u, m_browser.freed().size()) << "an item without a path is freed too";
  EXPECT_EQ((std::vector<std::string>{"C:\\Start", "D:\\Tools", "", ""}), m_browser.statusTexts())
      << "a null initial path shows an empty status";
}

}  // namespace
