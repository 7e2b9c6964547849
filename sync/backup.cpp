#include "sync/backup.h"

#include "engine/files.h"
#include "engine/message.h"
#include "engine/new_file.h"
#include "platform/system.h"

std::string BackupPath(std::string_view databasePath) {
  std::string path(databasePath);
  path += ".bak";
  return path;
}

int BackupDatabase(std::string_view databasePath) {
  if (databasePath.empty() || !FileExists(databasePath)) return 1;
  const std::string backupPath = BackupPath(databasePath);
  if (ReplaceWithCopy(databasePath, backupPath)) return 1;
  platform::SystemService().Sleep(kBackupRetryMilliseconds);
  if (ReplaceWithCopy(databasePath, backupPath)) return 1;
  const std::string path(databasePath);
  FailAndExit("Trouble backing up %s\nas %s\n\nRelease sync aborted.", path.c_str(),
              backupPath.c_str());
  return 0;
}
