// The system service on POSIX systems.
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/posix/posix_paths.h"
#include "platform/system.h"

namespace platform {
namespace {

constexpr char kWinePrefixVariable[] = "WINEPREFIX";
constexpr char kHomeVariable[] = "HOME";
constexpr char kDefaultWinePrefix[] = "/.wine";
constexpr char kWindowsDirectoryInPrefix[] = "/drive_c/windows";
constexpr int kExecFailedStatus = 127;

// The words of a command line: the first may be quoted (and then holds blanks); the others are
// separated by blanks.
std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> words;
  size_t at = 0;
  if (!line.empty() && line[0] == '"') {
    size_t close = line.find('"', 1);
    words.emplace_back(line.substr(1, close == std::string_view::npos ? close : close - 1));
    at = close == std::string_view::npos ? line.size() : close + 1;
  }
  while (at < line.size()) {
    size_t start = line.find_first_not_of(' ', at);
    if (start == std::string_view::npos) break;
    size_t end = std::min(line.find(' ', start), line.size());
    words.emplace_back(line.substr(start, end - start));
    at = end;
  }
  return words;
}

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

  int StartProcess(const std::string& commandLine, const std::string& workingDirectory) override {
    std::vector<std::string> words = SplitCommandLine(commandLine);
    if (words.empty() || words[0].empty()) return 0;
    words[0] = SystemPath(words[0]);
    if (IsWindowsProgram(words[0])) {
      words.insert(words.begin(), kWindowsProgramRunner);
    }
    // Everything the child needs is made before the fork: it only changes directory and execs.
    std::vector<char*> arguments;
    for (std::string& word : words) arguments.push_back(word.data());
    arguments.push_back(nullptr);
    std::string directory = SystemPath(workingDirectory);
    pid_t child = fork();
    if (child < 0) return 0;
    if (child == 0) {
      if (!directory.empty() && chdir(directory.c_str()) != 0) _exit(kExecFailedStatus);
      execvp(arguments[0], arguments.data());
      _exit(kExecFailedStatus);
    }
    return 1;
  }
};

}  // namespace

CSystem& RealSystem() {
  static CPosixSystem system;
  return system;
}

}  // namespace platform
