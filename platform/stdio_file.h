// A CFile over a C runtime stream, shared by both targets' file services.
#ifndef CIRVANE_PLATFORM_STDIO_FILE_H_
#define CIRVANE_PLATFORM_STDIO_FILE_H_

#include <cstdio>
#include <memory>

#include "platform/files.h"

namespace platform {

// Opens `systemPath` (already in the system's own form) with fopen in binary mode; null when
// the runtime refuses.
std::unique_ptr<CFile> OpenStdioFile(const char* systemPath, OpenMode mode);

}  // namespace platform

#endif  // CIRVANE_PLATFORM_STDIO_FILE_H_
