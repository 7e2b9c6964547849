// A system service for tests: records exit requests and sleeps instead of acting on them, runs
// threads for real and joins them when destroyed, and serves a scripted environment.
#ifndef CIRVANE_PLATFORM_FAKE_FAKE_SYSTEM_H_
#define CIRVANE_PLATFORM_FAKE_FAKE_SYSTEM_H_

#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/system.h"

namespace platform {

class FakeSystem : public System {
 public:
  ~FakeSystem() override { JoinThreads(); }

  void ExitProcess(int status) override {
    std::lock_guard<std::mutex> lock(mutex_);
    exits_.push_back(status);
  }

  int StartThread(void (*procedure)(void*), void* argument) override {
    std::lock_guard<std::mutex> lock(mutex_);
    threads_.emplace_back(procedure, argument);
    return 1;
  }

  void Sleep(unsigned milliseconds) override {
    std::lock_guard<std::mutex> lock(mutex_);
    sleeps_.push_back(milliseconds);
  }

  std::optional<std::string> GetEnvironment(const char* name) override {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = environment_.find(name);
    if (found == environment_.end()) return std::nullopt;
    return found->second;
  }

  void SetEnvironment(const std::string& name, const std::string& value) {
    std::lock_guard<std::mutex> lock(mutex_);
    environment_[name] = value;
  }

  // Waits for every thread started so far.
  void JoinThreads() {
    std::vector<std::thread> threads;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      threads.swap(threads_);
    }
    for (std::thread& thread : threads) thread.join();
  }

  std::vector<int> exits() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return exits_;
  }
  std::vector<unsigned> sleeps() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return sleeps_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<int> exits_;
  std::vector<unsigned> sleeps_;
  std::vector<std::thread> threads_;
  std::map<std::string, std::string> environment_;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_FAKE_FAKE_SYSTEM_H_
