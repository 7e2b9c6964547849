// What can go wrong while a component archive is loaded or saved, and the texts that tell the
// user: one text per kind of file error (with the file's path in place of %1), one for a file
// that is not a component archive, and one each for any other failure of a load or a save.
#ifndef CIRVANE_SYNC_ARCHIVE_ERRORS_H_
#define CIRVANE_SYNC_ARCHIVE_ERRORS_H_

#include <string>
#include <string_view>

#include "platform/files.h"

// Why an archive stopped. Every fault from kEndOfData to kBadContent is a format error.
enum class ArchiveFault {
  kNone,
  kEndOfData,       // more bytes needed than the file holds
  kBadIndex,        // a class or object index that was never assigned, or too many indices
  kClassNotFound,   // a class name that is too long or that no record class carries
  kSchemaMismatch,  // a known class with another schema number
  kBadContent,      // well formed, but not a database: a null or repeated reference, a record
                    // of another class, a count the bytes cannot hold, a nested wide marker
  kTooLarge,        // a count or text too long for the format (storing)
  kWriteFailed,     // the file took fewer bytes than it was given (storing)
};

// 1 for the faults that mean "this is not a component archive".
int IsFormatFault(ArchiveFault fault);

// The kinds of file error, each with its own text.
enum class FileError {
  kUnspecified,
  kFileNotFound,
  kInvalidPath,
  kTooManyOpenFiles,
  kAccessDenied,
  kInvalidFileHandle,
  kRemoveCurrentDirectory,
  kDirectoryFull,
  kSeekFailed,
  kHardwareIo,
  kSharingViolation,
  kLockingViolation,
  kDiskFull,
  kEndOfFile,
};

constexpr char kUnexpectedFormatText[] = "Unexpected file format.";
constexpr char kLoadFailedText[] = "Failed to open document.";
constexpr char kSaveFailedText[] = "Failed to save document.";

// The text of a file error with `path` in place of its %1.
std::string FileErrorText(FileError error, std::string_view path);

// The most likely reason why `path` could not be opened in `mode`, judged from what can be
// seen of the path afterwards (an unusable name, a missing folder or file, a directory or a
// read-only file in the way).
FileError ClassifyOpenFailure(std::string_view path, platform::OpenMode mode);

// The text for a load that ended with `fault` (not kNone).
std::string LoadFaultText(ArchiveFault fault);
// The text for a save to `path` that ended with `fault` (not kNone).
std::string SaveFaultText(ArchiveFault fault, std::string_view path);

#endif  // CIRVANE_SYNC_ARCHIVE_ERRORS_H_
