// System service: process exit, threads, sleeping and the environment.
#ifndef CIRVANE_PLATFORM_SYSTEM_H_
#define CIRVANE_PLATFORM_SYSTEM_H_

#include <optional>
#include <string>

namespace platform {

class CSystem {
 public:
  virtual ~CSystem() = default;
  // Ends the process with `status` through the runtime's normal exit. The real one does not
  // return; a test's stand-in records the status and returns, so callers return right after it.
  virtual void ExitProcess(int status) = 0;
  // 1 once ExitProcess was called. The real process has ended by then, so the real service
  // always answers 0; a test's stand-in answers 1, so that code it lets run on stops too.
  virtual int ExitRequested() { return 0; }
  // Starts `procedure(argument)` on a new thread with the default stack size; 1 when started.
  virtual int StartThread(void (*procedure)(void*), void* argument) = 0;
  // Waits `milliseconds`.
  virtual void Sleep(unsigned milliseconds) = 0;
  // The value of an environment variable, or nothing when it is not set.
  virtual std::optional<std::string> GetEnvironment(const char* name) = 0;
};

// The system service in use: the real one unless a test installed another.
CSystem& SystemService();
// Installs `system` as the system service; null puts the real one back. For tests.
void UseSystem(CSystem* system);
// The real system service of this target.
CSystem& RealSystem();

}  // namespace platform

#endif  // CIRVANE_PLATFORM_SYSTEM_H_
