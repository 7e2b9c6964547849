// A CFile over a C runtime stream, shared by both targets' file services.
#ifndef CIRVANE_PLATFORM_STDIO_FILE_H_
#define CIRVANE_PLATFORM_STDIO_FILE_H_

#include <cstdio>
#include <memory>

#include "platform/files.h"

namespace platform {

// Takes over `stream` (null gives null), opened for reading or for `writing`.
std::unique_ptr<CFile> WrapStdioFile(FILE* stream, bool writing);

// Flushes `stream` and forces its bytes onto the disk; 1 on success. Each target defines it
// beside its file service.
int CommitStream(FILE* stream);

}  // namespace platform

#endif  // CIRVANE_PLATFORM_STDIO_FILE_H_
