// Names for temporary files of member extraction.
#ifndef CIRVANE_ENGINE_TEMP_NAME_H_
#define CIRVANE_ENGINE_TEMP_NAME_H_

#include <optional>
#include <string>

// Most numbers tried for one name before giving up.
constexpr unsigned kMaxTempNameAttempts = 100000;

// A fresh name "<directory>\tmp<number>": the directory is the one named by the environment
// variable TMP when it exists, else the file service's fallback (the current drive's root, or
// the current directory). The number continues a process-wide counter and is raised until
// nothing of that name exists. Nothing when no name within the path limit is free.
std::optional<std::string> MakeTempName();

#endif  // CIRVANE_ENGINE_TEMP_NAME_H_
