// The uninstall log "uninstall.info" in the installation directory: the two shortcut paths,
//   Link:<Start-menu shortcut path> CR LF
//   Link:<desktop shortcut path> CR LF
// written as they are (no quotes), and nothing else.
#ifndef CIRVANE_INTEGRATION_UNINSTALL_LOG_H_
#define CIRVANE_INTEGRATION_UNINSTALL_LOG_H_

#include <string_view>

// Creates or truncates the log in g_installDir and writes both lines. A log that cannot be
// written is ignored.
void WriteUninstallInfo(std::string_view startMenuLinkPath, std::string_view desktopLinkPath);

#endif  // CIRVANE_INTEGRATION_UNINSTALL_LOG_H_
