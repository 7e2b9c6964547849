// New files made without ever writing through a name that is already there, and the one-step
// replacement of a file by new content that rests on them.
#ifndef CIRVANE_ENGINE_NEW_FILE_H_
#define CIRVANE_ENGINE_NEW_FILE_H_

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"

// Creates a new file under the first free name of nameFor(0), nameFor(1), ... nameFor(attempts
// - 1); a name taken by anything (a file, a folder, a link) is passed over, never opened. The
// created file; `file` null with the name in `path` when the system refused a free name;
// nothing when every name tried was taken or too long for the file routines.
std::optional<platform::SNewFile> CreateFreshFile(
    const std::function<std::string(unsigned)>& nameFor, unsigned attempts);

// Names "<path>.new", "<path>.new1", ... tried for the new content of one file.
constexpr unsigned kNewFileNameAttempts = 100;

// How a replacement ended.
enum class ReplaceOutcome {
  kReplaced,     // the file holds the new content
  kNotWritten,   // the new file could not be created, or its bytes did not all reach the disk
  kMoveRefused,  // the new file was whole but could not be moved over the old one
};

// Replaces a file by new content in one step: the content is written to a new file beside it
// (see kNewFileNameAttempts), which is then moved over the file. Whatever happens meanwhile (a
// full disk, a failed close, the process ended), the file is either wholly its old self or
// wholly the new content. A new file left by an ended process is harmless; it is never reused.
class CFileReplacement {
 public:
  explicit CFileReplacement(std::string_view path);
  // Removes the new file unless it was moved over the old one.
  ~CFileReplacement();
  CFileReplacement(const CFileReplacement&) = delete;
  CFileReplacement& operator=(const CFileReplacement&) = delete;

  // The new file to write the content to; null when it could not be created.
  platform::CFile* file() const { return m_new ? m_new->file.get() : nullptr; }

  // Forces the new file onto the disk, closes it and moves it over the old one (then asks for
  // the folder to reach the disk too); when the move is refused, clears the old file's
  // read-only attribute and moves once more. On any failure the new file is removed and the
  // old one is left as it was.
  ReplaceOutcome Commit();

 private:
  std::string m_path;
  std::optional<platform::SNewFile> m_new;
  bool m_moved = false;
};

// Replaces `destination` by a copy of `source` in the same way. 1 when every byte arrived.
int ReplaceWithCopy(std::string_view source, std::string_view destination);

#endif  // CIRVANE_ENGINE_NEW_FILE_H_
