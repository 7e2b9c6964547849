// The dialog framework driven through the host without windows, with a small dialog of its own:
// a name box, a box that refuses typing, two radio buttons, buttons, a status line and a timer.
#include "platform/dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_ui.h"
#include "platform/fake/headless_ui.h"
#include "platform/ui.h"

namespace {

using platform::CHeadlessUi;
using platform::CHeadlessWindow;
using platform::ControlKind;
using platform::kIdCancel;
using platform::kIdOk;

constexpr int kDemoTemplate = 500;
constexpr int kQuestionTemplate = 501;
constexpr int kDemoIcon = 7;
constexpr int kName = 10;
constexpr int kRed = 11;
constexpr int kBlue = 12;
constexpr int kApply = 13;
constexpr int kStatus = 14;
constexpr int kAsk = 15;
constexpr int kFixed = 16;
constexpr unsigned kTickTimer = 1;
constexpr unsigned kTickPeriod = 200;
constexpr int kTimerTries = 5;
constexpr int kTicksToStop = 3;

std::vector<platform::SDialogTemplate> DemoTemplates() {
  return {
      {kDemoTemplate,
       "Demo",
       200,
       120,
       "MS Sans Serif",
       8,
       {{kName, ControlKind::kEdit, "", 7, 7, 120, 14},
        {kFixed, ControlKind::kMultiLineEdit, "", 7, 25, 120, 30},
        {kRed, ControlKind::kAutoRadioButton, "Red", 7, 60, 60, 12},
        {kBlue, ControlKind::kAutoRadioButton, "Blue", 7, 74, 60, 12},
        {kApply, ControlKind::kPushButton, "Apply", 140, 7, 50, 14},
        {kAsk, ControlKind::kPushButton, "Ask", 140, 25, 50, 14},
        {kIdOk, ControlKind::kDefPushButton, "OK", 140, 80, 50, 14},
        {kIdCancel, ControlKind::kPushButton, "Cancel", 140, 98, 50, 14},
        {kStatus, ControlKind::kStaticLeft, "Static", 7, 100, 120, 10}}},
      {kQuestionTemplate,
       "Question",
       100,
       50,
       "MS Sans Serif",
       8,
       {{platform::kIdNone, ControlKind::kStaticCentre, "Sure?", 7, 7, 86, 10},
        {kIdOk, ControlKind::kDefPushButton, "Yes", 7, 30, 40, 14},
        {kIdCancel, ControlKind::kPushButton, "No", 53, 30, 40, 14}}},
  };
}

// A message-box recorder that lives as long as the test program.
platform::CFakeUi& QuietUi() {
  static platform::CFakeUi ui;
  return ui;
}

class CDemoDlg : public platform::CDialog {
 public:
  CDemoDlg() : CDialog(kDemoTemplate) {}

  std::string m_name = "initial";
  std::string m_fixed = "fixed text";
  std::string m_status;
  int m_blue = 0;
  int m_nameChanges = 0;
  int m_fixedChanges = 0;
  int m_ticks = 0;
  int m_answer = 0;
  int m_fontMade = 0;
  unsigned m_timerId = 0;

 protected:
  void DoDataExchange(platform::CDataExchange& exchange) override {
    ExchangeText(exchange, kName, m_name);
    ExchangeText(exchange, kFixed, m_fixed);
    ExchangeCheck(exchange, kBlue, m_blue);
    ExchangeText(exchange, kStatus, m_status);
    EnableItem(kApply, !m_name.empty());
  }

  int OnInitDialog() override {
    CDialog::OnInitDialog();
    CheckRadioButton(kRed, kBlue, m_blue ? kBlue : kRed);
    SetSmallIcon(platform::UiService().LoadIconResource(kDemoIcon));
    m_fontMade = SetItemFont(kFixed, {"Arial", 10, 400});
    for (int i = 0; i < kTimerTries && !m_timerId; ++i)
      m_timerId = SetTimer(kTickTimer, kTickPeriod);
    return 1;
  }

  void OnCommand(int id, int code) override {
    if (id == kName && code == platform::kEditChange) {
      ++m_nameChanges;
      UpdateData(1);
    } else if (id == kFixed && code == platform::kEditChange) {
      ++m_fixedChanges;
      UpdateData(0);
    } else if (id == kApply && code == platform::kButtonClicked) {
      m_status = "Hello " + m_name;
      UpdateData(0);
      platform::UiService().ShowMessageBox(m_status.c_str());
    } else if (id == kAsk && code == platform::kButtonClicked) {
      CDialog question(kQuestionTemplate);
      m_answer = question.DoModal();
      m_answer = m_answer * 10 + ShowMessageBox("Asked", "Demo", platform::kBoxTopmost);
    } else {
      CDialog::OnCommand(id, code);
    }
  }

  void OnTimer(unsigned id) override {
    if (id != m_timerId) return;
    m_status = "tick " + std::to_string(++m_ticks);
    UpdateData(0);
    UpdateWindow();
    if (m_ticks == kTicksToStop) KillTimer(m_timerId);
  }
};

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() : m_ui(DemoTemplates(), {kDemoIcon}, "demo") { platform::UseUi(&m_ui); }
  // Leaves a recorder that outlives every test, whatever was installed before.
  ~DialogTest() override { platform::UseUi(&QuietUi()); }

  CHeadlessUi m_ui;
};

TEST_F(DialogTest, ExchangesTextsAndChecksBothWays) {
  CDemoDlg dialog;
  dialog.m_blue = 1;
  m_ui.Then(kDemoTemplate, [](CHeadlessWindow& window) {
    EXPECT_EQ("initial", window.Text(kName)) << "members reach the controls at the start";
    EXPECT_TRUE(window.Checked(kBlue));
  });
  m_ui.Type(kDemoTemplate, kName, "typed");
  m_ui.Click(kDemoTemplate, kRed);
  m_ui.Then(kDemoTemplate, [&dialog](CHeadlessWindow& window) {
    EXPECT_FALSE(window.Checked(kBlue)) << "a radio button unchecks its group";
    EXPECT_EQ(1, dialog.m_blue) << "a click alone does not take the data";
  });
  m_ui.Click(kDemoTemplate, kIdOk);

  EXPECT_EQ(kIdOk, dialog.DoModal());
  EXPECT_EQ("typed", dialog.m_name);
  EXPECT_EQ(0, dialog.m_blue);
  EXPECT_EQ(1, dialog.m_nameChanges) << "the rewrite of the same text raises nothing";
  EXPECT_EQ(nullptr, dialog.window()) << "the window is gone after the run";
  EXPECT_TRUE(m_ui.faults().empty());
}

TEST_F(DialogTest, RewritingAnEditRaisesNoSecondNotification) {
  CDemoDlg dialog;
  m_ui.Then(kDemoTemplate, [](CHeadlessWindow& window) { window.Type(kFixed, "changed"); });
  m_ui.Then(kDemoTemplate, [&dialog](CHeadlessWindow& window) {
    EXPECT_EQ("fixed text", window.Text(kFixed)) << "typing in the fixed box is undone";
    EXPECT_EQ(1, dialog.m_fixedChanges);
    EXPECT_EQ("Arial", window.Control(kFixed)->fontFace);
    EXPECT_EQ("", window.Control(kName)->fontFace) << "others keep the dialog's font";
    EXPECT_EQ(kDemoIcon, window.smallIconId());
  });
  m_ui.PressEscape(kDemoTemplate);

  EXPECT_EQ(kIdCancel, dialog.DoModal());
  EXPECT_EQ("initial", dialog.m_name) << "Cancel takes no data";
  EXPECT_TRUE(m_ui.faults().empty());
}

TEST_F(DialogTest, DisabledControlsIgnoreTheUser) {
  CDemoDlg dialog;
  dialog.m_name = "";
  m_ui.Then(kDemoTemplate, [](CHeadlessWindow& window) {
    EXPECT_FALSE(window.Enabled(kApply));
    EXPECT_EQ(0, window.Click(kApply));
  });
  m_ui.Type(kDemoTemplate, kName, "Ann");
  m_ui.Then(kDemoTemplate, [](CHeadlessWindow& window) {
    EXPECT_TRUE(window.Enabled(kApply)) << "the exchange decides the enabled states";
    EXPECT_EQ(1, window.Click(kApply));
    EXPECT_EQ("Hello Ann", window.Text(kStatus));
    window.EnableItem(kIdCancel, 0);
    window.PressCloseBox();
  });
  m_ui.Then(kDemoTemplate, [](CHeadlessWindow& window) {
    EXPECT_FALSE(window.ended()) << "the close box does nothing while Cancel is disabled";
    window.PressEscape();
  });

  EXPECT_EQ(kIdCancel, dialog.DoModal());
  std::vector<std::string> faults = m_ui.faults();
  ASSERT_EQ(1u, faults.size());
  EXPECT_EQ("click: disabled control in dialog 500, control 13", faults[0]);
  ASSERT_EQ(1u, m_ui.boxes().size());
  CHeadlessUi::SBox box = m_ui.boxes()[0];
  EXPECT_EQ("demo", box.caption) << "application boxes carry the executable's name";
  EXPECT_EQ(platform::kApplicationBoxStyle, box.style);
  EXPECT_EQ(kDemoTemplate, box.ownerTemplateId);
}

TEST_F(DialogTest, TimerTicksUntilKilledAndStartFailuresAreRetried) {
  m_ui.FailTimerStarts(2);
  CDemoDlg dialog;
  for (int i = 0; i < kTicksToStop; ++i) m_ui.FireTimer(kDemoTemplate, kTickTimer);
  m_ui.Then(kDemoTemplate, [](CHeadlessWindow& window) {
    EXPECT_EQ(3, window.updateWindowCalls());
    EXPECT_EQ(0, window.FireTimer(kTickTimer)) << "a killed timer does not tick";
  });
  m_ui.Click(kDemoTemplate, kIdOk);

  EXPECT_EQ(kIdOk, dialog.DoModal());
  EXPECT_EQ(kTickTimer, dialog.m_timerId) << "the third start succeeds";
  EXPECT_EQ(kTicksToStop, dialog.m_ticks);
}

TEST_F(DialogTest, NestedDialogsAndBoxesTakeTheirStepsInTurn) {
  CDemoDlg dialog;
  m_ui.Click(kDemoTemplate, kAsk);
  m_ui.Then(kQuestionTemplate, [](CHeadlessWindow& window) {
    EXPECT_EQ("", window.Text(platform::kIdNone)) << "unaddressed statics read as empty";
  });
  m_ui.Click(kQuestionTemplate, kIdCancel);
  m_ui.AnswerBox(4);
  m_ui.Click(kDemoTemplate, kIdOk);

  EXPECT_EQ(kIdOk, dialog.DoModal());
  EXPECT_EQ(kIdCancel * 10 + 4, dialog.m_answer);
  EXPECT_EQ((std::vector<int>{kDemoTemplate, kQuestionTemplate}), m_ui.dialogsRun());
  ASSERT_EQ(1u, m_ui.boxes().size());
  EXPECT_EQ("Demo", m_ui.boxes()[0].caption);
  EXPECT_TRUE(m_ui.faults().empty());
}

TEST_F(DialogTest, ScriptFaultsAreReportedNotHung) {
  CDemoDlg dialog;
  m_ui.Click(kQuestionTemplate, kIdOk);
  m_ui.Type(kDemoTemplate, kStatus, "x");
  EXPECT_EQ(platform::kDialogFailed, dialog.DoModal()) << "the script ran out";
  std::vector<std::string> faults = m_ui.faults();
  ASSERT_EQ(3u, faults.size());
  EXPECT_EQ("a step for dialog 501 reached dialog 500", faults[0]);
  EXPECT_EQ("type: not an edit control: dialog 500, control 14", faults[1]);
  EXPECT_EQ("the script ran out while dialog 500 was open", faults[2]);

  platform::CDialog unknown(999);
  EXPECT_EQ(platform::kDialogFailed, unknown.DoModal());
  EXPECT_EQ(0, unknown.UpdateData(1)) << "no window, no exchange";
}

TEST_F(DialogTest, FailedFontLeavesTheDialogFont) {
  m_ui.FailFonts();
  CDemoDlg dialog;
  m_ui.Then(kDemoTemplate,
            [](CHeadlessWindow& window) { EXPECT_EQ("", window.Control(kFixed)->fontFace); });
  m_ui.Click(kDemoTemplate, kIdOk);
  EXPECT_EQ(kIdOk, dialog.DoModal());
  EXPECT_EQ(0, dialog.m_fontMade);
}

}  // namespace
