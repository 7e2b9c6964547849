// The install worker: the background thread that writes every payload file below the
// installation directory, and the globals it shares with the user-interface thread.
#ifndef CIRVANE_ENGINE_WORKER_H_
#define CIRVANE_ENGINE_WORKER_H_

#include <atomic>
#include <cstddef>
#include <string>

#include "engine/status_text.h"
#include "payload/payload.h"

constexpr size_t kInstallDirSize = 1024;

// The installation directory; written by the user-interface thread before the worker starts.
extern char g_installDir[kInstallDirSize];
// 1 = Update (the user's databases are merged), 0 = Overwrite; written before the worker starts.
extern int g_updateMode;
// What the worker is doing; rewritten before each entry, shown by the user-interface thread.
extern CStatusText g_statusText;
// Cleared by the user-interface thread before the worker starts; set to 1 (release) by the
// worker as its last write, read with acquire.
extern std::atomic<int> g_installDone;

// What a route offered an entry before the plain route did with it.
enum class EntryOutcome {
  kInstalled,          // the entry is done
  kLeftToPlainRoute,   // the worker writes it as any other file
  kInstallationEnded,  // a failure was shown and the process asked to end
};
using EntryRoute = EntryOutcome (*)(const PayloadEntry& entry, const std::string& target);

// Installs every entry of `index` below g_installDir, first to last, then sets g_installDone.
// Each entry is offered to `route` first, when one is given. On a failure it shows the
// message, ends the process (kFailureExitStatus) and returns 0 without setting g_installDone;
// 1 after the last entry.
int InstallPayload(const PayloadIndex& index, EntryRoute route = nullptr);

// Writes one entry to `target`: its stored bytes, decompressed in place when they are a gzip
// member, then the read-only attribute when the entry asks for it. 1 when written; 0 after it
// has shown the failure and asked for the process to end.
int InstallPlainEntry(const PayloadEntry& entry, const std::string& target);

#endif  // CIRVANE_ENGINE_WORKER_H_
