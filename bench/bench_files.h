// Plain stdio file helpers of the baseline installers: what a minimal program would call, with
// POSIX slash paths.
#ifndef CIRVANE_BENCH_BENCH_FILES_H_
#define CIRVANE_BENCH_BENCH_FILES_H_

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

#include "payload/payload.h"

// Closes the stream when it goes out of scope.
struct StreamCloser {
  void operator()(FILE* stream) const { fclose(stream); }
};
using Stream = std::unique_ptr<FILE, StreamCloser>;

// The slash path of `entry` below `directory`: ".\a\b.txt" becomes "<directory>/a/b.txt".
std::string TargetPath(const std::string& directory, const PayloadEntry& entry);

// Opens `path` for binary writing; when that fails, creates the directories above it and tries
// once more. Null when the second attempt fails too.
Stream OpenCreatingDirectories(const std::string& path);

// Closes `stream`; true when every byte written reached the file.
bool CloseWritten(Stream stream);

// Writes `size` bytes at `data` to a new file `path`; true when every byte reached it.
bool WriteWholeFile(const std::string& path, const unsigned char* data, size_t size);

// Clears the write permissions of `path`, as the installer's read-only attribute does here.
// True on success.
bool MakeReadOnly(const std::string& path);

#endif  // CIRVANE_BENCH_BENCH_FILES_H_
