#include "platform/win32/dialog_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace platform {
namespace {

constexpr int kPointsPerInch = 72;

// The dialogs this thread runs, innermost last.
thread_local std::vector<HWND> t_openDialogs;

class CWin32DialogWindow : public CDialogWindow {
 public:
  explicit CWin32DialogWindow(HWND window) : m_window(window) {}
  ~CWin32DialogWindow() override {
    for (HFONT font : m_fonts) DeleteObject(font);
  }
  CWin32DialogWindow(const CWin32DialogWindow&) = delete;
  CWin32DialogWindow& operator=(const CWin32DialogWindow&) = delete;

  std::string GetItemText(int id) override {
    HWND item = GetDlgItem(m_window, id);
    if (!item) return std::string();
    int length = GetWindowTextLengthA(item);
    if (length <= 0) return std::string();
    std::vector<char> text(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextA(item, text.data(), length + 1);
    return std::string(text.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
  }

  // Rewrites only a changed text, so an unchanged box keeps its caret, selection and scroll.
  void SetItemText(int id, const std::string& text) override {
    HWND item = GetDlgItem(m_window, id);
    if (item && GetItemText(id) != text) SetWindowTextA(item, text.c_str());
  }

  int IsButtonChecked(int id) override { return IsDlgButtonChecked(m_window, id) == BST_CHECKED; }

  void CheckButton(int id, int checked) override {
    CheckDlgButton(m_window, id, checked ? BST_CHECKED : BST_UNCHECKED);
  }

  void EnableItem(int id, int enable) override {
    HWND item = GetDlgItem(m_window, id);
    if (item) EnableWindow(item, enable ? TRUE : FALSE);
  }

  int IsItemEnabled(int id) override {
    HWND item = GetDlgItem(m_window, id);
    return item && IsWindowEnabled(item);
  }

  unsigned SetTimer(unsigned id, unsigned milliseconds) override {
    return ::SetTimer(m_window, id, milliseconds, nullptr) ? id : 0;
  }

  int KillTimer(unsigned id) override { return ::KillTimer(m_window, id) ? 1 : 0; }

  void UpdateWindow() override { ::UpdateWindow(m_window); }

  void SetSmallIcon(IconHandle icon) override {
    SendMessageA(m_window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(const_cast<void*>(icon)));
  }

  FontHandle MakeFont(const SFontSpec& spec) override {
    if (!spec.face) return nullptr;
    HDC context = GetDC(m_window);
    int pixelsPerInch = context ? GetDeviceCaps(context, LOGPIXELSY) : 0;
    if (context) ReleaseDC(m_window, context);
    if (pixelsPerInch <= 0) return nullptr;
    LOGFONTA request = {};
    request.lfHeight = -MulDiv(spec.pointSize, pixelsPerInch, kPointsPerInch);
    request.lfWeight = spec.weight;
    strncpy(request.lfFaceName, spec.face, LF_FACESIZE - 1);
    HFONT font = CreateFontIndirectA(&request);
    if (font) m_fonts.push_back(font);
    return font;
  }

  void SetItemFont(int id, FontHandle font) override {
    SendDlgItemMessageA(m_window, id, WM_SETFONT, reinterpret_cast<WPARAM>(const_cast<void*>(font)),
                        FALSE);
  }

  int ShowMessageBox(const char* text, const char* caption, unsigned style) override {
    return MessageBoxA(m_window, text, caption, style);
  }

  void EndDialog(int result) override { ::EndDialog(m_window, result); }

 private:
  HWND m_window;
  std::vector<HFONT> m_fonts;
};

// What the dialog procedure keeps for one modal run.
struct SDialogRun {
  CDialog& dialog;
  std::unique_ptr<CWin32DialogWindow> window;
  bool open = false;
};

SDialogRun* RunOf(HWND window) {
  return reinterpret_cast<SDialogRun*>(GetWindowLongPtrA(window, DWLP_USER));
}

// Centres `window` over its owner, or on the work area when it has none, keeping it inside
// the work area.
void CentreWindow(HWND window) {
  RECT area = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  RECT around = area;
  HWND owner = GetWindow(window, GW_OWNER);
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &around);
  RECT own = {};
  GetWindowRect(window, &own);
  LONG width = own.right - own.left;
  LONG height = own.bottom - own.top;
  LONG left = around.left + (around.right - around.left - width) / 2;
  LONG top = around.top + (around.bottom - around.top - height) / 2;
  left = std::max(area.left, std::min(left, area.right - width));
  top = std::max(area.top, std::min(top, area.bottom - height));
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A dialog that OnInitDialog did not move is centred, as dialog frameworks do: the templates
// place every dialog at 0, 0, which would put a second dialog over its owner's corner.
INT_PTR OpenRun(HWND window, SDialogRun* run) {
  SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(run));
  run->window = std::make_unique<CWin32DialogWindow>(window);
  run->dialog.AttachWindow(run->window.get());
  t_openDialogs.push_back(window);
  run->open = true;
  RECT before = {};
  GetWindowRect(window, &before);
  INT_PTR focus = run->dialog.OnInitDialog();
  RECT after = {};
  if (IsWindow(window) && GetWindowRect(window, &after) && EqualRect(&before, &after)) {
    CentreWindow(window);
  }
  return focus;
}

// Messages that arrive before WM_INITDIALOG (the controls being made) find no run and go to
// the system's default handling.
INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return OpenRun(window, reinterpret_cast<SDialogRun*>(lParam));
  SDialogRun* run = RunOf(window);
  if (!run || !run->open) return FALSE;
  switch (message) {
    case WM_COMMAND:
      run->dialog.DispatchCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_TIMER:
      run->dialog.OnTimer(static_cast<unsigned>(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

// The controls' three-dimensional look of the manifest's control library, asked for once.
void PrepareControls() {
  static const bool prepared = [] {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)prepared;
}

}  // namespace

HWND ActiveDialogWindow() { return t_openDialogs.empty() ? nullptr : t_openDialogs.back(); }

int RunWin32Dialog(CDialog& dialog) {
  PrepareControls();
  SDialogRun run{dialog, nullptr};
  INT_PTR result =
      DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialog.templateId()),
                      ActiveDialogWindow(), DialogProcedure, reinterpret_cast<LPARAM>(&run));
  if (run.open) {
    t_openDialogs.pop_back();
    dialog.AttachWindow(nullptr);
  }
  return result == -1 ? kDialogFailed : static_cast<int>(result);
}

}  // namespace platform
