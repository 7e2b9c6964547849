// File service: the few file-system calls the installer makes, behind one interface so that
// tests can watch them or make them fail.
//
// Paths are the system's 8-bit texts with backslash separators. The POSIX implementation turns
// them into slash paths at this edge (`\tmp\x\a.sub` is `/tmp/x/a.sub`); ImportPath turns a path
// that comes from the user or the environment into the backslash form the logic works with.
#ifndef CIRVANE_PLATFORM_FILES_H_
#define CIRVANE_PLATFORM_FILES_H_

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// An open binary file; closed when destroyed.
class CFile {
 public:
  virtual ~CFile() = default;
  // Reads up to `size` bytes; returns the count read, 0 at the end of the file or on an error.
  virtual size_t Read(void* buffer, size_t size) = 0;
  // Writes `size` bytes; returns the count written, fewer when the system refused (a full disk).
  virtual size_t Write(const void* data, size_t size) = 0;
  // Hands everything written so far to the system, out of this process's buffers (not yet onto
  // the disk); 1 on success.
  virtual int Flush() = 0;
  // Pushes everything written so far onto the disk itself (POSIX fsync, Windows _commit), so
  // that a file moved over another afterwards can never show up with its bytes still in
  // flight; 1 on success.
  virtual int Sync() = 0;
  // Flushes and closes; returns 1 when everything written reached the file, 0 otherwise.
  virtual int Close() = 0;
};

enum class OpenMode {
  kRead,   // binary reading ("rb")
  kWrite,  // binary writing, creating or truncating ("wb")
};

// What a directory search finds under a name.
enum class EntryKind { kNone, kFile, kDirectory };

enum class MakeDirectoryResult { kMade, kAlreadyExists, kFailed };

// A file this process has just created, open for binary writing, and its name.
struct SNewFile {
  std::string path;
  std::unique_ptr<CFile> file;
};

class CFileSystem {
 public:
  virtual ~CFileSystem() = default;
  // Opens `path`; null when the system refuses. Windows refuses to write a read-only file and
  // lets no other program write the file while it is open.
  virtual std::unique_ptr<CFile> Open(const char* path, OpenMode mode) = 0;
  // Creates `path` as a new, empty file for binary writing. Whatever already has that name (a
  // file, a folder, a link, even one that leads nowhere) is never opened or followed: the call
  // fails and sets `*taken`. Null on failure, with `*taken` false when the system refused for
  // another reason (no such folder, no permission, a full disk).
  virtual std::unique_ptr<CFile> CreateNew(const char* path, bool* taken) = 0;
  // Moves the file `from` over `to` in one step, replacing a file there: Windows MoveFileExA
  // with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH, POSIX rename. 1 on success;
  // Windows refuses when `to` is read-only.
  virtual int MoveReplacing(const char* from, const char* to) = 0;
  // Asks for the folder holding `path` to reach the disk, so that a move into it lasts (POSIX
  // fsync of the folder; on Windows MOVEFILE_WRITE_THROUGH has done it). 1 on success.
  virtual int SyncFolderOf(const char* path) = 0;
  // Looks `path` up with the system's directory search. On Windows a name with `*` or `?` finds
  // nothing: the search would take it as a pattern.
  virtual EntryKind Find(const char* path) = 0;
  // Creates one directory (its parent must exist).
  virtual MakeDirectoryResult MakeDirectory(const char* path) = 0;
  // Deletes a file; 1 when it is gone, 0 when the system refused (Windows: a read-only file).
  virtual int RemoveFile(const char* path) = 0;
  // Removes a directory, which must be empty; 1 when it is gone, 0 when the system refused.
  virtual int RemoveEmptyDirectory(const char* path) = 0;
  // Sets or clears the read-only attribute (POSIX: the write permission bits); 1 on success.
  virtual int SetReadOnly(const char* path, bool readOnly) = 0;
  // 1 when `path` exists and carries the read-only attribute.
  virtual int IsReadOnly(const char* path) = 0;
  // Where temporary files go when TMP names no directory: the root of the current drive where
  // the system has drives and it can be reached, else the current directory ".".
  virtual std::string FallbackTempDirectory() = 0;
  // A new temporary file for a database merge, created as CreateNew does; nothing when none can
  // be made. Windows: the runtime's tmpnam names in the current drive's root, the next one
  // whenever a name is taken. POSIX: mkstemp in TMPDIR or /tmp.
  virtual std::optional<SNewFile> MakeFreshTempFile() = 0;
};

// The file service in use: the real one unless a test installed another.
CFileSystem& Files();
// Installs `files` as the file service; null puts the real one back. For tests.
void UseFiles(CFileSystem* files);
// The real file service of this target.
CFileSystem& RealFiles();

// A path typed by the user or read from the environment, in the backslash form of the logic.
std::string ImportPath(std::string_view systemPath);

}  // namespace platform

#endif  // CIRVANE_PLATFORM_FILES_H_
