// The installer's main dialog: the licence, its acceptance, the installation directory with a
// folder browser, "Install Now" and the status line that the progress timer refreshes.
//
// Control states follow two members: until the licence is accepted only the licence, Accept,
// Decline and Cancel are usable; while installing only Cancel is, and leaving then asks first.
// The installation itself (Install Now, the progress timer and the finishing steps) is in
// install_controller.cpp.
#ifndef CIRVANE_FRONTEND_INSTALL_DLG_H_
#define CIRVANE_FRONTEND_INSTALL_DLG_H_

#include <string>

#include "platform/dialog.h"
#include "platform/ui.h"

// The directory proposed when the registry names no existing Program Files directory.
constexpr char kDefaultInstallDir[] = "C:\\Program Files\\VRO\\CirvaneIV";
// What the proposal puts below the Program Files directory.
constexpr char kProductSubdirectory[] = "\\VRO\\CirvaneIV";
// The simulator below the installation directory; its presence marks an earlier installation.
constexpr char kSimulatorPath[] = ".\\qsim3.exe";

// The id and period of the timer that shows the worker's progress.
constexpr unsigned kProgressTimerId = 1;
constexpr unsigned kProgressPeriodMilliseconds = 200;
// How often StartProgressTimer asks the system for the timer before it gives up.
constexpr int kTimerStartTries = 9999;

// The procedure the install worker thread runs; the argument is null.
using WorkerProcedure = void (*)(void*);

// Starts timer kProgressTimerId of `dialog` with `milliseconds`, asking up to kTimerStartTries
// times in a row; the timer id, or 0 when every try failed.
unsigned StartProgressTimer(platform::CDialog& dialog, unsigned milliseconds);

class CInstallDlg : public platform::CDialog {
 public:
  // `worker` is the installation thread's procedure (the program's own payload by default).
  explicit CInstallDlg(WorkerProcedure worker = nullptr);

  // Sets the small icon, proposes the directory below the registry's Program Files directory
  // and gives the licence box its font.
  int OnInitDialog() override;
  // While installing, asks whether to quit and ends the dialog only on "Yes"; otherwise ends it.
  void OnCancel() override;
  // Progress refresh, and once the worker has finished, the finishing steps.
  void OnTimer(unsigned id) override;

  std::string m_installDir = kDefaultInstallDir;  // edit IDC_INSTALL_DIR
  std::string m_status;                           // static IDC_STATUS
  std::string m_title;                            // static IDC_HEADING
  std::string m_licence;                          // edit IDC_LICENCE
  platform::IconHandle m_hIcon = nullptr;
  int m_accepted = 0;
  int m_installing = 0;
  unsigned m_timerId = 0;

 protected:
  void DoDataExchange(platform::CDataExchange& exchange) override;
  void OnCommand(int id, int code) override;

 private:
  void OnLicenceChange();
  void OnAccept();
  void OnDecline();
  void OnBrowse();
  void OnInstallNow();
  // Enables the controls for the state of m_accepted and m_installing.
  void UpdateControlStates();
  void ProposeInstallDir();

  // Install Now, step by step (install_controller.cpp).
  // Makes m_installDir a full path; 1 when it leaves room for the product and exists or could
  // be created; otherwise tells the user.
  int PrepareInstallDir();
  // Asks how to treat an earlier installation; 1 to go on (g_updateMode set), 0 to stay idle.
  int AskOverwriteOrUpdate();
  void EnableQuestionedControls(int enable);
  // Starts the timer and the worker; back to idle with a message when either cannot start.
  void StartInstallation();
  void RefreshProgress();
  void RunFinishSequence();

  WorkerProcedure m_worker;
  // 1 while the quit question is open: the finishing steps wait until it has closed.
  int m_askingToQuit = 0;
};

#endif  // CIRVANE_FRONTEND_INSTALL_DLG_H_
