#include "tests/e2e/screenshot.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace e2e {
namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint16_t kBitsPerPixel = 24;
constexpr uint32_t kBytesPerPixel = kBitsPerPixel / 8;
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dots per inch
constexpr uint32_t kRowAlignment = 4;

// Little-endian fields appended one by one.
class CBytes {
 public:
  void Add16(uint16_t value) {
    for (int shift = 0; shift < 16; shift += 8) m_bytes.push_back(uint8_t(value >> shift));
  }
  void Add32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) m_bytes.push_back(uint8_t(value >> shift));
  }
  std::vector<uint8_t>& bytes() { return m_bytes; }

 private:
  std::vector<uint8_t> m_bytes;
};

std::vector<uint8_t> Headers(int width, int height, uint32_t imageSize) {
  CBytes out;
  out.Add16('B' | ('M' << 8));
  out.Add32(kFileHeaderSize + kInfoHeaderSize + imageSize);
  out.Add16(0);
  out.Add16(0);
  out.Add32(kFileHeaderSize + kInfoHeaderSize);
  out.Add32(kInfoHeaderSize);
  out.Add32(static_cast<uint32_t>(width));
  out.Add32(static_cast<uint32_t>(height));  // positive: rows bottom-up
  out.Add16(1);
  out.Add16(kBitsPerPixel);
  out.Add32(BI_RGB);
  out.Add32(imageSize);
  out.Add32(static_cast<uint32_t>(kPixelsPerMetre));
  out.Add32(static_cast<uint32_t>(kPixelsPerMetre));
  out.Add32(0);
  out.Add32(0);
  return out.bytes();
}

struct SDcReleaser {
  void operator()(HDC context) const { ReleaseDC(nullptr, context); }
};
struct SDcDeleter {
  void operator()(HDC context) const { DeleteDC(context); }
};
struct SObjectDeleter {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};

}  // namespace

const char* SaveWindowPicture(HWND window, const std::string& path) {
  RECT area = {};
  if (!GetWindowRect(window, &area)) return "the window is gone";
  int width = area.right - area.left;
  int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return "the window has no size";
  std::unique_ptr<HDC__, SDcReleaser> screen(GetDC(nullptr));
  std::unique_ptr<HDC__, SDcDeleter> memory(CreateCompatibleDC(screen.get()));
  if (!screen || !memory) return "no device context";

  BITMAPINFO format = {};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = height;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = kBitsPerPixel;
  format.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  std::unique_ptr<HBITMAP__, SObjectDeleter> bitmap(
      CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (!bitmap || !pixels) return "no bitmap";
  HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  BOOL copied = BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top,
                       SRCCOPY | CAPTUREBLT);
  SelectObject(memory.get(), previous);
  if (!copied) return "the screen could not be copied";
  GdiFlush();

  uint32_t rowSize = (width * kBytesPerPixel + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
  uint32_t imageSize = rowSize * static_cast<uint32_t>(height);
  std::vector<uint8_t> headers = Headers(width, height, imageSize);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return "the picture file could not be created";
  bool written = std::fwrite(headers.data(), 1, headers.size(), file) == headers.size() &&
                 std::fwrite(pixels, 1, imageSize, file) == imageSize;
  if (std::fclose(file) != 0 || !written) return "the picture file could not be written";
  return nullptr;
}

}  // namespace e2e
