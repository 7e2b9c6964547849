// The shell on Windows: shortcuts are the shell's link objects, reached through COM.
#include <windows.h>
// Needs the definitions of windows.h first.
#include <objbase.h>
#include <shlobj.h>

#include "platform/shell.h"
#include "platform/win32/com_scope.h"

namespace platform {
namespace {

constexpr int kWidePathUnits = MAX_PATH;
constexpr int kTextBufferSize = MAX_PATH;
constexpr int kDescriptionBufferSize = INFOTIPSIZE;

// A shell-link object and its file interface; both are released before COM is uninitialised.
class CLinkObject {
 public:
  CLinkObject() {
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&m_link)))) {
      m_link = nullptr;
      return;
    }
    if (FAILED(m_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&m_file)))) {
      m_file = nullptr;
    }
  }
  ~CLinkObject() {
    if (m_file) m_file->Release();
    if (m_link) m_link->Release();
  }
  CLinkObject(const CLinkObject&) = delete;
  CLinkObject& operator=(const CLinkObject&) = delete;

  bool usable() const { return m_link && m_file; }
  IShellLinkA* link() const { return m_link; }
  IPersistFile* file() const { return m_file; }

 private:
  IShellLinkA* m_link = nullptr;
  IPersistFile* m_file = nullptr;
};

// `path` in UTF-16 from the ANSI code page; false when it does not fit kWidePathUnits.
bool WidenPath(const char* path, WCHAR (&wide)[kWidePathUnits]) {
  return MultiByteToWideChar(CP_ACP, 0, path, -1, wide, kWidePathUnits) != 0;
}

class CWin32ShellLink : public CShellLink {
 public:
  bool usable() const { return m_object.usable(); }

  int SetPath(const char* target) override { return SUCCEEDED(m_object.link()->SetPath(target)); }
  int SetWorkingDirectory(const char* directory) override {
    return SUCCEEDED(m_object.link()->SetWorkingDirectory(directory));
  }
  int SetDescription(const char* description) override {
    return SUCCEEDED(m_object.link()->SetDescription(description));
  }
  int Save(const char* linkPath) override {
    WCHAR wide[kWidePathUnits];
    return WidenPath(linkPath, wide) && SUCCEEDED(m_object.file()->Save(wide, TRUE));
  }

 private:
  CComScope m_com;  // declared first: initialised before the object, uninitialised after it
  CLinkObject m_object;
};

class CWin32Shell : public CShell {
 public:
  std::unique_ptr<CShellLink> CreateLink() override {
    auto link = std::make_unique<CWin32ShellLink>();
    if (!link->usable()) return nullptr;
    return link;
  }

  std::optional<ShortcutDetails> ReadLink(const char* linkPath) override {
    CComScope com;
    CLinkObject object;
    WCHAR wide[kWidePathUnits];
    if (!object.usable() || !WidenPath(linkPath, wide) ||
        FAILED(object.file()->Load(wide, STGM_READ))) {
      return std::nullopt;
    }
    char target[kTextBufferSize] = {};
    char directory[kTextBufferSize] = {};
    char description[kDescriptionBufferSize] = {};
    if (FAILED(object.link()->GetPath(target, sizeof target, nullptr, SLGP_RAWPATH)) ||
        FAILED(object.link()->GetWorkingDirectory(directory, sizeof directory)) ||
        FAILED(object.link()->GetDescription(description, sizeof description))) {
      return std::nullopt;
    }
    return ShortcutDetails{target, directory, description};
  }
};

}  // namespace

CShell& RealShell() {
  static CWin32Shell shell;
  return shell;
}

}  // namespace platform
