// The installer's worker thread procedure over the program's own payload table.
#include "sync/release_sync.h"

void InstallWorker(void* /*unused*/) { InstallPayload(payloadIndex, ReleaseSyncEntry); }
