// Stands in for the simulator (qsim3.exe) in the sample product of the Windows build.
//
// The installer starts the simulator as its last step; this stub records how it was started
// and exits 0, so tests can check the launch without a real simulator. Each start appends one
// line to "qsim3-launch.txt" in the stub's own directory:
//   command=<command line>\tdirectory=<current directory>\r\n
// The tab cannot occur in a Windows path, so the two fields split unambiguously. The stub uses
// C buffers only, which keeps the program (and so the sample product) small.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr char kLogName[] = "qsim3-launch.txt";
constexpr DWORD kPathCapacity = 32768;  // the longest path Windows allows

char g_logPath[kPathCapacity + sizeof(kLogName)];
char g_currentDir[kPathCapacity];

// Sets g_logPath to the log beside this program. Returns 1, or 0 when the program's own path
// is unavailable.
int FindLogPath() {
  DWORD length = GetModuleFileNameA(nullptr, g_logPath, kPathCapacity);
  if (length == 0 || length >= kPathCapacity) return 0;
  char* slash = std::strrchr(g_logPath, '\\');
  if (slash == nullptr) return 0;
  std::memcpy(slash + 1, kLogName, sizeof(kLogName));
  return 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (!FindLogPath()) return 1;
  DWORD length = GetCurrentDirectoryA(kPathCapacity, g_currentDir);
  if (length == 0 || length >= kPathCapacity) g_currentDir[0] = '\0';
  FILE* log = std::fopen(g_logPath, "ab");
  if (log == nullptr) return 1;
  int written = std::fprintf(log, "command=%s\tdirectory=%s\r\n", GetCommandLineA(), g_currentDir);
  return (std::fclose(log) == 0 && written > 0) ? 0 : 1;
}
