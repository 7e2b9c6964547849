// Photographs a window as the screen shows it, into a BMP file.
//
// The file is an uncompressed 24-bit BMP: the 14-byte file header ("BM", file size, two
// reserved zero words, offset of the pixels = 54), the 40-byte BITMAPINFOHEADER (size 40, width,
// height, 1 plane, 24 bits, no compression, image size, 2835 pixels per metre both ways, no
// palette), then the rows bottom-up, each padded to a multiple of 4 bytes. All fields are
// little-endian.
#ifndef CIRVANE_TESTS_E2E_SCREENSHOT_H_
#define CIRVANE_TESTS_E2E_SCREENSHOT_H_

#include <windows.h>

#include <string>

namespace e2e {

// Copies the screen's pixels under `window` (frame and caption included) into the BMP file
// `path`. Null when written, or a message naming what failed.
const char* SaveWindowPicture(HWND window, const std::string& path);

}  // namespace e2e

#endif  // CIRVANE_TESTS_E2E_SCREENSHOT_H_
