// A system service for tests: records exit requests, sleeps and process starts instead of acting
// on them, runs threads for real and joins them when destroyed, and serves a scripted
// environment.
#ifndef CIRVANE_PLATFORM_FAKE_FAKE_SYSTEM_H_
#define CIRVANE_PLATFORM_FAKE_FAKE_SYSTEM_H_

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/system.h"

namespace platform {

class CFakeSystem : public CSystem {
 public:
  // A program start as it was asked for.
  struct SProcessStart {
    std::string commandLine;
    std::string workingDirectory;
  };

  ~CFakeSystem() override { JoinThreads(); }

  void ExitProcess(int status) override { Append(m_exits, status); }
  int ExitRequested() override {
    return Locked([&] { return !m_exits.empty(); });
  }
  int StartThread(void (*procedure)(void*), void* argument) override {
    return Locked([&] {
      if (m_refuseThreads) return 0;
      m_threads.emplace_back(procedure, argument);
      return 1;
    });
  }
  void Sleep(unsigned milliseconds) override { Append(m_sleeps, milliseconds); }
  std::optional<std::string> GetEnvironment(const char* name) override {
    return Locked([&]() -> std::optional<std::string> {
      auto found = m_environment.find(name);
      if (found == m_environment.end()) return std::nullopt;
      return found->second;
    });
  }
  // The Windows version is nothing until set; the Wine test answers 0 until set; the Windows
  // directory is the scripted WINDIR, as on Windows.
  std::optional<WindowsVersion> GetWindowsVersion() override { return Get(m_windowsVersion); }
  int IsWineEnvironment() override { return Get(m_wine); }
  std::optional<std::string> GetWindowsDirectoryPath() override { return GetEnvironment("WINDIR"); }
  int StartProcess(const std::string& commandLine, const std::string& workingDirectory) override {
    if (m_onProcessStart) m_onProcessStart();
    Append(m_processes, SProcessStart{commandLine, workingDirectory});
    return 1;
  }

  void SetEnvironment(const std::string& name, const std::string& value) {
    Locked([&] { m_environment[name] = value; });
  }
  void SetWindowsVersion(std::optional<WindowsVersion> version) { Set(m_windowsVersion, version); }
  // Makes every thread start fail from now on, as a system out of resources would.
  void RefuseThreads() { Set(m_refuseThreads, true); }
  // Calls `observer` at every process start, before the start is recorded.
  void OnProcessStart(std::function<void()> observer) { m_onProcessStart = std::move(observer); }
  void SetWine(int wine) { Set(m_wine, wine); }

  // Waits for every thread started so far.
  void JoinThreads() {
    std::vector<std::thread> threads;
    Locked([&] { threads.swap(m_threads); });
    for (std::thread& thread : threads) thread.join();
  }

  std::vector<int> exits() const { return Get(m_exits); }
  std::vector<unsigned> sleeps() const { return Get(m_sleeps); }
  std::vector<SProcessStart> processes() const { return Get(m_processes); }

 private:
  // Runs `action` under the lock that guards every record and setting.
  template <typename Action>
  auto Locked(Action action) const -> decltype(action()) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return action();
  }
  // A setting or record read, set or appended to under that lock.
  template <typename T>
  T Get(const T& field) const {
    return Locked([&] { return field; });
  }
  template <typename T>
  void Set(T& field, T value) {
    Locked([&] { field = std::move(value); });
  }
  template <typename T>
  void Append(std::vector<T>& list, T item) {
    Locked([&] { list.push_back(std::move(item)); });
  }

  mutable std::mutex m_mutex;
  std::vector<int> m_exits;
  std::vector<unsigned> m_sleeps;
  std::vector<SProcessStart> m_processes;
  std::vector<std::thread> m_threads;
  std::map<std::string, std::string> m_environment;
  std::optional<WindowsVersion> m_windowsVersion;
  int m_wine = 0;
  bool m_refuseThreads = false;
  std::function<void()> m_onProcessStart;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_FAKE_FAKE_SYSTEM_H_
