// The file service on POSIX systems: backslash paths become slash paths here.
#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "platform/files.h"
#include "platform/posix/posix_paths.h"
#include "platform/stdio_file.h"

namespace platform {
namespace {

constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t kNewDirectoryMode = 0777;

class CPosixFiles : public CFileSystem {
 public:
  std::unique_ptr<CFile> Open(const char* path, OpenMode mode) override {
    return OpenStdioFile(SystemPath(path).c_str(), mode);
  }

  gzFile OpenGzip(const char* path) override { return gzopen(SystemPath(path).c_str(), "rb"); }

  EntryKind Find(const char* path) override {
    struct stat info;
    if (stat(SystemPath(path).c_str(), &info) != 0) return EntryKind::kNone;
    return S_ISDIR(info.st_mode) ? EntryKind::kDirectory : EntryKind::kFile;
  }

  MakeDirectoryResult MakeDirectory(const char* path) override {
    if (mkdir(SystemPath(path).c_str(), kNewDirectoryMode) == 0) return MakeDirectoryResult::kMade;
    return errno == EEXIST ? MakeDirectoryResult::kAlreadyExists : MakeDirectoryResult::kFailed;
  }

  int RemoveFile(const char* path) override { return unlink(SystemPath(path).c_str()) == 0; }

  int RemoveEmptyDirectory(const char* path) override {
    return rmdir(SystemPath(path).c_str()) == 0;
  }

  // Read-only means no write permission for anyone; clearing it gives the owner write access.
  int SetReadOnly(const char* path, bool readOnly) override {
    std::string systemPath = SystemPath(path);
    struct stat info;
    if (stat(systemPath.c_str(), &info) != 0) return 0;
    mode_t mode = readOnly ? (info.st_mode & ~kWriteBits) : (info.st_mode | S_IWUSR);
    return chmod(systemPath.c_str(), mode & 07777) == 0;
  }

  int IsReadOnly(const char* path) override {
    struct stat info;
    if (stat(SystemPath(path).c_str(), &info) != 0) return 0;
    return (info.st_mode & kWriteBits) == 0;
  }

  // No drives here: temporary files fall back to the current directory.
  std::string FallbackTempDirectory() override { return "."; }

  std::optional<std::string> MakeFreshTempFile() override {
    const char* directory = getenv("TMPDIR");
    std::string name = std::string(directory && *directory ? directory : "/tmp") + "/qsimXXXXXX";
    int descriptor = mkstemp(name.data());  // creates the file with O_CREAT | O_EXCL
    if (descriptor < 0) return std::nullopt;
    close(descriptor);
    return ImportPath(name);
  }
};

}  // namespace

CFileSystem& RealFiles() {
  static CPosixFiles files;
  return files;
}

std::string ImportPath(std::string_view systemPath) {
  std::string path(systemPath);
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

}  // namespace platform
