// A console stand-in for the installer's dialogs: installs the payload it was built with into a
// directory, with the same worker thread, and prints every status line and message on the way.
//
//   install_demo DIRECTORY [--update]
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/memory.h"
#include "engine/worker.h"
#include "platform/files.h"
#include "platform/system.h"
#include "sync/release_sync.h"

namespace {

constexpr unsigned kPollMilliseconds = 200;
constexpr int kUsageExitStatus = 2;

void PrintStatus(const char* text) { fputs(text, stdout); }

int Usage() {
  fprintf(stderr, "usage: install_demo DIRECTORY [--update]\n");
  return kUsageExitStatus;
}

}  // namespace

int main(int argc, char** argv) {
  InstallOutOfMemoryHandler();
  if (argc < 2 || argc > 3) return Usage();
  bool update = argc == 3 && strcmp(argv[2], "--update") == 0;
  if (argc == 3 && !update) return Usage();
  std::string directory = platform::ImportPath(argv[1]);
  if (directory.size() >= kInstallDirSize) {
    fprintf(stderr, "install_demo: directory name too long\n");
    return kUsageExitStatus;
  }
  snprintf(g_installDir, sizeof g_installDir, "%s", directory.c_str());
  g_updateMode = update ? 1 : 0;
  g_installDone.store(0, std::memory_order_relaxed);
  g_statusText.SetListener(PrintStatus);
  platform::CSystem& system = platform::SystemService();
  if (!system.StartThread(InstallWorker, nullptr)) {
    fprintf(stderr, "install_demo: could not start the install thread\n");
    return 1;
  }
  while (!g_installDone.load(std::memory_order_acquire)) system.Sleep(kPollMilliseconds);
  printf("Installed %zu files into %s (%s mode)\n", payloadIndex.size(), argv[1],
         update ? "Update" : "Overwrite");
  return 0;
}
