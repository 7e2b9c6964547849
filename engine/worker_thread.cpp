// The worker's thread procedure over the product's own payload table.
#include "engine/worker.h"

void InstallWorker(void* /*unused*/) { InstallPayload(payloadIndex); }
