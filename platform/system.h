// System service: process exit, threads, sleeping, the environment, the Windows version, the
// Wine test and starting another program.
#ifndef CIRVANE_PLATFORM_SYSTEM_H_
#define CIRVANE_PLATFORM_SYSTEM_H_

#include <optional>
#include <string>

namespace platform {

// The platform id of the Windows NT family in a version report.
constexpr unsigned long kWindowsNtPlatformId = 2;

// The version numbers of the running Windows.
struct WindowsVersion {
  unsigned long platformId;
  unsigned long majorVersion;
  unsigned long minorVersion;
};

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
  // The version of Windows running the program; nothing when there is none to report (POSIX).
  virtual std::optional<WindowsVersion> GetWindowsVersion() = 0;
  // 1 when Windows programs here run under Wine: on Windows when kernel32 exports
  // "wine_get_unix_file_name" (looked up, never called); on POSIX always, since the simulator
  // the installer puts there is a Windows program.
  virtual int IsWineEnvironment() = 0;
  // The Windows directory as a system path: on Windows the WINDIR variable; on POSIX the one of
  // the Wine prefix ($WINEPREFIX, else $HOME/.wine, then drive_c/windows). Nothing when unknown.
  virtual std::optional<std::string> GetWindowsDirectoryPath() = 0;
  // Starts the program named first in `commandLine` (a path in double quotes when it may hold
  // blanks) with the program's own environment, `workingDirectory` as its current directory and
  // the default start-up state, and does not wait for it. 1 when it started (on POSIX: when the
  // child process was made). On POSIX the path is a backslash path of the logic, and a ".exe"
  // program is run through `wine`.
  virtual int StartProcess(const std::string& commandLine, const std::string& workingDirectory) = 0;
};

// The system service in use: the real one unless a test installed another.
CSystem& SystemService();
// Installs `system` as the system service; null puts the real one back. For tests.
void UseSystem(CSystem* system);
// The real system service of this target.
CSystem& RealSystem();

}  // namespace platform

#endif  // CIRVANE_PLATFORM_SYSTEM_H_
