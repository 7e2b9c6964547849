// The installation run of the main dialog: "Install Now", the progress timer and the finishing
// steps that follow the worker's last file.
#include <atomic>
#include <cstdio>
#include <optional>
#include <string>

#include "engine/files.h"
#include "engine/message.h"
#include "engine/paths.h"
#include "engine/worker.h"
#include "frontend/install_app.h"
#include "frontend/install_dlg.h"
#include "frontend/overwrite_dlg.h"
#include "frontend/resource.h"
#include "integration/file_types.h"
#include "integration/ini_file.h"
#include "integration/old_links.h"
#include "integration/registry_entries.h"
#include "integration/shortcuts.h"
#include "integration/uninstall_log.h"
#include "payload/payload.h"
#include "platform/files.h"
#include "platform/full_path.h"
#include "platform/system.h"

namespace {

constexpr char kNoDirectoryPrefix[] = "Could not create directory \"";
constexpr char kNoDirectorySuffix[] = "\"\nPlease choose another location";
constexpr char kNoDirectoryCaption[] = "Directory Not Found";
constexpr unsigned kNoDirectoryStyle = platform::kBoxIconExclamation | platform::kBoxTopmost;
constexpr char kSuccessMessage[] = "Cirvane IV has been successfully installed";
constexpr char kNoTimerMessage[] =
    "The installation could not be started: the system has no timer left for it.\n"
    "Please close other programs and press Install Now again.";
constexpr char kNoThreadMessage[] =
    "The installation could not be started: the system could not start its thread.\n"
    "Please close other programs and press Install Now again.";

// The controls disabled while the overwrite question is open, in the order they are set.
constexpr int kQuestionedControls[] = {IDC_DIR_LABEL,      IDC_INSTALL_DIR, IDC_INSTALL_NOW,
                                       IDC_BROWSE,         IDC_ACCEPT,      IDC_DECLINE,
                                       platform::kIdCancel};

// After the shortcuts, in this order: the uninstall log, the success message (which the user
// closes before the registry is touched), the registry steps, the ini file unless updating, and
// the simulator's start last. A shortcut that cannot be made ends the steps with its message.
void IntegrateProduct(const std::string& exePath) {
  RemoveOldStartMenuLinks();
  std::string desktopLink;
  std::string startMenuLink;
  std::optional<std::string> failure = CreateDesktopLink(
      &desktopLink, g_installDir, kShortcutExecutableBase, kShortcutName, kShortcutDescription);
  if (!failure) {
    failure = CreateStartMenuLink(&startMenuLink, g_installDir, kShortcutExecutableBase,
                                  kShortcutName, kShortcutDescription);
  }
  if (failure) {
    ShowMessage("%s", failure->c_str());
    return;
  }
  std::string commandLine = "\"" + exePath + "\"";
  WriteUninstallInfo(startMenuLink, desktopLink);
  ShowMessage("%s", kSuccessMessage);
  RemoveOldCompanyKeys();
  RemoveOldFileTypes();
  RemoveOldUninstallEntry();
  RegisterUninstall(exePath,
                    {g_productVersion, g_companyName, g_installDir, InstalledSizeKb(payloadIndex)});
  if (g_updateMode == 0) {
    std::optional<std::string> iniFile = FindIniFile();
    if (iniFile) platform::Files().RemoveFile(iniFile->c_str());
  }
  platform::SystemService().StartProcess(commandLine, g_installDir);
}

}  // namespace

unsigned StartProgressTimer(platform::CDialog& dialog, unsigned milliseconds) {
  unsigned id = 0;
  for (int tries = 0; tries < kTimerStartTries && id == 0; ++tries) {
    id = dialog.SetTimer(kProgressTimerId, milliseconds);
  }
  return id;
}

void CInstallDlg::OnInstallNow() {
  UpdateData(1);
  if (!PrepareInstallDir()) return;
  if (!AskOverwriteOrUpdate()) return;
  snprintf(g_installDir, sizeof g_installDir, "%s", m_installDir.c_str());
  g_installDone.store(0, std::memory_order_release);
  m_installing = 1;
  UpdateData(1);
  StartInstallation();
}

// The typed text becomes a full path, shown in the box: taken as typed, a relative one would
// name a different place as soon as anything starts from another directory (the shortcuts, the
// uninstall command). A directory that leaves the product's longest path no room below it is
// refused like one that cannot be made, before anything is created: the installation would
// otherwise end part way with a failed write.
int CInstallDlg::PrepareInstallDir() {
  m_installDir = platform::FullPath(m_installDir);
  UpdateData(0);
  if (FitsPathLimit(JoinPath(m_installDir, payloadLongestPath))) {
    int budget = 0;
    CreateDirectoryTree(m_installDir, &budget);
    if (DirectoryExists(m_installDir)) return 1;
  }
  std::string text = kNoDirectoryPrefix + m_installDir + kNoDirectorySuffix;
  ShowMessageBox(text.c_str(), kNoDirectoryCaption, kNoDirectoryStyle);
  return 0;
}

int CInstallDlg::AskOverwriteOrUpdate() {
  g_updateMode = 0;
  if (!FileExists(JoinPath(m_installDir, kSimulatorPath))) return 1;
  EnableQuestionedControls(0);
  COverwriteDlg question;
  int answer = question.DoModal();
  EnableQuestionedControls(1);
  // Only OK goes on: a question that could not even be shown is no permission to overwrite.
  if (answer != platform::kIdOk) return 0;
  g_updateMode = question.m_update;
  return 1;
}

void CInstallDlg::EnableQuestionedControls(int enable) {
  for (int id : kQuestionedControls) EnableItem(id, enable);
}

// Without the timer nobody would see the worker finish, and without the worker nothing would
// ever finish: either way the dialog goes back to idle with a message instead of hanging.
void CInstallDlg::StartInstallation() {
  m_timerId = StartProgressTimer(*this, kProgressPeriodMilliseconds);
  if (m_timerId == 0) {
    m_installing = 0;
    UpdateData(0);
    ShowMessage("%s", kNoTimerMessage);
    return;
  }
  if (!platform::SystemService().StartThread(m_worker, nullptr)) {
    KillTimer(m_timerId);
    m_timerId = 0;
    m_installing = 0;
    UpdateData(0);
    ShowMessage("%s", kNoThreadMessage);
  }
}

void CInstallDlg::OnTimer(unsigned id) {
  if (id != m_timerId || !m_installing) return;
  if (!g_installDone.load(std::memory_order_acquire)) {
    RefreshProgress();
  } else if (!m_askingToQuit) {
    RunFinishSequence();
  }
}

void CInstallDlg::RefreshProgress() {
  m_status = g_statusText.Copy();
  UpdateData(0);
  UpdateWindow();
}

// The timer stops before the first box, so no tick can start a second run. Without the
// simulator below the directory nothing is integrated; the dialog closes in every case.
void CInstallDlg::RunFinishSequence() {
  m_installing = 0;
  m_status.clear();
  UpdateData(0);
  UpdateWindow();
  KillTimer(m_timerId);
  std::string exePath = JoinPath(g_installDir, kSimulatorPath);
  if (FileExists(exePath)) IntegrateProduct(exePath);
  OnOK();
}
