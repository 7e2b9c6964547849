#include "tests/e2e/installer_windows.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace e2e {
namespace {

constexpr char kDialogClass[] = "#32770";
constexpr char kTreeViewClass[] = "SysTreeView32";
constexpr char kInstallerCaption[] = "Cirvane IV Installation";
constexpr UINT kAnswerMilliseconds = 2000;  // how long a window may take to answer a message
constexpr size_t kClassCapacity = 64;
constexpr size_t kTextCapacity = 8192;  // the licence is the longest text, about 2,600 bytes
constexpr WORD kBitsPerPixel = 24;
constexpr LONG kPixelsPerMetre = 2835;  // 72 dots per inch
constexpr DWORD kRowAlignment = 4;

struct SDcReleaser {
  void operator()(HDC context) const { ReleaseDC(nullptr, context); }
};

// Sends `message` to `window` and waits at most kAnswerMilliseconds for its answer; 0 when it
// does not answer.
DWORD_PTR Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerMilliseconds,
                      &result);
  return result;
}

struct SSearch {
  DWORD processId;
  std::vector<SInstallerWindow>* found;
};

bool HasClass(HWND window, const char* className) {
  char name[kClassCapacity] = {};
  return GetClassNameA(window, name, sizeof name) > 0 && std::strcmp(name, className) == 0;
}

WindowKind Classify(HWND window) {
  if (GetDlgItem(window, IDC_INSTALL_NOW)) return WindowKind::kMain;
  if (GetDlgItem(window, IDC_OVERWRITE)) return WindowKind::kOverwrite;
  if (FindWindowExA(window, nullptr, kTreeViewClass, nullptr)) return WindowKind::kFolderBrowser;
  if (ReadText(window) == kInstallerCaption) return WindowKind::kQuit;
  return WindowKind::kMessageBox;
}

BOOL CALLBACK NoteInstallerWindow(HWND window, LPARAM search) {
  const SSearch& wanted = *reinterpret_cast<const SSearch*>(search);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == wanted.processId && IsWindowVisible(window) && HasClass(window, kDialogClass)) {
    wanted.found->push_back({window, Classify(window)});
  }
  return TRUE;
}

}  // namespace

std::vector<SInstallerWindow> FindInstallerWindows(DWORD processId) {
  std::vector<SInstallerWindow> found;
  SSearch search{processId, &found};
  EnumWindows(NoteInstallerWindow, reinterpret_cast<LPARAM>(&search));
  return found;
}

std::string ReadText(HWND window) {
  if (!window) return std::string();
  std::string text(kTextCapacity, '\0');
  Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(std::strlen(text.c_str()));
  return text;
}

std::string ReadItemText(HWND dialog, int id) { return ReadText(GetDlgItem(dialog, id)); }

int IsItemEnabled(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  return item && IsWindowEnabled(item) ? 1 : 0;
}

std::string ReadStates(HWND mainDialog) {
  std::string states;
  for (int id : kStateControls) states += IsItemEnabled(mainDialog, id) ? '1' : '0';
  return states;
}

int IsItemChecked(HWND dialog, int id) {
  return Send(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void SetItemText(HWND dialog, int id, const std::string& text) {
  Send(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TypeInto(HWND dialog, int id, const std::string& text) {
  HWND edit = GetDlgItem(dialog, id);
  for (unsigned char c : text) Send(edit, WM_CHAR, c, 1);
}

void ClickRadio(HWND dialog, int id) { Send(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::string OneLine(const std::string& text) {
  std::string line;
  for (char c : text) line += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
  return line;
}

const char* SaveWindowPicture(HWND window, const std::string& path) {
  RECT area = {};
  if (!GetWindowRect(window, &area)) return "the window is gone";
  int width = area.right - area.left;
  int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return "the window has no size";
  std::unique_ptr<HDC__, SDcReleaser> screen(GetDC(nullptr));
  std::unique_ptr<HDC__, decltype(&DeleteDC)> memory(CreateCompatibleDC(screen.get()), DeleteDC);
  if (!screen || !memory) return "no device context";

  // Rows bottom-up (a positive height), each padded to a multiple of kRowAlignment bytes.
  DWORD rowSize = (width * kBitsPerPixel / 8 + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
  BITMAPINFO format = {};
  BITMAPINFOHEADER& info = format.bmiHeader;
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = kBitsPerPixel;
  info.biCompression = BI_RGB;
  info.biSizeImage = rowSize * static_cast<DWORD>(height);
  info.biXPelsPerMeter = kPixelsPerMetre;
  info.biYPelsPerMeter = kPixelsPerMetre;
  void* pixels = nullptr;
  std::unique_ptr<HBITMAP__, decltype(&DeleteObject)> bitmap(
      CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &pixels, nullptr, 0), DeleteObject);
  if (!bitmap || !pixels) return "no bitmap";
  HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  BOOL copied = BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top,
                       SRCCOPY | CAPTUREBLT);
  SelectObject(memory.get(), previous);
  if (!copied) return "the screen could not be copied";
  GdiFlush();

  static_assert(sizeof(BITMAPFILEHEADER) == 14, "the file header is written as it is in memory");
  BITMAPFILEHEADER header = {};
  header.bfType = 'B' | ('M' << 8);
  header.bfOffBits = sizeof header + sizeof info;
  header.bfSize = header.bfOffBits + info.biSizeImage;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return "the picture file could not be created";
  bool written = std::fwrite(&header, sizeof header, 1, file) == 1 &&
                 std::fwrite(&info, sizeof info, 1, file) == 1 &&
                 std::fwrite(pixels, 1, info.biSizeImage, file) == info.biSizeImage;
  if (std::fclose(file) != 0 || !written) return "the picture file could not be written";
  return nullptr;
}

}  // namespace e2e
