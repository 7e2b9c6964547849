// The system service on POSIX systems.
#include <pthread.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/system.h"

namespace platform {
namespace {

constexpr char kWinePrefixVariable[] = "WINEPREFIX";
constexpr char kHomeVariable[] = "HOME";
constexpr char kDefaultWinePrefix[] = "/.wine";
constexpr char kWindowsDirectoryInPrefix[] = "/drive_c/windows";

struct ThreadStart {
  void (*procedure)(void*);
  void* argument;
};

void* RunThread(void* raw) {
  ThreadStart start = *static_cast<ThreadStart*>(raw);
  delete static_cast<ThreadStart*>(raw);
  start.procedure(start.argument);
  return nullptr;
}

class CPosixSystem : public CSystem {
 public:
  void ExitProcess(int status) override { exit(status); }

  int StartThread(void (*procedure)(void*), void* argument) override {
    auto* start = new ThreadStart{procedure, argument};
    pthread_t thread;
    if (pthread_create(&thread, nullptr, RunThread, start) != 0) {
      delete start;
      return 0;
    }
    pthread_detach(thread);
    return 1;
  }

  void Sleep(unsigned milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }

  std::optional<std::string> GetEnvironment(const char* name) override {
    const char* value = getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
  }

  std::optional<WindowsVersion> GetWindowsVersion() override { return std::nullopt; }

  int IsWineEnvironment() override { return 1; }

  std::optional<std::string> GetWindowsDirectoryPath() override {
    const char* prefix = getenv(kWinePrefixVariable);
    if (prefix && *prefix) return std::string(prefix) + kWindowsDirectoryInPrefix;
    const char* home = getenv(kHomeVariable);
    if (home && *home) return std::string(home) + kDefaultWinePrefix + kWindowsDirectoryInPrefix;
    return std::nullopt;
  }
};

}  // namespace

CSystem& RealSystem() {
  static CPosixSystem system;
  return system;
}

}  // namespace platform
