#include "engine/worker.h"

#include <memory>

#include "engine/files.h"
#include "engine/gunzip.h"
#include "engine/message.h"
#include "engine/paths.h"

char g_installDir[kInstallDirSize];
int g_updateMode;
CStatusText g_statusText;
std::atomic<int> g_installDone;

namespace {

constexpr char kTroubleWritingFile[] =
    "Trouble writing file.\nOut of disk space?  Permission problem?";

// Writes the stored bytes in one block straight from the program's image; a flush or close
// that fails counts as a failed write, since the bytes did not all reach the disk.
int WriteStoredBytes(const PayloadEntry& entry, const std::string& target) {
  std::unique_ptr<platform::CFile> file = OpenForWrite(target);
  if (!file) return 0;
  size_t stored = StoredSize(entry);
  bool written = file->Write(entry.bytes, stored) == stored;
  return file->Close() && written;
}

}  // namespace

int InstallPlainEntry(const PayloadEntry& entry, const std::string& target) {
  g_statusText.Set("Extracting: %s.gz\n", entry.path);
  if (!WriteStoredBytes(entry, target)) {
    FailAndExit("%s", kTroubleWritingFile);
    return 0;
  }
  if (entry.packedSize != 0) {
    ErrorText error = GunzipInPlace(target);
    if (error) {
      FailAndExit("Trouble writing: %s\n%s", target.c_str(), error->c_str());
      return 0;
    }
  }
  if (entry.readOnly == 1) platform::Files().SetReadOnly(target.c_str(), true);
  return 1;
}

int InstallPayload(const PayloadIndex& index, EntryRoute route) {
  g_statusText.Clear();
  for (const PayloadEntry* entry : index) {
    std::string target = JoinPath(g_installDir, entry->path);
    EntryOutcome outcome = route ? route(*entry, target) : EntryOutcome::kLeftToPlainRoute;
    if (outcome == EntryOutcome::kInstallationEnded) return 0;
    if (outcome == EntryOutcome::kLeftToPlainRoute && !InstallPlainEntry(*entry, target)) {
      return 0;
    }
  }
  g_installDone.store(1, std::memory_order_release);
  return 1;
}
