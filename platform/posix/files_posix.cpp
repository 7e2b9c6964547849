// The file service on POSIX systems: backslash paths become slash paths here.
#include <errno.h>
#include <fcntl.h>
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
constexpr mode_t kNewFileMode = 0666;
constexpr int kCreateNewFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;

class CPosixFiles : public CFileSystem {
 public:
  // POSIX has no mandatory sharing modes: another program may write a file while the installer
  // reads or writes it. Advisory locks would bind only programs that ask for them, and the
  // simulator does not, so none are taken.
  std::unique_ptr<CFile> Open(const char* path, OpenMode mode) override {
    bool writing = mode == OpenMode::kWrite;
    return WrapStdioFile(fopen(SystemPath(path).c_str(), writing ? "wb" : "rb"), writing);
  }

  // O_EXCL refuses any existing name, a link included (even one that leads nowhere), and
  // O_NOFOLLOW makes sure of it.
  std::unique_ptr<CFile> CreateNew(const char* path, bool* taken) override {
    std::string systemPath = SystemPath(path);
    int descriptor = open(systemPath.c_str(), kCreateNewFlags, kNewFileMode);
    *taken = descriptor < 0 && errno == EEXIST;
    if (descriptor < 0) return nullptr;
    FILE* stream = fdopen(descriptor, "wb");
    if (!stream) close(descriptor);
    return WrapStdioFile(stream, true);
  }

  int MoveReplacing(const char* from, const char* to) override {
    return rename(SystemPath(from).c_str(), SystemPath(to).c_str()) == 0;
  }

  int SyncFolderOf(const char* path) override {
    std::string systemPath = SystemPath(path);
    size_t slash = systemPath.rfind('/');
    std::string folder = slash == std::string::npos ? "." : systemPath.substr(0, slash + 1);
    int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return 0;
    int synced = fsync(descriptor) == 0;
    close(descriptor);
    return synced;
  }

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

  std::optional<SNewFile> MakeFreshTempFile() override {
    const char* directory = getenv("TMPDIR");
    std::string name = std::string(directory && *directory ? directory : "/tmp") + "/qsimXXXXXX";
    int descriptor = mkstemp(name.data());  // creates the file with O_CREAT | O_EXCL
    if (descriptor < 0) return std::nullopt;
    FILE* stream = fdopen(descriptor, "wb");
    if (!stream) {
      close(descriptor);
      unlink(name.c_str());
      return std::nullopt;
    }
    return SNewFile{ImportPath(name), WrapStdioFile(stream, true)};
  }
};

}  // namespace

int CommitStream(FILE* stream) { return fflush(stream) == 0 && fsync(fileno(stream)) == 0; }

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
