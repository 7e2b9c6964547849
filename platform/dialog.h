// The dialog framework: a modal dialog over a template of the program's resources, the exchange
// of texts and check states between its controls and its members, command notifications,
// enabling controls, a window timer, fonts, icons and message boxes owned by the dialog.
//
// A derived class overrides DoDataExchange, OnInitDialog, OnCommand, OnTimer, OnOK and OnCancel
// where it needs to. DoModal hands the object to the user-interface service (platform/ui.h),
// which makes the window, attaches it as a CDialogWindow and calls back into the object until
// EndDialog; the window exists only while DoModal runs. Every call that needs the window does
// nothing (and returns 0) outside that time.
#ifndef CIRVANE_PLATFORM_DIALOG_H_
#define CIRVANE_PLATFORM_DIALOG_H_

#include <string>

#include "platform/ui.h"

namespace platform {

// The results and command ids of the standard buttons, with the system's values.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
// Control id of a static that is never addressed.
constexpr int kIdNone = -1;

// Notification codes of a command, with the system's values.
constexpr int kButtonClicked = 0;   // a button was clicked (also Esc and the close box: IDCANCEL)
constexpr int kEditChange = 0x300;  // the text of an edit control changed

// A font to create for a control: face name, size in points, weight (400 normal, 700 bold).
struct SFontSpec {
  const char* face;
  int pointSize;
  int weight;
};

// A font made by a dialog window; it lives as long as that window.
using FontHandle = const void*;

// The window of a running dialog, made by the user-interface service. Control ids are those of
// the dialog's template; an id the window does not hold is ignored (texts read as "").
class CDialogWindow {
 public:
  virtual ~CDialogWindow() = default;
  virtual std::string GetItemText(int id) = 0;
  // Replaces the text of control `id` when it differs; an edit control notifies kEditChange.
  virtual void SetItemText(int id, const std::string& text) = 0;
  // 1 when the check box or radio button `id` is checked.
  virtual int IsButtonChecked(int id) = 0;
  virtual void CheckButton(int id, int checked) = 0;
  virtual void EnableItem(int id, int enable) = 0;
  // 1 when control `id` exists and is enabled.
  virtual int IsItemEnabled(int id) = 0;
  // Starts (or restarts) timer `id` of this window; returns `id`, or 0 when the system refused.
  virtual unsigned SetTimer(unsigned id, unsigned milliseconds) = 0;
  // Stops timer `id`; 1 when it was running.
  virtual int KillTimer(unsigned id) = 0;
  // Paints what has changed at once, without waiting for the message loop.
  virtual void UpdateWindow() = 0;
  // Sets the small icon of the window's caption (the large one is left alone).
  virtual void SetSmallIcon(IconHandle icon) = 0;
  // A font of `spec` at the screen's resolution; null when the system cannot make it.
  virtual FontHandle MakeFont(const SFontSpec& spec) = 0;
  // Gives control `id` the font, without redrawing it.
  virtual void SetItemFont(int id, FontHandle font) = 0;
  // A modal message box owned by this window; returns the box's result.
  virtual int ShowMessageBox(const char* text, const char* caption, unsigned style) = 0;
  // Ends the modal run once the current notification returns; DoModal returns `result`.
  virtual void EndDialog(int result) = 0;
};

// One exchange of data between a dialog's controls and its members.
class CDataExchange {
 public:
  CDataExchange(CDialogWindow& window, int saving) : m_window(window), m_saving(saving) {}
  // 1: the controls' contents go into the members; 0: the members go into the controls.
  int saving() const { return m_saving; }
  CDialogWindow& window() const { return m_window; }

 private:
  CDialogWindow& m_window;
  int m_saving;
};

// Exchanges the text of control `id` with `value`, in the direction of `exchange`.
void ExchangeText(CDataExchange& exchange, int id, std::string& value);
// Exchanges the check state of button `id` with `value` (1 checked, 0 not).
void ExchangeCheck(CDataExchange& exchange, int id, int& value);

class CDialog {
 public:
  explicit CDialog(int templateId) : m_templateId(templateId) {}
  virtual ~CDialog() = default;
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Runs the dialog modally; returns the result it ended with (kIdOk, kIdCancel, ...), or
  // kDialogFailed when no window could be made.
  int DoModal() { return UiService().RunModalDialog(*this); }

  int templateId() const { return m_templateId; }
  // The open window; null outside DoModal.
  CDialogWindow* window() const { return m_window; }

  // Runs DoDataExchange: `saving` 1 takes the controls' contents into the members, 0 gives the
  // members to the controls (the edit notifications this raises are not passed on). 1 when the
  // exchange ran, 0 without a window.
  int UpdateData(int saving);
  void EnableItem(int id, int enable);
  // Checks `checkId` and unchecks every other button from `firstId` to `lastId`.
  void CheckRadioButton(int firstId, int lastId, int checkId);
  unsigned SetTimer(unsigned id, unsigned milliseconds);
  int KillTimer(unsigned id);
  void UpdateWindow();
  void SetSmallIcon(IconHandle icon);
  // Makes a font of `spec` and gives it to control `id`; 1 when the font could be made.
  int SetItemFont(int id, const SFontSpec& spec);
  // A message box owned by the dialog; 0 without a window.
  int ShowMessageBox(const char* text, const char* caption, unsigned style);
  void EndDialog(int result);

  // Called by the user-interface service.
  // Attaches the window DoModal made (null: detaches it when the run is over).
  void AttachWindow(CDialogWindow* window) { m_window = window; }
  // Passes a command notification on to OnCommand, except the edit notifications that
  // UpdateData(0) raises while it writes the controls.
  void DispatchCommand(int id, int code);
  // The window was made: gives the members to the controls. Returns 1 to let the system place
  // the focus.
  virtual int OnInitDialog();
  // A tick of a timer started with SetTimer.
  virtual void OnTimer(unsigned id) { (void)id; }

  // IDOK: takes the controls' contents, then ends the dialog with kIdOk.
  virtual void OnOK();
  // IDCANCEL (the Cancel button, Esc, the close box): ends the dialog with kIdCancel.
  virtual void OnCancel();

 protected:
  // Names the controls to exchange and their members; the base exchanges nothing.
  virtual void DoDataExchange(CDataExchange& exchange) { (void)exchange; }
  // A notification (kButtonClicked, kEditChange, ...) from control `id`. The base sends clicks
  // of IDOK and IDCANCEL to OnOK and OnCancel; overrides pass on what they do not handle.
  virtual void OnCommand(int id, int code);

 private:
  int m_templateId;
  CDialogWindow* m_window = nullptr;
  int m_givingData = 0;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_DIALOG_H_
