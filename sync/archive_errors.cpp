#include "sync/archive_errors.h"

#include "engine/files.h"
#include "engine/paths.h"

namespace {

struct FileErrorEntry {
  FileError error;
  const char* text;
};

constexpr FileErrorEntry kFileErrorTexts[] = {
    {FileError::kUnspecified, "An unknown error occurred while accessing %1."},
    {FileError::kFileNotFound, "%1 was not found."},
    {FileError::kInvalidPath, "%1 contains an invalid path."},
    {FileError::kTooManyOpenFiles, "%1 could not be opened because there are too many open files."},
    {FileError::kAccessDenied, "Access to %1 was denied."},
    {FileError::kInvalidFileHandle, "An invalid file handle was associated with %1."},
    {FileError::kRemoveCurrentDirectory,
     "%1 could not be removed because it is the current directory."},
    {FileError::kDirectoryFull, "%1 could not be created because the directory is full."},
    {FileError::kSeekFailed, "Seek failed on %1"},
    {FileError::kHardwareIo, "A hardware I/O error was reported while accessing %1."},
    {FileError::kSharingViolation, "A sharing violation occurred while accessing %1."},
    {FileError::kLockingViolation, "A locking violation occurred while accessing %1."},
    {FileError::kDiskFull, "Disk full while accessing %1."},
    {FileError::kEndOfFile, "An attempt was made to access %1 past its end."},
};

constexpr std::string_view kPathPlaceholder = "%1";
// Characters that no file name may hold (control codes are refused as well).
constexpr std::string_view kForbiddenNameCharacters = "*?\"<>|";
constexpr unsigned char kFirstPrintable = 0x20;

bool IsUsableName(std::string_view path) {
  if (path.empty() || !FitsPathLimit(path)) return false;
  for (char c : path) {
    if (static_cast<unsigned char>(c) < kFirstPrintable) return false;
    if (kForbiddenNameCharacters.find(c) != std::string_view::npos) return false;
  }
  return true;
}

}  // namespace

int IsFormatFault(ArchiveFault fault) {
  switch (fault) {
    case ArchiveFault::kEndOfData:
    case ArchiveFault::kBadIndex:
    case ArchiveFault::kClassNotFound:
    case ArchiveFault::kSchemaMismatch:
    case ArchiveFault::kBadContent:
      return 1;
    default:
      return 0;
  }
}

std::string FileErrorText(FileError error, std::string_view path) {
  std::string text = kFileErrorTexts[0].text;
  for (const FileErrorEntry& entry : kFileErrorTexts) {
    if (entry.error == error) text = entry.text;
  }
  size_t at = text.find(kPathPlaceholder);
  if (at != std::string::npos) text.replace(at, kPathPlaceholder.size(), path);
  return text;
}

FileError ClassifyOpenFailure(std::string_view path, platform::OpenMode mode) {
  if (!IsUsableName(path)) return FileError::kInvalidPath;
  if (DirectoryExists(path)) return FileError::kAccessDenied;
  if (FileExists(path)) return FileError::kAccessDenied;  // read-only, locked or not ours
  if (!DirectoryExists(ParentDirectory(path))) return FileError::kInvalidPath;
  return mode == platform::OpenMode::kRead ? FileError::kFileNotFound : FileError::kAccessDenied;
}

std::string LoadFaultText(ArchiveFault fault) {
  return IsFormatFault(fault) ? kUnexpectedFormatText : kLoadFailedText;
}

std::string SaveFaultText(ArchiveFault fault, std::string_view path) {
  if (fault == ArchiveFault::kWriteFailed) return FileErrorText(FileError::kDiskFull, path);
  return kSaveFailedText;
}
