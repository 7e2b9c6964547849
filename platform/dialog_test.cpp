// The dialog framework driven through the host without windows, with a small dialog of its own:
// a name box, a box that refuses typing and two radio buttons.
#include "platform/dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/headless_ui.h"
#include "platform/ui.h"

namespace {

using platform::CHeadlessWindow;
using platform::ControlKind;
using platform::kIdCancel;
using platform::kIdOk;

constexpr int kDemoTemplate = 500;
constexpr int kDemoIcon = 7;
constexpr int kName = 10;
constexpr int kRed = 11;
constexpr int kBlue = 12;
constexpr int kFixed = 16;

const std::vector<platform::SControlTemplate> kControls = {
    {kName, ControlKind::kEdit, "", 7, 7, 120, 14},
    {kFixed, ControlKind::kMultiLineEdit, "", 7, 25, 120, 30},
    {kRed, ControlKind::kAutoRadioButton, "Red", 7, 60, 60, 12},
    {kBlue, ControlKind::kAutoRadioButton, "Blue", 7, 74, 60, 12},
    {kIdOk, ControlKind::kDefPushButton, "OK", 140, 80, 50, 14},
    {kIdCancel, ControlKind::kPushButton, "Cancel", 140, 98, 50, 14}};
const std::vector<platform::SDialogTemplate> kTemplates = {
    {kDemoTemplate, "Demo", 200, 120, "MS Sans Serif", 8, kControls}};

class CDemoDlg : public platform::CDialog {
 public:
  CDemoDlg() : CDialog(kDemoTemplate) {}

  std::string m_name = "initial";
  std::string m_fixed = "fixed text";
  int m_blue = 0;
  int m_nameChanges = 0;
  int m_fixedChanges = 0;

 protected:
  void DoDataExchange(platform::CDataExchange& exchange) override {
    ExchangeText(exchange, kName, m_name);
    ExchangeText(exchange, kFixed, m_fixed);
    ExchangeCheck(exchange, kBlue, m_blue);
  }

  int OnInitDialog() override {
    CDialog::OnInitDialog();
    CheckRadioButton(kRed, kBlue, m_blue ? kBlue : kRed);
    SetSmallIcon(platform::UiService().LoadIconResource(kDemoIcon));
    SetItemFont(kFixed, {"Arial", 10, 400});
    return 1;
  }

  // The name is taken at once; typing in the fixed box is undone.
  void OnCommand(int id, int code) override {
    if (id == kName && code == platform::kEditChange) {
      ++m_nameChanges;
      UpdateData(1);
    } else if (id == kFixed && code == platform::kEditChange) {
      ++m_fixedChanges;
      UpdateData(0);
    } else {
      CDialog::OnCommand(id, code);
    }
  }
};

// Typing in the fixed box is undone by giving the data back, which is heard as no second change.
TEST(DialogTest, ExchangesTextsAndChecksBothWays) {
  platform::CHeadlessUi ui{kTemplates, {kDemoIcon}, "demo"};
  platform::UseUi(&ui);
  CDemoDlg dialog;
  dialog.m_blue = 1;
  ui.Then(kDemoTemplate, [](CHeadlessWindow& window) {
    EXPECT_EQ("initial", window.Text(kName)) << "members reach the controls at the start";
    EXPECT_TRUE(window.Checked(kBlue));
    EXPECT_EQ("Arial", window.Control(kFixed)->fontFace);
    EXPECT_EQ("", window.Control(kName)->fontFace) << "others keep the dialog's font";
    EXPECT_EQ(kDemoIcon, window.smallIconId());
  });
  ui.Type(kDemoTemplate, kName, "typed");
  ui.Type(kDemoTemplate, kFixed, "changed");
  ui.Then(kDemoTemplate, [&dialog](CHeadlessWindow& window) {
    EXPECT_EQ("fixed text", window.Text(kFixed));
    EXPECT_EQ(1, dialog.m_fixedChanges);
    dialog.CheckRadioButton(kRed, kBlue, kRed);
    EXPECT_TRUE(window.Checked(kRed));
    EXPECT_FALSE(window.Checked(kBlue)) << "the last button of the group is unchecked too";
    EXPECT_EQ(1, dialog.m_blue) << "checking alone does not take the data";
  });
  ui.Click(kDemoTemplate, kIdOk);

  EXPECT_EQ(kIdOk, dialog.DoModal());
  EXPECT_EQ("typed", dialog.m_name);
  EXPECT_EQ(0, dialog.m_blue);
  EXPECT_EQ(1, dialog.m_nameChanges) << "the rewrite of the same text raises nothing";
  EXPECT_EQ(nullptr, dialog.window()) << "the window is gone after the run";
  EXPECT_TRUE(ui.faults().empty());
}

}  // namespace
