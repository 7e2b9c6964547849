// The file service on Windows.
#include <direct.h>
#include <errno.h>
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "platform/files.h"
#include "platform/stdio_file.h"

namespace platform {
namespace {

constexpr char kCurrentDriveRoot[] = "\\";
constexpr int kCreateNewFlags = _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY;
constexpr int kNewFilePermissions = _S_IREAD | _S_IWRITE;
// tmpnam names tried for one temporary file before giving up.
constexpr int kMaxTempNameAttempts = 1000;

// Characters the directory search takes as a pattern; no name holds them.
constexpr char kWildcards[] = "*?";

bool NameTaken(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

class CWin32Files : public CFileSystem {
 public:
  // Other programs may read the file while it is open, but not write it.
  std::unique_ptr<CFile> Open(const char* path, OpenMode mode) override {
    bool writing = mode == OpenMode::kWrite;
    return WrapStdioFile(_fsopen(path, writing ? "wb" : "rb", _SH_DENYWR), writing);
  }

  // _O_EXCL is CREATE_NEW: an existing name, a link included, is refused, never followed. A
  // folder in the way is refused as access denied, so the name itself is looked at too.
  std::unique_ptr<CFile> CreateNew(const char* path, bool* taken) override {
    int descriptor = _sopen(path, kCreateNewFlags, _SH_DENYWR, kNewFilePermissions);
    *taken = descriptor < 0 && (errno == EEXIST || NameTaken(path));
    if (descriptor < 0) return nullptr;
    FILE* stream = _fdopen(descriptor, "wb");
    if (!stream) _close(descriptor);
    return WrapStdioFile(stream, true);
  }

  int MoveReplacing(const char* from, const char* to) override {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }

  int SyncFolderOf(const char*) override { return 1; }

  // An entry is a file when it carries the normal attribute or lacks the directory attribute.
  // A pattern names no entry, even when it matches some.
  EntryKind Find(const char* path) override {
    if (strpbrk(path, kWildcards)) return EntryKind::kNone;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(path, &data);
    if (search == INVALID_HANDLE_VALUE) return EntryKind::kNone;
    FindClose(search);
    DWORD attributes = data.dwFileAttributes;
    if ((attributes & FILE_ATTRIBUTE_NORMAL) || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return EntryKind::kFile;
    }
    return EntryKind::kDirectory;
  }

  MakeDirectoryResult MakeDirectory(const char* path) override {
    if (_mkdir(path) == 0) return MakeDirectoryResult::kMade;
    return errno == EEXIST ? MakeDirectoryResult::kAlreadyExists : MakeDirectoryResult::kFailed;
  }

  int RemoveFile(const char* path) override { return DeleteFileA(path) != 0; }

  int RemoveEmptyDirectory(const char* path) override { return RemoveDirectoryA(path) != 0; }

  int SetReadOnly(const char* path, bool readOnly) override {
    return _chmod(path, readOnly ? _S_IREAD : (_S_IREAD | _S_IWRITE)) == 0;
  }

  int IsReadOnly(const char* path) override {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
  }

  std::optional<SNewFile> MakeFreshTempFile() override {
    for (int attempt = 0; attempt < kMaxTempNameAttempts; ++attempt) {
      char name[L_tmpnam];
      if (!tmpnam(name)) return std::nullopt;
      bool taken = false;
      std::unique_ptr<CFile> file = CreateNew(name, &taken);
      if (file) return SNewFile{name, std::move(file)};
      if (!taken) return std::nullopt;
    }
    return std::nullopt;
  }

  // The root of the current drive, when it can be reached; a drive root is no entry that the
  // directory search finds, so its attributes are asked for instead.
  std::string FallbackTempDirectory() override {
    DWORD attributes = GetFileAttributesA(kCurrentDriveRoot);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return kCurrentDriveRoot;
    }
    return ".";
  }
};

}  // namespace

int CommitStream(FILE* stream) { return fflush(stream) == 0 && _commit(_fileno(stream)) == 0; }

CFileSystem& RealFiles() {
  static CWin32Files files;
  return files;
}

std::string ImportPath(std::string_view systemPath) { return std::string(systemPath); }

}  // namespace platform
