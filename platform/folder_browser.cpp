// The folder browser in use.
#include "platform/folder_browser.h"

namespace platform {
namespace {

CFolderBrowser* g_folderBrowser = nullptr;

}  // namespace

CFolderBrowser& FolderBrowserService() {
  return g_folderBrowser ? *g_folderBrowser : RealFolderBrowser();
}
void UseFolderBrowser(CFolderBrowser* browser) { g_folderBrowser = browser; }

}  // namespace platform
