// File routines shared by every part of the installer. Paths longer than kMaxPathLength are
// refused with each routine's usual failure.
#ifndef CIRVANE_ENGINE_FILES_H_
#define CIRVANE_ENGINE_FILES_H_

#include <memory>
#include <string_view>

#include "platform/files.h"

// Most directory-creation calls one request of CreateDirectoryTree makes, nested ones included.
constexpr int kDirectoryCallBudget = 261;

// 1 when an entry named `name` exists and is not a directory; 0 otherwise (also for an empty
// name, and on Windows for one with wildcards, which its directory search would treat as a
// pattern; they are ordinary characters of POSIX names).
int FileExists(std::string_view name);

// 1 when an entry of any kind named `name` exists; 0 otherwise (same refusals as FileExists).
int EntryExists(std::string_view name);

// 1 when a directory named `name` exists, with or without one trailing backslash; 0 otherwise.
int DirectoryExists(std::string_view name);

// Creates `directory` and every missing directory above it. `budget` counts the calls of one
// request and starts at 0; after kDirectoryCallBudget calls the request gives up. Reports
// nothing: ask DirectoryExists afterwards.
void CreateDirectoryTree(std::string_view directory, int* budget);

// Opens `path` for binary reading; null when it is too long or cannot be opened.
std::unique_ptr<platform::CFile> OpenForRead(std::string_view path);

// Opens `path` for binary writing, creating or truncating it; clears a read-only attribute and
// creates missing directories when needed. Null when the file cannot be opened.
std::unique_ptr<platform::CFile> OpenForWrite(std::string_view path);

// Copies `source` over `destination` (clearing its read-only attribute when the first open
// fails). 1 when every byte arrived; 0 when a file cannot be opened, read, written or closed.
int CopyFileBytes(std::string_view source, std::string_view destination);

// Copies the rest of `input` to `output` in chunks and closes `input` (not `output`). 1 when
// every byte was read and written.
int CopyAllBytes(platform::CFile& input, platform::CFile& output);

#endif  // CIRVANE_ENGINE_FILES_H_
