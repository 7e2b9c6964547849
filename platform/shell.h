// Shell service: shortcut files.
//
// On Windows a shortcut is the shell's link object, saved through its file interface. On POSIX
// it is a freedesktop desktop entry written under the name it is given (`Name` from that file
// name without its extension, `Exec` the target, run through `wine` when it is a ".exe",
// `Path` the working directory, `Comment` the description); a missing folder of the shortcut is
// created. Paths are the logic's backslash paths on both.
#ifndef CIRVANE_PLATFORM_SHELL_H_
#define CIRVANE_PLATFORM_SHELL_H_

#include <memory>
#include <optional>
#include <string>

namespace platform {

// One shortcut being made; what it needs of the system is released when it is destroyed.
class CShellLink {
 public:
  virtual ~CShellLink() = default;
  // Each returns 1 on success, 0 when the shell refused.
  virtual int SetPath(const char* target) = 0;
  virtual int SetWorkingDirectory(const char* directory) = 0;
  virtual int SetDescription(const char* description) = 0;
  // Writes the shortcut file `linkPath`, replacing one that is there.
  virtual int Save(const char* linkPath) = 0;
};

// What a shortcut file says.
struct ShortcutDetails {
  std::string target;
  std::string workingDirectory;
  std::string description;
};

class CShell {
 public:
  virtual ~CShell() = default;
  // A new shortcut object; null when the shell cannot provide one.
  virtual std::unique_ptr<CShellLink> CreateLink() = 0;
  // The details of the shortcut file `linkPath`; nothing when it cannot be read.
  virtual std::optional<ShortcutDetails> ReadLink(const char* linkPath) = 0;
};

// The shell service in use: the real one unless a test installed another.
CShell& ShellService();
// Installs `shell` as the shell service; null puts the real one back. For tests.
void UseShell(CShell* shell);
// The real shell of this target.
CShell& RealShell();

}  // namespace platform

#endif  // CIRVANE_PLATFORM_SHELL_H_
