#include "frontend/install_dlg.h"

#include <memory>
#include <string>

#include "engine/files.h"
#include "engine/paths.h"
#include "frontend/folder_dialog.h"
#include "frontend/install_app.h"
#include "frontend/quit_dlg.h"
#include "frontend/resource.h"
#include "integration/registry_values.h"
#include "platform/registry.h"
#include "sync/release_sync.h"

namespace {

constexpr char kHeadingPrefix[] = "Installs Cirvane IV ";
constexpr char kWindowsVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char kProgramFilesValue[] = "ProgramFilesDir";
constexpr platform::SFontSpec kLicenceFont = {"Arial", 10, 400};

// The controls that need an accepted licence and an idle dialog, in the order they are set.
constexpr int kAcceptedOnlyControls[] = {IDC_DIR_LABEL, IDC_INSTALL_DIR, IDC_INSTALL_NOW,
                                         IDC_BROWSE};

// "ProgramFilesDir" of the machine's Windows key as text, whatever the value's type: cut at its
// first zero byte, so that an expandable or binary value does not carry its terminating zero
// into the proposal (which would then end at the Program Files directory). Empty when the key
// or the value is missing.
std::string ReadProgramFilesDir() {
  std::unique_ptr<platform::CRegistryKey> key = platform::RegistryService().OpenKey(
      platform::Hive::kLocalMachine, kWindowsVersionKey, platform::KeyAccess::kQueryValue);
  if (!key) return std::string();
  return ReadValueText(*key, kProgramFilesValue);
}

}  // namespace

CInstallDlg::CInstallDlg(WorkerProcedure worker)
    : CDialog(IDD_INSTALL), m_worker(worker ? worker : InstallWorker) {
  m_title = kHeadingPrefix + g_productVersion;
  m_hIcon = platform::UiService().LoadIconResource(IDI_APP);
}

void CInstallDlg::DoDataExchange(platform::CDataExchange& exchange) {
  ExchangeText(exchange, IDC_INSTALL_DIR, m_installDir);
  ExchangeText(exchange, IDC_STATUS, m_status);
  ExchangeText(exchange, IDC_HEADING, m_title);
  ExchangeText(exchange, IDC_LICENCE, m_licence);
  UpdateControlStates();
}

void CInstallDlg::UpdateControlStates() {
  int on = m_accepted && !m_installing;
  for (int id : kAcceptedOnlyControls) EnableItem(id, on);
  EnableItem(IDC_ACCEPT, !m_installing);
  EnableItem(IDC_DECLINE, !m_installing);
}

int CInstallDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetSmallIcon(m_hIcon);
  ProposeInstallDir();
  SetItemFont(IDC_LICENCE, kLicenceFont);
  return 1;
}

// A missing value, or a Program Files directory that does not exist, leaves the built-in
// proposal.
void CInstallDlg::ProposeInstallDir() {
  std::string programFiles = ReadProgramFilesDir();
  if (DirectoryExists(programFiles)) m_installDir = JoinPath(programFiles, kProductSubdirectory);
  UpdateData(0);
}

void CInstallDlg::OnCommand(int id, int code) {
  if (id == IDC_LICENCE && code == platform::kEditChange) {
    OnLicenceChange();
  } else if (code != platform::kButtonClicked) {
    CDialog::OnCommand(id, code);
  } else if (id == IDC_ACCEPT) {
    OnAccept();
  } else if (id == IDC_DECLINE) {
    OnDecline();
  } else if (id == IDC_BROWSE) {
    OnBrowse();
  } else if (id == IDC_INSTALL_NOW) {
    OnInstallNow();
  } else {
    CDialog::OnCommand(id, code);
  }
}

// The licence cannot be edited: every change is undone at once by giving all members back to
// the controls (which also replaces unsaved typing in the directory box).
void CInstallDlg::OnLicenceChange() { UpdateData(0); }

void CInstallDlg::OnAccept() {
  m_accepted = 1;
  UpdateData(1);
}

// Declining before accepting ends the installer; after accepting it takes the acceptance back.
void CInstallDlg::OnDecline() {
  if (!m_accepted) OnCancel();
  m_accepted = 0;
  UpdateData(1);
}

void CInstallDlg::OnBrowse() {
  UpdateData(1);
  CFolderDialog browser(m_installDir.c_str(), 0, nullptr);
  if (browser.DoModal() == platform::kIdOk) m_installDir = browser.GetSelectedPath();
  UpdateData(0);
}

void CInstallDlg::OnCancel() {
  if (!m_installing) {
    CDialog::OnCancel();
    return;
  }
  CQuitDlg question;
  m_askingToQuit = 1;
  int answer = question.DoModal();
  m_askingToQuit = 0;
  if (answer == platform::kIdOk) CDialog::OnCancel();
}
