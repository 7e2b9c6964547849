// The file service on Windows.
#include <direct.h>
#include <errno.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "platform/files.h"
#include "platform/stdio_file.h"

namespace platform {
namespace {

constexpr char kCurrentDriveRoot[] = "\\";
// Characters the directory search takes as a pattern; no name holds them.
constexpr char kWildcards[] = "*?";

class CWin32Files : public CFileSystem {
 public:
  std::unique_ptr<CFile> Open(const char* path, OpenMode mode) override {
    return OpenStdioFile(path, mode);
  }

  gzFile OpenGzip(const char* path) override { return gzopen(path, "rb"); }

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

  // The root of the current drive, when it can be reached; a drive root is no entry that the
  // directory search finds, so its attributes are asked for instead.
  std::optional<std::string> MakeFreshTempFile() override {
    char name[L_tmpnam];
    if (!tmpnam(name)) return std::nullopt;
    return std::string(name);
  }

  std::string FallbackTempDirectory() override {
    DWORD attributes = GetFileAttributesA(kCurrentDriveRoot);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return kCurrentDriveRoot;
    }
    return ".";
  }
};

}  // namespace

CFileSystem& RealFiles() {
  static CWin32Files files;
  return files;
}

std::string ImportPath(std::string_view systemPath) { return std::string(systemPath); }

}  // namespace platform
