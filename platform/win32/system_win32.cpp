// The system service on Windows.
#include <process.h>
#include <windows.h>

#include <cstdlib>
#include <vector>

#include "platform/system.h"

namespace platform {
namespace {

constexpr uintptr_t kThreadStartFailed = static_cast<uintptr_t>(-1);
constexpr char kKernelModule[] = "kernel32";
constexpr char kWineExport[] = "wine_get_unix_file_name";
constexpr char kWindowsDirectoryVariable[] = "WINDIR";

class CWin32System : public CSystem {
 public:
  void ExitProcess(int status) override { exit(status); }

  int StartThread(void (*procedure)(void*), void* argument) override {
    return _beginthread(procedure, 0, argument) != kThreadStartFailed;
  }

  void Sleep(unsigned milliseconds) override { ::Sleep(milliseconds); }

  std::optional<std::string> GetEnvironment(const char* name) override {
    DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
    if (needed == 0) return std::nullopt;
    std::vector<char> value(needed);
    DWORD length = GetEnvironmentVariableA(name, value.data(), needed);
    if (length == 0 || length >= needed) return std::nullopt;
    return std::string(value.data(), length);
  }

  std::optional<WindowsVersion> GetWindowsVersion() override {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return std::nullopt;
    return WindowsVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
  }

  int IsWineEnvironment() override {
    HMODULE kernel = GetModuleHandleA(kKernelModule);
    return kernel && GetProcAddress(kernel, kWineExport);
  }

  std::optional<std::string> GetWindowsDirectoryPath() override {
    return GetEnvironment(kWindowsDirectoryVariable);
  }

  // No application name, so the system takes the program from the command line; a start-up
  // record with only its size set gives the program its default window state.
  int StartProcess(const std::string& commandLine, const std::string& workingDirectory) override {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup,
                        &started)) {
      return 0;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return 1;
  }
};

}  // namespace

CSystem& RealSystem() {
  static CWin32System system;
  return system;
}

}  // namespace platform
