// The folder browser on POSIX systems: there is none, so every browse is a cancel.
#include "platform/folder_browser.h"

namespace platform {
namespace {

class CPosixFolderBrowser : public CFolderBrowser {
 public:
  ShellItem BrowseForFolder(const SBrowseRequest&) override { return nullptr; }
  std::optional<std::string> GetPathFromItem(ShellItem) override { return std::nullopt; }
  void FreeItem(ShellItem) override {}
};

}  // namespace

CFolderBrowser& RealFolderBrowser() {
  static CPosixFolderBrowser browser;
  return browser;
}

}  // namespace platform
