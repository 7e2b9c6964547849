// The Windows dialog host on real windows over the installer's templates. Dialogs need a display:
// under Wine without one (no Xvfb) the tests are skipped.
#include "platform/win32/dialog_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "frontend/resource.h"
#include "platform/dialog.h"
#include "platform/ui.h"

namespace {

constexpr unsigned kStepTimer = 7;
constexpr unsigned kStepMilliseconds = 20;

// A dialog that runs one scripted step per timer tick, the way a user would act on it. Over the
// main template it exchanges the directory box and has the licence box refuse every edit; over
// the overwrite template it exchanges the second radio button.
class CScriptedDlg : public platform::CDialog {
 public:
  using Step = std::function<void(CScriptedDlg& dialog, HWND window)>;
  CScriptedDlg(int templateId, std::vector<Step> steps)
      : CDialog(templateId), m_steps(std::move(steps)) {}

  std::string m_text;
  std::string m_licence = "Line one\r\nLine two";
  int m_check = 0;
  int m_fixedChanges = 0;

 protected:
  void DoDataExchange(platform::CDataExchange& exchange) override {
    if (templateId() == IDD_OVERWRITE) {
      ExchangeCheck(exchange, IDC_UPDATE, m_check);
      return;
    }
    ExchangeText(exchange, IDC_INSTALL_DIR, m_text);
    ExchangeText(exchange, IDC_LICENCE, m_licence);
  }

  int OnInitDialog() override {
    CDialog::OnInitDialog();
    if (templateId() == IDD_OVERWRITE) CheckRadioButton(IDC_OVERWRITE, IDC_UPDATE, IDC_OVERWRITE);
    SetTimer(kStepTimer, kStepMilliseconds);
    return 1;
  }

  void OnCommand(int id, int code) override {
    if (id == IDC_LICENCE && code == platform::kEditChange) {
      ++m_fixedChanges;
      UpdateData(0);
      return;
    }
    CDialog::OnCommand(id, code);
  }

  void OnTimer(unsigned id) override {
    if (id != kStepTimer || m_next >= m_steps.size()) return;
    Step step = m_steps[m_next++];
    step(*this, platform::ActiveDialogWindow());
  }

  std::vector<Step> m_steps;
  size_t m_next = 0;
};

// The test program puts its quiet stand-in back after every test.
class Win32DialogTest : public testing::Test {
 protected:
  Win32DialogTest() { platform::UseUi(&platform::RealUi()); }
};

std::string ItemText(HWND window, int id) {
  char text[256] = {};
  GetDlgItemTextA(window, id, text, sizeof text);
  return text;
}

TEST_F(Win32DialogTest, ExchangesEditsAndSwallowsItsOwnChangeNotices) {
  auto typeIntoTheLicence = [](CScriptedDlg& self, HWND window) {
    EXPECT_EQ("C:\\start", ItemText(window, IDC_INSTALL_DIR));
    EXPECT_EQ(0, self.m_fixedChanges) << "giving the data raised no change notice";
    // A key typed into the licence box is undone at once.
    SendDlgItemMessageA(window, IDC_LICENCE, WM_CHAR, 'x', 0);
  };
  auto editAndConfirm = [](CScriptedDlg& self, HWND window) {
    EXPECT_EQ("Line one\r\nLine two", ItemText(window, IDC_LICENCE));
    EXPECT_EQ(1, self.m_fixedChanges);
    SetDlgItemTextA(window, IDC_INSTALL_DIR, "D:\\Apps");
    self.EnableItem(IDC_BROWSE, 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_BROWSE)));
    EXPECT_TRUE(self.SetItemFont(IDC_LICENCE, {"Arial", 10, 400}));
    self.SetSmallIcon(platform::UiService().LoadIconResource(IDI_APP));
    EXPECT_NE(0, SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    SendMessageA(window, WM_COMMAND, IDOK, 0);
  };
  CScriptedDlg dialog(IDD_INSTALL, {typeIntoTheLicence, editAndConfirm});
  dialog.m_text = "C:\\start";
  int result = dialog.DoModal();
  if (result == platform::kDialogFailed) GTEST_SKIP() << "no display for real windows";
  EXPECT_EQ(platform::kIdOk, result);
  EXPECT_EQ("D:\\Apps", dialog.m_text) << "OK takes the typed text";
}

TEST_F(Win32DialogTest, NestedDialogIsOwnedCentredAndModal) {
  HWND mainWindow = nullptr;
  auto chooseUpdate = [&mainWindow](CScriptedDlg&, HWND window) {
    EXPECT_EQ(mainWindow, GetWindow(window, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(mainWindow)) << "the owner waits";
    RECT outer = {}, inner = {};
    GetWindowRect(mainWindow, &outer);
    GetWindowRect(window, &inner);
    EXPECT_NEAR((outer.left + outer.right) / 2, (inner.left + inner.right) / 2, 1);
    EXPECT_TRUE(IsDlgButtonChecked(window, IDC_OVERWRITE));
    SendDlgItemMessageA(window, IDC_UPDATE, BM_CLICK, 0, 0);
    EXPECT_FALSE(IsDlgButtonChecked(window, IDC_OVERWRITE));
    SendMessageA(window, WM_COMMAND, IDOK, 0);
  };
  CScriptedDlg nested(IDD_OVERWRITE, {chooseUpdate});
  int nestedResult = 0;
  auto openNested = [&](CScriptedDlg&, HWND window) {
    mainWindow = window;
    nestedResult = nested.DoModal();
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_EQ(window, platform::ActiveDialogWindow());
    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
  };
  CScriptedDlg main(IDD_INSTALL, {openNested});
  int result = main.DoModal();
  if (result == platform::kDialogFailed) GTEST_SKIP() << "no display for real windows";
  EXPECT_EQ(platform::kIdCancel, result);
  EXPECT_EQ(platform::kIdOk, nestedResult);
  EXPECT_EQ(1, nested.m_check) << "the second radio button was taken on OK";
  EXPECT_EQ(nullptr, platform::ActiveDialogWindow());
}

}  // namespace
