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

// A dialog that runs one scripted step per timer tick, the way a user would act on it.
class CScriptedDlg : public platform::CDialog {
 public:
  using Step = std::function<void(CScriptedDlg& dialog, HWND window)>;
  CScriptedDlg(int templateId, std::vector<Step> steps)
      : CDialog(templateId), m_steps(std::move(steps)) {}

  std::string m_text;
  int m_check = 0;
  int m_fixedChanges = 0;

 protected:
  int OnInitDialog() override {
    CDialog::OnInitDialog();
    SetTimer(kStepTimer, kStepMilliseconds);
    return 1;
  }

  void OnTimer(unsigned id) override {
    if (id != kStepTimer || m_next >= m_steps.size()) return;
    Step step = m_steps[m_next++];
    step(*this, platform::ActiveDialogWindow());
  }

  std::vector<Step> m_steps;
  size_t m_next = 0;
};

// The main template: the directory box exchanged; the licence box refusing every edit.
class CMainDlg : public CScriptedDlg {
 public:
  using CScriptedDlg::CScriptedDlg;
  std::string m_licence = "Line one\r\nLine two";

 protected:
  void DoDataExchange(platform::CDataExchange& exchange) override {
    ExchangeText(exchange, IDC_INSTALL_DIR, m_text);
    ExchangeText(exchange, IDC_LICENCE, m_licence);
  }
  void OnCommand(int id, int code) override {
    if (id == IDC_LICENCE && code == platform::kEditChange) {
      ++m_fixedChanges;
      UpdateData(0);
      return;
    }
    CScriptedDlg::OnCommand(id, code);
  }
};

// The overwrite template: the second radio button exchanged.
class COverwriteLikeDlg : public CScriptedDlg {
 public:
  using CScriptedDlg::CScriptedDlg;

 protected:
  void DoDataExchange(platform::CDataExchange& exchange) override {
    ExchangeCheck(exchange, IDC_UPDATE, m_check);
  }
  int OnInitDialog() override {
    CScriptedDlg::OnInitDialog();
    CheckRadioButton(IDC_OVERWRITE, IDC_UPDATE, IDC_OVERWRITE);
    return 1;
  }
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
  CMainDlg dialog(IDD_INSTALL,
                  {
                      [](CScriptedDlg& self, HWND window) {
                        EXPECT_EQ("C:\\start", ItemText(window, IDC_INSTALL_DIR));
                        EXPECT_EQ(0, self.m_fixedChanges)
                            << "giving the data raised no change notice";
                        // A key typed into the licence box is undone at once.
                        SendDlgItemMessageA(window, IDC_LICENCE, WM_CHAR, 'x', 0);
                      },
                      [](CScriptedDlg& self, HWND window) {
                        EXPECT_EQ("Line one\r\nLine two", ItemText(window, IDC_LICENCE));
                        EXPECT_EQ(1, self.m_fixedChanges);
                        SetDlgItemTextA(window, IDC_INSTALL_DIR, "D:\\Apps");
                        self.EnableItem(IDC_BROWSE, 0);
                        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_BROWSE)));
                        EXPECT_TRUE(self.SetItemFont(IDC_LICENCE, {"Arial", 10, 400}));
                        self.SetSmallIcon(platform::UiService().LoadIconResource(IDI_APP));
                        EXPECT_NE(0, SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
                        SendMessageA(window, WM_COMMAND, IDOK, 0);
                      },
                  });
  dialog.m_text = "C:\\start";
  int result = dialog.DoModal();
  if (result == platform::kDialogFailed) GTEST_SKIP() << "no display for real windows";
  EXPECT_EQ(platform::kIdOk, result);
  EXPECT_EQ("D:\\Apps", dialog.m_text) << "OK takes the typed text";
}

TEST_F(Win32DialogTest, NestedDialogIsOwnedCentredAndModal) {
  HWND mainWindow = nullptr;
  COverwriteLikeDlg nested(IDD_OVERWRITE,
                           {
                               [&mainWindow](CScriptedDlg&, HWND window) {
                                 EXPECT_EQ(mainWindow, GetWindow(window, GW_OWNER));
                                 EXPECT_FALSE(IsWindowEnabled(mainWindow)) << "the owner waits";
                                 RECT outer = {}, inner = {};
                                 GetWindowRect(mainWindow, &outer);
                                 GetWindowRect(window, &inner);
                                 EXPECT_NEAR((outer.left + outer.right) / 2,
                                             (inner.left + inner.right) / 2, 1);
                                 EXPECT_TRUE(IsDlgButtonChecked(window, IDC_OVERWRITE));
                                 SendDlgItemMessageA(window, IDC_UPDATE, BM_CLICK, 0, 0);
                                 EXPECT_FALSE(IsDlgButtonChecked(window, IDC_OVERWRITE));
                                 SendMessageA(window, WM_COMMAND, IDOK, 0);
                               },
                           });
  int nestedResult = 0;
  CMainDlg main(IDD_INSTALL, {
                                 [&](CScriptedDlg&, HWND window) {
                                   mainWindow = window;
                                   nestedResult = nested.DoModal();
                                   EXPECT_TRUE(IsWindowEnabled(window));
                                   EXPECT_EQ(window, platform::ActiveDialogWindow());
                                   SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
                                 },
                             });
  int result = main.DoModal();
  if (result == platform::kDialogFailed) GTEST_SKIP() << "no display for real windows";
  EXPECT_EQ(platform::kIdCancel, result);
  EXPECT_EQ(platform::kIdOk, nestedResult);
  EXPECT_EQ(1, nested.m_check) << "the second radio button was taken on OK";
  EXPECT_EQ(nullptr, platform::ActiveDialogWindow());
}

}  // namespace
