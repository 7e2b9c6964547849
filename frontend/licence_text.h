// The licence agreement and disclaimer shown in the main dialog, compiled in from licence.txt:
// 8-bit text (Windows-1252) with CR LF between its lines, as the multi-line edit control needs.
#ifndef CIRVANE_FRONTEND_LICENCE_TEXT_H_
#define CIRVANE_FRONTEND_LICENCE_TEXT_H_

#include <cstddef>

// The text, followed by a terminating NUL.
extern const char LicenceText[];
// Its length in bytes, the NUL not counted.
extern const size_t kLicenceTextLength;

#endif  // CIRVANE_FRONTEND_LICENCE_TEXT_H_
