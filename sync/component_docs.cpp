#include "sync/component_docs.h"

#include <optional>
#include <string>

#include "engine/files.h"
#include "engine/message.h"
#include "engine/new_file.h"
#include "engine/paths.h"
#include "platform/memory_file.h"

namespace {

// Reads the rest of `file` through a kArchiveBufferSize buffer and closes it; false when the
// system reported an error on the way.
bool ReadAllBytes(platform::CFile& file, std::string* bytes) {
  char block[kArchiveBufferSize];
  size_t count;
  while ((count = file.Read(block, sizeof block)) > 0) bytes->append(block, count);
  return file.Close() == 1;
}

void ShowText(const std::string& text) { ShowMessage("%s", text.c_str()); }

}  // namespace

template <class Rec>
void CComponentDoc<Rec>::Serialize(ComponentArchive& archive) {
  if (archive.IsStoring()) {
    archive.WriteCount(records.size());
    for (std::unique_ptr<Rec>& record : records) archive.WriteObject(record.get());
    return;
  }
  records.clear();
  const uint32_t count = archive.ReadCount();
  if (archive.ok() && count > archive.remaining() / Rec::kMinimumBytes) {
    archive.Fail(ArchiveFault::kBadContent);
  }
  if (!archive.ok()) return;
  records.resize(count);
  for (std::unique_ptr<Rec>& entry : records) {
    std::unique_ptr<CComponentRec> created;
    CComponentRec* referenced;
    if (!archive.ReadObject(&created, &referenced)) break;
    if (!created || &created->GetRecordClass() != &Rec::kClass) {
      archive.Fail(ArchiveFault::kBadContent);
      break;
    }
    entry.reset(static_cast<Rec*>(created.release()));
  }
  if (!archive.ok()) records.clear();
}

template <class Rec>
ArchiveFault CComponentDoc<Rec>::LoadFromBytes(std::string_view bytes) {
  DeleteRecords();
  if (bytes.empty()) return ArchiveFault::kNone;
  ComponentArchive archive(bytes);
  Serialize(archive);
  return archive.fault();
}

template <class Rec>
bool CComponentDoc<Rec>::LoadFromFile(std::string_view path) {
  // A directory cannot be opened as a file on every system (POSIX would open it and fail at
  // the first read).
  std::unique_ptr<platform::CFile> file = DirectoryExists(path) ? nullptr : OpenForRead(path);
  if (!file) {
    ShowText(FileErrorText(ClassifyOpenFailure(path, platform::OpenMode::kRead), path));
    return false;
  }
  DeleteRecords();
  std::string bytes;
  if (!ReadAllBytes(*file, &bytes)) {
    ShowText(FileErrorText(FileError::kHardwareIo, path));
    return false;
  }
  const ArchiveFault fault = LoadFromBytes(bytes);
  if (fault == ArchiveFault::kNone) return true;
  ShowText(LoadFaultText(fault));
  return false;
}

template <class Rec>
std::string CComponentDoc<Rec>::SaveToBytes() {
  platform::CStringFile file;
  ComponentArchive archive(file);
  Serialize(archive);
  archive.Flush();
  return file.TakeBytes();
}

template <class Rec>
bool CComponentDoc<Rec>::SaveToFile(std::string_view path) {
  std::optional<CFileReplacement> replacement;
  if (FitsPathLimit(path)) replacement.emplace(path);
  if (!replacement || !replacement->file()) {
    ShowText(FileErrorText(ClassifyOpenFailure(path, platform::OpenMode::kWrite), path));
    return false;
  }
  ComponentArchive archive(*replacement->file());
  Serialize(archive);
  archive.Flush();
  if (!archive.ok()) {
    ShowText(SaveFaultText(archive.fault(), path));
    return false;
  }
  switch (replacement->Commit()) {
    case ReplaceOutcome::kReplaced:
      return true;
    case ReplaceOutcome::kNotWritten:
      // A full disk often shows only when the last bytes are flushed at the close.
      ShowText(FileErrorText(FileError::kDiskFull, path));
      return false;
    case ReplaceOutcome::kMoveRefused:
      ShowText(FileErrorText(FileError::kAccessDenied, path));
      return false;
  }
  return false;
}

template class CComponentDoc<CCapacitorRec>;
template class CComponentDoc<CInductorRec>;
template class CComponentDoc<CResistorRec>;
