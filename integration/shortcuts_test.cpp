#include "integration/shortcuts.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_shell.h"

namespace {

using platform::Hive;

constexpr char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kInstallDir[] = "C:\\Program Files\\VRO\\CirvaneIV";

class ShortcutsTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::UseRegistry(&m_registry);
    platform::UseShell(&m_shell);
  }
  void TearDown() override {
    platform::UseShell(nullptr);
    platform::UseRegistry(nullptr);
  }

  void SetFolder(const char* name, const std::string& folder) {
    m_registry.SetValue(Hive::kCurrentUser, kShellFolders, name, folder);
  }

  std::optional<std::string> Desktop(std::string* linkPath, const char* dir = kInstallDir) {
    return CreateDesktopLink(linkPath, dir, kShortcutExecutableBase, kShortcutName,
                             kShortcutDescription);
  }
  std::optional<std::string> StartMenu(std::string* linkPath, const char* dir = kInstallDir) {
    return CreateStartMenuLink(linkPath, dir, kShortcutExecutableBase, kShortcutName,
                               kShortcutDescription);
  }

  platform::CFakeRegistry m_registry;
  platform::CFakeShell m_shell;
};

TEST_F(ShortcutsTest, BothShortcutsStartTheSimulatorInTheInstallationDirectory) {
  SetFolder("Desktop", "C:\\Users\\u\\Desktop");
  SetFolder("Start Menu", "C:\\Users\\u\\Start Menu");
  std::string desktopLink;
  std::string startMenuLink;
  EXPECT_EQ(std::nullopt, Desktop(&desktopLink));
  EXPECT_EQ(std::nullopt, StartMenu(&startMenuLink));
  EXPECT_EQ("C:\\Users\\u\\Desktop\\Cirvane IV.lnk", desktopLink);
  EXPECT_EQ("C:\\Users\\u\\Start Menu\\Cirvane IV.lnk", startMenuLink);

  for (const std::string& link : {desktopLink, startMenuLink}) {
    std::optional<platform::ShortcutDetails> details = m_shell.ReadLink(link.c_str());
    ASSERT_TRUE(details) << link;
    EXPECT_EQ("C:\\Program Files\\VRO\\CirvaneIV\\qsim3.exe", details->target);
    EXPECT_EQ(kInstallDir, details->workingDirectory);
    EXPECT_EQ("Veltro Corporation's Cirvane IV", details->description);
  }
}

TEST_F(ShortcutsTest, MissingFoldersLeaveTheLinkPathEmptyAndTheStartMenuFallsBack) {
  std::string linkPath;
  EXPECT_EQ("Could't find startup Shell Folder location", Desktop(&linkPath));
  EXPECT_EQ("Could't find startup Shell Folder location", StartMenu(&linkPath));

  m_registry.AddKey(Hive::kCurrentUser, kShellFolders);
  SetFolder("Common Start Menu", "");
  SetFolder("Desktop", std::string(260, 'd'));  // does not fit the buffer: counts as missing
  EXPECT_EQ("Could't find Desktop location", Desktop(&linkPath));
  EXPECT_EQ("Could't find Start Menu", StartMenu(&linkPath));
  EXPECT_EQ("", linkPath);
  EXPECT_TRUE(m_shell.saved().empty());

  SetFolder("Common Start Menu", "C:\\ProgramData\\Start Menu");
  EXPECT_EQ(std::nullopt, StartMenu(&linkPath)) << "the common one stands in for the user's";
  EXPECT_EQ("C:\\ProgramData\\Start Menu\\Cirvane IV.lnk", linkPath);
}

TEST_F(ShortcutsTest, ShellFailuresGiveTheirMessagesAndSaveWins) {
  SetFolder("Desktop", "D:\\Desk");
  SetFolder("Start Menu", "D:\\Menu");
  std::string linkPath;

  m_shell.FailSetPath();
  EXPECT_EQ("Trouble making link in desktop: SetPath() failed!", Desktop(&linkPath));
  EXPECT_EQ("Trouble making link in Start Menu: SetPath() failed!", StartMenu(&linkPath));
  EXPECT_EQ(2u, m_shell.saved().size()) << "the shortcut is still saved";

  m_shell.FailSave();
  EXPECT_EQ("Trouble saving link in desktop.", Desktop(&linkPath));
  EXPECT_EQ("Trouble saving link in startup menu.", StartMenu(&linkPath));

  m_shell.MakeLinksUnavailable();
  EXPECT_EQ("Trouble making link in desktop: no shell link object!", Desktop(&linkPath));
  EXPECT_EQ("D:\\Desk\\Cirvane IV.lnk", linkPath) << "named before the shortcut is made";
  EXPECT_EQ("Trouble making link in Start Menu: no shell link object!", StartMenu(&linkPath));
}

TEST_F(ShortcutsTest, TargetIsFormattedAsTypedAndOverlongPathsFail) {
  SetFolder("Desktop", "D:\\Desk");
  std::string linkPath;
  EXPECT_EQ(std::nullopt, Desktop(&linkPath, "C:\\X\\"));
  EXPECT_EQ("C:\\X\\\\qsim3.exe", m_shell.ReadLink(linkPath.c_str())->target);

  std::string longDir = "C:\\" + std::string(250, 'x');
  EXPECT_EQ("Trouble making link in desktop: SetPath() failed!",
            Desktop(&linkPath, longDir.c_str()));
  SetFolder("Desktop", "D:\\" + std::string(250, 'x'));
  EXPECT_EQ("Trouble saving link in desktop.", Desktop(&linkPath));
}

}  // namespace
