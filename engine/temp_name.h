// Temporary files of member extraction.
#ifndef CIRVANE_ENGINE_TEMP_NAME_H_
#define CIRVANE_ENGINE_TEMP_NAME_H_

#include <optional>

#include "platform/files.h"

// Most numbers tried for one temporary file before giving up.
constexpr unsigned kMaxTempNameAttempts = 100000;

// Creates a new file "<directory>\tmp<number>": the directory is the one named by the
// environment variable TMP when it exists, else the file service's fallback (the current
// drive's root, or the current directory). The number continues a process-wide counter and is
// raised past every name that something (a file, a folder, a link) already has: nothing there
// is ever opened or written through. The file, open for writing; `file` null with the name in
// `path` when the system refused to create it; nothing when no name within the path limit is
// free.
std::optional<platform::SNewFile> MakeTempFile();

#endif  // CIRVANE_ENGINE_TEMP_NAME_H_
