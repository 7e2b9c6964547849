#include "sync/release_sync.h"

#include <memory>

#include "engine/files.h"
#include "engine/gunzip.h"
#include "engine/message.h"
#include "engine/new_file.h"
#include "engine/worker.h"
#include "platform/files.h"
#include "platform/system.h"
#include "sync/archive_merge.h"
#include "sync/model_library_merge.h"

namespace {

const MergedDatabase kMergedDatabases[] = {
    {".\\lib\\cmp\\standard.bjt", MergeModelLibrary,
     "Trouble merging BJT databases.\n    ...overwriting"},
    {".\\lib\\cmp\\standard.mos", MergeModelLibrary,
     "Trouble merging MOSFET databases.\n    ...overwriting"},
    {".\\lib\\cmp\\standard.jft", MergeModelLibrary,
     "Trouble merging JFET databases.\n    ...overwriting"},
    {".\\lib\\cmp\\standard.dio", MergeModelLibrary,
     "Trouble merging diode databases.\n    ...overwriting"},
    {".\\lib\\cmp\\standard.cap", MergeCapacitorDatabase,
     "Trouble merging capacitor databases.\n    ...overwriting"},
    {".\\lib\\cmp\\standard.res", MergeResistorDatabase,
     "Trouble merging resistor databases.\n    ...overwriting"},
    {".\\lib\\cmp\\standard.ind", MergeInductorDatabase,
     "Trouble merging inductor databases.\n    ...overwriting"},
    {".\\lib\\cmp\\standard.bead", MergeInductorDatabase,
     "Trouble merging ferrite bead databases.\n    ...overwriting"},
};

constexpr char kTroubleCreatingTemp[] =
    "Trouble creating temporary file.\nOut of disk space?  Permission problem?";
constexpr char kTroubleWritingFile[] =
    "Trouble writing file.\nOut of disk space?  Permission problem?";

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; };
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

// After a failure has been shown: removes the temporary file and ends the process.
void RemoveAndExit(const std::string& temporary) {
  platform::Files().RemoveFile(temporary.c_str());
  platform::SystemService().ExitProcess(kFailureExitStatus);
}

// Writes the entry's stored bytes into a new temporary file and decompresses them there. The
// name of the file, or nothing after the failure has been shown and the exit requested.
std::optional<std::string> ExtractToTempFile(const PayloadEntry& entry) {
  std::optional<platform::SNewFile> temporary = platform::Files().MakeFreshTempFile();
  if (!temporary) {
    FailAndExit("%s", kTroubleCreatingTemp);
    return std::nullopt;
  }
  const std::string name = temporary->path;
  const size_t stored = StoredSize(entry);
  bool written = temporary->file->Write(entry.bytes, stored) == stored;
  if (!temporary->file->Close() || !written) {
    ShowMessage("%s", kTroubleWritingFile);
    RemoveAndExit(name);
    return std::nullopt;
  }
  if (entry.packedSize != 0) {
    ErrorText error = GunzipInPlace(name);
    if (error) {
      ShowMessage("Trouble un-gziping tmpfile: %s\n%s", name.c_str(), error->c_str());
      RemoveAndExit(name);
      return std::nullopt;
    }
  }
  return name;
}

// After a failed merge the shipped database takes the place of the user's file, as the plain
// route would write it, but in one step (ReplaceWithCopy of the decompressed temporary file):
// a write cut short, by a full disk say, leaves the user's file as it was, so that the next
// Update merges it again instead of backing a cut-short file up over the good backup.
EntryOutcome InstallShippedDatabase(const PayloadEntry& entry, const std::string& temporary,
                                    const std::string& target) {
  g_statusText.Set("Extracting: %s.gz\n", entry.path);
  if (!ReplaceWithCopy(temporary, target)) {
    FailAndExit("%s", kTroubleWritingFile);
    return EntryOutcome::kInstallationEnded;
  }
  if (entry.readOnly == 1) platform::Files().SetReadOnly(target.c_str(), true);
  return EntryOutcome::kInstalled;
}

}  // namespace

const MergedDatabase* FindMergedDatabase(std::string_view path) {
  for (const MergedDatabase& database : kMergedDatabases) {
    if (EqualNoCase(path, database.path)) return &database;
  }
  return nullptr;
}

EntryOutcome ReleaseSyncEntry(const PayloadEntry& entry, const std::string& target) {
  if (g_updateMode == 0) return EntryOutcome::kLeftToPlainRoute;
  const MergedDatabase* database = FindMergedDatabase(entry.path);
  if (!database || !FileExists(target)) return EntryOutcome::kLeftToPlainRoute;
  g_statusText.Set("Merging: %s.gz\n", entry.path);
  std::optional<std::string> temporary = ExtractToTempFile(entry);
  if (!temporary) return EntryOutcome::kInstallationEnded;
  EntryOutcome outcome = EntryOutcome::kInstalled;
  if (!database->merge(target.c_str(), temporary->c_str(), target.c_str())) {
    // A backup that could not be made has ended the process inside the merge.
    if (platform::SystemService().ExitRequested()) {
      outcome = EntryOutcome::kInstallationEnded;
    } else {
      ShowMessage("%s", database->failureMessage);
      outcome = InstallShippedDatabase(entry, *temporary, target);
    }
  }
  platform::Files().RemoveFile(temporary->c_str());
  return outcome;
}
