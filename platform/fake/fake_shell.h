// A shell for tests: keeps the shortcuts it saves in memory and can be told to have no shortcut
// object, or to refuse the target or the save.
#ifndef CIRVANE_PLATFORM_FAKE_FAKE_SHELL_H_
#define CIRVANE_PLATFORM_FAKE_FAKE_SHELL_H_

#include <map>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace platform {

class CFakeShell : public CShell {
 public:
  void MakeLinksUnavailable() { m_unavailable = true; }
  void FailSetPath() { m_failSetPath = true; }
  void FailSave() { m_failSave = true; }

  std::unique_ptr<CShellLink> CreateLink() override {
    if (m_unavailable) return nullptr;
    return std::make_unique<CLink>(this);
  }

  std::optional<ShortcutDetails> ReadLink(const char* linkPath) override {
    auto found = m_links.find(linkPath);
    if (found == m_links.end()) return std::nullopt;
    return found->second;
  }

  // Paths of the shortcuts saved so far, in order (a path saved twice appears twice).
  const std::vector<std::string>& saved() const { return m_saved; }

 private:
  class CLink : public CShellLink {
   public:
    explicit CLink(CFakeShell* shell) : m_shell(shell) {}
    int SetPath(const char* target) override {
      if (m_shell->m_failSetPath) return 0;
      m_details.target = target;
      return 1;
    }
    int SetWorkingDirectory(const char* directory) override {
      m_details.workingDirectory = directory;
      return 1;
    }
    int SetDescription(const char* description) override {
      m_details.description = description;
      return 1;
    }
    int Save(const char* linkPath) override {
      if (m_shell->m_failSave) return 0;
      m_shell->m_links[linkPath] = m_details;
      m_shell->m_saved.push_back(linkPath);
      return 1;
    }

   private:
    CFakeShell* m_shell;
    ShortcutDetails m_details;
  };

  bool m_unavailable = false;
  bool m_failSetPath = false;
  bool m_failSave = false;
  std::map<std::string, ShortcutDetails> m_links;
  std::vector<std::string> m_saved;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_FAKE_FAKE_SHELL_H_
