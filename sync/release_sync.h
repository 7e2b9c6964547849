// The release-sync route of the install worker: in Update mode, the eight component databases
// below .\lib\cmp that the user already has are merged with the shipped ones instead of being
// overwritten.
#ifndef CIRVANE_SYNC_RELEASE_SYNC_H_
#define CIRVANE_SYNC_RELEASE_SYNC_H_

#include <string>
#include <string_view>

#include "engine/worker.h"
#include "payload/payload.h"

// A database that Update mode merges: its payload path, the merge of its kind, called with
// (output, shipped, user) paths and returning 1 on success, and the message shown when the
// merge fails and the shipped file is written over the user's.
struct MergedDatabase {
  const char* path;
  int (*merge)(const char* output, const char* shipped, const char* user);
  const char* failureMessage;
};

// The merged database whose path equals `path` ignoring case; null for any other file.
const MergedDatabase* FindMergedDatabase(std::string_view path);

// Offered every entry before the worker writes it. In Update mode, for a merged database whose
// user copy exists at `target` as a file: extracts the shipped database into a fresh temporary
// file, merges it into the user's copy and removes the temporary file. After a failed merge
// (and its message) the shipped file replaces the user's, whose backup stays, as the plain
// route would write it but in one step, so that a failed write leaves the user's file as it
// was. The entry is left to the plain route when it is not Update mode, not a merged database
// or no user file. A temporary file that cannot be made, written or decompressed, or a shipped
// file that cannot replace the user's, ends the installation, as any failed write of the worker
// does. The temporary file is removed on every path that
// returns; a backup that cannot be made ends the process inside the merge, and the temporary
// file then stays where the system keeps temporary files.
EntryOutcome ReleaseSyncEntry(const PayloadEntry& entry, const std::string& target);

// The installer's worker thread procedure: installs the program's own payload table below
// g_installDir with the release-sync route. The argument is ignored.
void InstallWorker(void* unused);

#endif  // CIRVANE_SYNC_RELEASE_SYNC_H_
