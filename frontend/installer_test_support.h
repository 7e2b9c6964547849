// Everything a test of the installer's dialogs runs on: the host without windows over the
// installer's templates, an in-memory registry with the shell folders of a fresh machine below
// a scratch directory, a recording shell, system and folder browser. All are put back when the
// object goes.
#ifndef CIRVANE_FRONTEND_INSTALLER_TEST_SUPPORT_H_
#define CIRVANE_FRONTEND_INSTALLER_TEST_SUPPORT_H_

#include <string>
#include <vector>

#include "frontend/dialog_templates_test_support.h"
#include "frontend/resource.h"
#include "platform/fake/fake_folder_browser.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_system.h"
#include "platform/fake/headless_ui.h"
#include "platform/fake/test_files.h"
#include "platform/files.h"
#include "platform/folder_browser.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/ui.h"

constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr char kUninstallEntryKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Cirvane IV";
constexpr char kWindowsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

// The enabled state of the main dialog's controls whose states the dialog decides, and of
// Cancel, as "1111111".
inline std::string States(const platform::CHeadlessWindow& window) {
  std::string states;
  for (int id : {IDC_DIR_LABEL, IDC_INSTALL_DIR, IDC_INSTALL_NOW, IDC_BROWSE, IDC_ACCEPT,
                 IDC_DECLINE, platform::kIdCancel}) {
    states += window.Enabled(id) ? '1' : '0';
  }
  return states;
}

class CInstallerServices {
 public:
  CInstallerServices() : m_ui(InstallerDialogTemplates(), InstallerIconIds()) {
    platform::UseUi(&m_ui);
    platform::UseRegistry(&m_registry);
    platform::UseShell(&m_shell);
    platform::UseSystem(&m_system);
    platform::UseFolderBrowser(&m_browser);
    m_registry.SetValue(platform::Hive::kCurrentUser, kShellFoldersKey, "Desktop",
                        m_scratch / "Desktop");
    m_registry.SetValue(platform::Hive::kCurrentUser, kShellFoldersKey, "Start Menu",
                        m_scratch / "Start Menu");
    m_registry.AddKey(platform::Hive::kLocalMachine, kUninstallKey);
  }
  ~CInstallerServices() {
    m_system.JoinThreads();
    platform::UseFolderBrowser(nullptr);
    platform::UseSystem(nullptr);
    platform::UseShell(nullptr);
    platform::UseRegistry(nullptr);
    // test_main puts its recorder back after the test.
  }
  CInstallerServices(const CInstallerServices&) = delete;
  CInstallerServices& operator=(const CInstallerServices&) = delete;

  platform::CScopedTempDir m_scratch;
  platform::CHeadlessUi m_ui;
  platform::CFakeRegistry m_registry;
  platform::CFakeShell m_shell;
  platform::CFakeSystem m_system;
  platform::CFakeFolderBrowser m_browser;
};

#endif  // CIRVANE_FRONTEND_INSTALLER_TEST_SUPPORT_H_
