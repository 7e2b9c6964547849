// The main dialog driven through the host without windows: its control states, the licence,
// acceptance, the directory proposal, the folder browser and leaving the dialog.
#include "frontend/install_dlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/paths.h"
#include "frontend/installer_test_support.h"
#include "frontend/resource.h"
#ifdef _WIN32
#include "platform/fake/scoped_raw_registry_value.h"
#endif

namespace {

using platform::CHeadlessWindow;
using platform::kIdCancel;
using platform::kIdOk;

// A worker that never finishes: the dialog stays in its installing state.
void EndlessWorker(void*) {}

class InstallDlgTest : public testing::Test {
 protected:
  void TearDown() override { EXPECT_TRUE(m_ui.faults().empty()) << m_ui.faults()[0]; }

  // Opens the dialog and expects `directory` in the directory box.
  void ExpectProposal(const std::string& directory) {
    CInstallDlg dialog(EndlessWorker);
    m_ui.Then(IDD_INSTALL, [&directory](CHeadlessWindow& window) {
      EXPECT_EQ(directory, window.Text(IDC_INSTALL_DIR));
      window.PressEscape();
    });
    EXPECT_EQ(kIdCancel, dialog.DoModal());
  }

  CInstallerServices m_services;
  platform::CHeadlessUi& m_ui = m_services.m_ui;
};

TEST_F(InstallDlgTest, ControlStatesFollowAcceptanceAndInstallation) {
  CInstallDlg dialog(EndlessWorker);
  std::string target = m_services.m_scratch / "Target";
  m_ui.Then(IDD_INSTALL, [](CHeadlessWindow& window) {
    EXPECT_EQ("0000111", States(window)) << "licence not accepted";
    EXPECT_EQ("", window.Text(IDC_STATUS)) << "the template's placeholder is replaced";
    EXPECT_EQ(IDI_APP, window.smallIconId());
  });
  m_ui.Click(IDD_INSTALL, IDC_ACCEPT);
  m_ui.Then(IDD_INSTALL,
            [](CHeadlessWindow& window) { EXPECT_EQ("1111111", States(window)) << "accepted"; });
  m_ui.Click(IDD_INSTALL, IDC_DECLINE);
  m_ui.Then(IDD_INSTALL, [](CHeadlessWindow& window) {
    EXPECT_FALSE(window.ended()) << "Decline after Accept only takes the acceptance back";
    EXPECT_EQ("0000111", States(window));
  });
  m_ui.Click(IDD_INSTALL, IDC_ACCEPT);
  m_ui.Type(IDD_INSTALL, IDC_INSTALL_DIR, target);
  m_ui.Click(IDD_INSTALL, IDC_INSTALL_NOW);
  m_ui.Then(IDD_INSTALL,
            [](CHeadlessWindow& window) { EXPECT_EQ("0000001", States(window)) << "installing"; });
  m_ui.PressEscape(IDD_INSTALL);
  m_ui.Click(IDD_QUIT, kIdCancel);
  m_ui.Then(IDD_INSTALL, [](CHeadlessWindow& window) {
    EXPECT_FALSE(window.ended()) << "No goes on installing";
    window.PressCloseBox();
  });
  m_ui.Click(IDD_QUIT, kIdOk);

  EXPECT_EQ(kIdCancel, dialog.DoModal()) << "Yes quits";
  EXPECT_EQ(target, dialog.m_installDir);
  EXPECT_EQ((std::vector<int>{IDD_INSTALL, IDD_QUIT, IDD_QUIT}), m_ui.dialogsRun());
}

TEST_F(InstallDlgTest, DeclineBeforeAcceptEndsAtOnce) {
  CInstallDlg dialog(EndlessWorker);
  m_ui.Click(IDD_INSTALL, IDC_DECLINE);
  EXPECT_EQ(kIdCancel, dialog.DoModal());
  EXPECT_EQ(std::vector<int>{IDD_INSTALL}, m_ui.dialogsRun()) << "no question while idle";
}

TEST_F(InstallDlgTest, TypingInTheLicenceIsUndoneWithUnsavedDirectoryTyping) {
  CInstallDlg dialog(EndlessWorker);
  dialog.m_licence = "Licence\r\nSecond line";
  m_ui.Click(IDD_INSTALL, IDC_ACCEPT);
  m_ui.Type(IDD_INSTALL, IDC_INSTALL_DIR, "D:\\Unsaved");
  m_ui.Type(IDD_INSTALL, IDC_LICENCE, "I agree to nothing");
  m_ui.Then(IDD_INSTALL, [](CHeadlessWindow& window) {
    EXPECT_EQ("Licence\r\nSecond line", window.Text(IDC_LICENCE));
    EXPECT_EQ(kDefaultInstallDir, window.Text(IDC_INSTALL_DIR));
  });
  m_ui.Type(IDD_INSTALL, IDC_INSTALL_DIR, "D:\\Kept");
  m_ui.Click(IDD_INSTALL, IDC_DECLINE);
  m_ui.PressEscape(IDD_INSTALL);

  EXPECT_EQ(kIdCancel, dialog.DoModal());
  EXPECT_EQ("D:\\Kept", dialog.m_installDir) << "Decline takes the typed directory";
}

// A value of another type than string (expandable, binary) comes with its terminating zero.
TEST_F(InstallDlgTest, ProposesTheDirectoryBelowAnExistingProgramFilesDirectory) {
  struct SCase {
    std::string value;
    platform::ValueType type;
    std::string expected;
  };
  std::string apps = m_services.m_scratch.path();
  std::vector<SCase> cases = {
      {apps, platform::ValueType::kString, apps + "\\VRO\\CirvaneIV"},
      {apps + "\\", platform::ValueType::kString, apps + "\\VRO\\CirvaneIV"},
      {apps + '\0' + "\1\2", platform::ValueType::kOther, apps + "\\VRO\\CirvaneIV"},
      {apps + "\\Missing", platform::ValueType::kString, kDefaultInstallDir},
  };
  for (const SCase& each : cases) {
    m_services.m_registry.SetValue(platform::Hive::kLocalMachine, kWindowsKey, "ProgramFilesDir",
                                   each.value, each.type);
    ExpectProposal(each.expected);
  }
}

#ifdef _WIN32
// The same from the system's own registry.
TEST_F(InstallDlgTest, ProgramFilesDirOfAnotherTypeInTheSystemRegistryIsReadAsText) {
  platform::UseRegistry(nullptr);
  std::string apps = m_services.m_scratch.path();
  for (platform::RawValueType type :
       {platform::RawValueType::kExpandableString, platform::RawValueType::kBinary}) {
    platform::CScopedRawRegistryValue value(kWindowsKey, "ProgramFilesDir", type, apps + '\0');
    ASSERT_TRUE(value.set());
    ExpectProposal(apps + "\\VRO\\CirvaneIV");
  }
}
#endif

TEST_F(InstallDlgTest, BrowseChoosesAFolderOrKeepsTheDirectory) {
  platform::CFakeFolderBrowser& browser = m_services.m_browser;
  CInstallDlg dialog(EndlessWorker);
  m_ui.Click(IDD_INSTALL, IDC_ACCEPT);
  m_ui.Type(IDD_INSTALL, IDC_INSTALL_DIR, "E:\\Typed");
  m_ui.Then(IDD_INSTALL, [&browser](CHeadlessWindow& window) {
    browser.Select(std::string("D:\\Elsewhere"));
    browser.EndWithChoice(false);
    window.Click(IDC_BROWSE);
    EXPECT_EQ("E:\\Typed", window.Text(IDC_INSTALL_DIR)) << "a cancel keeps the directory";
    EXPECT_EQ("E:\\Typed", browser.selectionsSet().at(0)) << "the browser opens on it";
    browser.Select(std::string("D:\\Tools"));
    browser.EndWithChoice(true);
    window.Click(IDC_BROWSE);
    EXPECT_EQ("D:\\Tools", window.Text(IDC_INSTALL_DIR)) << "no product folder is added";
    window.PressEscape();
  });

  EXPECT_EQ(kIdCancel, dialog.DoModal());
  EXPECT_EQ("D:\\Tools", dialog.m_installDir);
  EXPECT_FALSE(browser.hadOwner());
}

}  // namespace
