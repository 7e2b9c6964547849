// Backups of the user's databases, made before a merge replaces them.
//
// The backup of `standard.dio` is `standard.dio.bak` beside it. Each merge replaces the backup
// of the previous one, so it holds the user's file as it was just before the latest merge. The
// copy is written beside the backup and then moved over it in one step, so a copy cut short
// never replaces a good backup. The installer never reads, restores or removes it.
#ifndef CIRVANE_SYNC_BACKUP_H_
#define CIRVANE_SYNC_BACKUP_H_

#include <string>
#include <string_view>

// Pause between the first failed copy and the second attempt.
constexpr unsigned kBackupRetryMilliseconds = 5000;

// The backup path of `databasePath`: the whole path with ".bak" appended.
std::string BackupPath(std::string_view databasePath);

// Copies the file at `databasePath` to its backup path (ReplaceWithCopy, which clears a
// read-only backup's attribute when it must), trying once more after a pause when the copy
// fails. Returns at once when the path is empty or names no file (a folder does not count).
// When both copies fail it says so and ends the process: release sync never touches a database
// it has not saved. Returns 1 when the merge may go on; 0 only after the exit was requested
// (a test's system service records it and returns), so that the caller stops too.
int BackupDatabase(std::string_view databasePath);

#endif  // CIRVANE_SYNC_BACKUP_H_
