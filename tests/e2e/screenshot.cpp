#include "tests/e2e/screenshot.h"

#include <cstdio>
#include <memory>

namespace e2e {
namespace {

constexpr WORD kBitsPerPixel = 24;
constexpr LONG kPixelsPerMetre = 2835;  // 72 dots per inch
constexpr DWORD kRowAlignment = 4;

struct SDcReleaser {
  void operator()(HDC context) const { ReleaseDC(nullptr, context); }
};

}  // namespace

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
