// A user-interface service without windows, for tests on both targets. It builds each dialog's
// controls from the description of its template (platform/dialog_template.h), runs a script of
// user actions against the dialog open on top, answers every message box OK, and records every
// box shown, every dialog opened and every fault of the script.
//
// The script is one queue. A dialog's modal run takes the next step each time it waits for the
// user; a dialog opened by a step's handler takes the steps after it, so every step reaches the
// dialog on top at its turn.
#ifndef CIRVANE_PLATFORM_FAKE_HEADLESS_UI_H_
#define CIRVANE_PLATFORM_FAKE_HEADLESS_UI_H_

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/dialog_template.h"

namespace platform {

class CHeadlessUi;

// A control as the headless window holds it.
struct SHeadlessControl {
  SControlTemplate source;
  std::string text;
  bool enabled = true;
  bool checked = false;
  std::string fontFace;  // empty: the dialog's font
};

class CHeadlessWindow : public CDialogWindow {
 public:
  CHeadlessWindow(CHeadlessUi& ui, CDialog& dialog, const SDialogTemplate& source);

  // What a user does. Each returns 1 when the action reached the dialog, and 0 with a recorded
  // fault when the control is missing, disabled or of a kind that cannot take the action.
  // Replaces the text of an edit control as typing does; the dialog hears kEditChange.
  int Type(int id, const std::string& text);
  // Clicks a button; an automatic radio button is checked and the rest of its group unchecked.
  int Click(int id);
  // Esc: IDCANCEL, whatever the state of the Cancel button.
  void PressEscape();
  // One tick of timer `id`; 0 (no fault) when that timer is not running.
  int FireTimer(unsigned id);

  // What a user sees.
  std::string Text(int id) const { return Control(id) ? Control(id)->text : std::string(); }
  int Enabled(int id) const { return Control(id) && Control(id)->enabled; }
  int Checked(int id) const { return Control(id) && Control(id)->checked; }
  // The control, or null.
  const SHeadlessControl* Control(int id) const;
  const SDialogTemplate& source() const { return m_source; }
  // Running timers: id to period in milliseconds.
  const std::map<unsigned, unsigned>& timers() const { return m_timers; }
  // The resource id of the small icon set, 0 when none.
  int smallIconId() const { return m_smallIconId; }
  bool ended() const { return m_ended; }
  int result() const { return m_result; }

  // CDialogWindow.
  std::string GetItemText(int id) override { return Text(id); }
  void SetItemText(int id, const std::string& text) override;
  int IsButtonChecked(int id) override { return Checked(id); }
  void CheckButton(int id, int checked) override {
    if (SHeadlessControl* control = Find(id)) control->checked = checked != 0;
  }
  void EnableItem(int id, int enable) override {
    if (SHeadlessControl* control = Find(id)) control->enabled = enable != 0;
  }
  int IsItemEnabled(int id) override { return Enabled(id); }
  unsigned SetTimer(unsigned id, unsigned milliseconds) override;
  int KillTimer(unsigned id) override { return m_timers.erase(id) ? 1 : 0; }
  void UpdateWindow() override {}
  // An icon handle from LoadIconResource points at its id.
  void SetSmallIcon(IconHandle icon) override {
    m_smallIconId = icon ? *static_cast<const int*>(icon) : 0;
  }
  FontHandle MakeFont(const SFontSpec& spec) override;
  void SetItemFont(int id, FontHandle font) override;
  int ShowMessageBox(const char* text, const char* caption, unsigned style) override;
  void EndDialog(int result) override {
    m_ended = true;
    m_result = result;
  }

 private:
  SHeadlessControl* Find(int id);
  // The control for a user action, or null after recording why it cannot take `action`: it is
  // missing, disabled, or of a kind that `takes` refuses.
  SHeadlessControl* Reachable(int id, const char* action, bool (*takes)(ControlKind kind));
  void CheckInGroup(SHeadlessControl& chosen);

  CHeadlessUi& m_ui;
  CDialog& m_dialog;
  const SDialogTemplate& m_source;
  std::vector<SHeadlessControl> m_controls;
  std::map<unsigned, unsigned> m_timers;
  std::vector<std::unique_ptr<std::string>> m_fonts;  // the faces made, as font handles
  int m_smallIconId = 0;
  bool m_ended = false;
  int m_result = 0;
};

class CHeadlessUi : public CUi {
 public:
  // A step of the script, run against the dialog on top.
  using Action = std::function<void(CHeadlessWindow& window)>;

  // A message box as it was shown.
  struct SBox {
    std::string text;
    std::string caption;
    unsigned style;
  };

  // The templates the program's resources hold, the icon ids they hold, and the name of the
  // executable (the caption of application boxes).
  CHeadlessUi(std::vector<SDialogTemplate> templates, std::vector<int> iconIds = {},
              std::string applicationName = "CirvaneIVSetup");

  // Appends a step for dialog `templateId`; a fault is recorded when another dialog is on top.
  void Then(int templateId, Action action);
  // Shortcuts for the common steps.
  void Click(int templateId, int id) {
    Then(templateId, [id](CHeadlessWindow& window) { window.Click(id); });
  }
  void Type(int templateId, int id, const std::string& text) {
    Then(templateId, [id, text](CHeadlessWindow& window) { window.Type(id, text); });
  }
  void PressEscape(int templateId) {
    Then(templateId, [](CHeadlessWindow& window) { window.PressEscape(); });
  }
  // Makes the next `count` timer starts fail, as a busy system would.
  void FailTimerStarts(int count) { m_timerFailures = count; }

  // CUi.
  int ShowMessageBox(const char* text) override;
  int RunModalDialog(CDialog& dialog) override;
  IconHandle LoadIconResource(int resourceId) override;

  std::vector<SBox> boxes() const;
  // The box texts only, oldest first.
  std::vector<std::string> boxTexts() const;
  // Template ids of the dialogs run, in the order they opened.
  const std::vector<int>& dialogsRun() const { return m_dialogsRun; }
  // What went wrong with the script: actions that could not be done, steps for another dialog,
  // a dialog left open when the script ran out, steps left over. Empty when all went to plan.
  std::vector<std::string> faults() const;

  // For the windows.
  void AddFault(const std::string& fault);
  int RecordBox(const char* text, const char* caption, unsigned style);
  // True when this timer start is one that FailTimerStarts made fail.
  bool TakeTimerFailure() { return m_timerFailures > 0 && m_timerFailures-- > 0; }

 private:
  struct SStep {
    int templateId;
    Action action;
  };

  // Runs steps until `window` has ended; false when the script ran out first.
  bool RunScript(CHeadlessWindow& window);
  bool TakeStep(SStep* step);

  std::vector<SDialogTemplate> m_templates;
  std::vector<int> m_iconIds;
  std::string m_applicationName;
  mutable std::mutex m_mutex;  // guards the script, the boxes and the faults
  std::deque<SStep> m_script;
  std::vector<SBox> m_boxes;
  std::vector<std::string> m_faults;
  std::vector<int> m_dialogsRun;
  int m_timerFailures = 0;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_FAKE_HEADLESS_UI_H_
