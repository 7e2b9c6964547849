#include "sync/archive_merge.h"

#include "engine/files.h"
#include "sync/backup.h"

namespace {

bool IsMissing(const char* path) { return !path || *path == '\0'; }

template <class Doc>
int MergeDatabase(const char* output, const char* shipped, const char* user) {
  if (IsMissing(output) || IsMissing(shipped) || IsMissing(user) || !FileExists(user)) return 0;
  if (!BackupDatabase(user)) return 0;  // the process is ending
  std::unique_ptr<Doc> userDoc = LoadDatabaseDocument<Doc>(user);
  if (!userDoc) return 0;
  std::unique_ptr<Doc> shippedDoc = LoadDatabaseDocument<Doc>(shipped);
  if (!shippedDoc) return 0;
  userDoc->MergeShippedRecords(*shippedDoc);
  return userDoc->SaveToFile(output) ? 1 : 0;
}

}  // namespace

template <class Doc>
std::unique_ptr<Doc> LoadDatabaseDocument(std::string_view path) {
  if (!FileExists(path)) return nullptr;
  auto doc = std::make_unique<Doc>();
  if (!doc->LoadFromFile(path) || doc->records.empty()) return nullptr;
  return doc;
}

template std::unique_ptr<CCapacitorDoc> LoadDatabaseDocument<CCapacitorDoc>(std::string_view);
template std::unique_ptr<CInductorDoc> LoadDatabaseDocument<CInductorDoc>(std::string_view);
template std::unique_ptr<CResistorDoc> LoadDatabaseDocument<CResistorDoc>(std::string_view);

int MergeCapacitorDatabase(const char* output, const char* shipped, const char* user) {
  return MergeDatabase<CCapacitorDoc>(output, shipped, user);
}

int MergeInductorDatabase(const char* output, const char* shipped, const char* user) {
  return MergeDatabase<CInductorDoc>(output, shipped, user);
}

int MergeResistorDatabase(const char* output, const char* shipped, const char* user) {
  return MergeDatabase<CResistorDoc>(output, shipped, user);
}
