// Installation runs of the main dialog through the host without windows: Install Now with its
// directory checks and the overwrite question, the progress timer, and the finishing steps with
// their order and early ends. The worker runs for real over a small payload.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "engine/files.h"
#include "engine/fixture_table_test_support.h"
#include "engine/paths.h"
#include "engine/worker.h"
#include "frontend/install_dlg.h"
#include "frontend/installer_test_support.h"
#include "frontend/resource.h"
#include "integration/registry_entries.h"
#include "payload/payload.h"
#include "sync/release_sync.h"

namespace {

using platform::CHeadlessWindow;
using platform::Hive;
using platform::kIdCancel;
using platform::kIdOk;
using platform::ReadWholeFile;
using platform::WriteWholeFile;

constexpr char kSuccessText[] = "Cirvane IV has been successfully installed";

// The payload the workers of these tests install.
const PayloadIndex* g_testPayload = nullptr;

void InstallTestPayload(void*) { InstallPayload(*g_testPayload, ReleaseSyncEntry); }

// Writes a status line and stops without finishing.
void StatusOnlyWorker(void*) { g_statusText.Set("Extracting: %s.gz\n", ".\\lib\\a.sub"); }

// Records every application box with how far the finishing steps had come when it was shown.
class CObservingUi : public platform::CHeadlessUi {
 public:
  explicit CObservingUi(std::function<std::string()> stage)
      : CHeadlessUi(InstallerDialogTemplates(), InstallerIconIds()), m_stage(std::move(stage)) {}
  int ShowMessageBox(const char* text) override {
    m_moments.push_back(text + std::string(" | ") + m_stage());
    return CHeadlessUi::ShowMessageBox(text);
  }
  std::vector<std::string> m_moments;

 private:
  std::function<std::string()> m_stage;
};

class InstallControllerTest : public testing::Test {
 protected:
  InstallControllerTest() : m_ui([this] { return Stage(); }) {
    platform::UseUi(&m_ui);
    m_services.m_system.OnProcessStart([this] { m_launchStage = Stage(); });
    m_table.Add(".\\qsim3.exe", "MZ simulator stand-in");
    m_table.Add(".\\examples\\astable.asc", TextOfSize(6000));
    g_testPayload = &m_table.index();
    m_windows = m_services.m_scratch / "Windows";
    platform::Files().MakeDirectory(m_windows.c_str());
    WriteWholeFile(m_windows + "\\qsim3.ini", "[Options]\n");
    m_services.m_system.SetEnvironment("WINDIR", m_windows);
    m_target = m_services.m_scratch / "Apps\\VRO\\Cirvane IV";
    g_installDir[0] = '\0';
    g_updateMode = 0;
    g_installDone.store(0);
    g_statusText.Clear();
  }
  ~InstallControllerTest() override { m_services.m_system.JoinThreads(); }
  void TearDown() override { EXPECT_TRUE(m_ui.faults().empty()) << m_ui.faults()[0]; }

  // Accept, the target typed in, Install Now.
  static void StartInstalling(const std::string& directory, platform::CHeadlessUi& ui) {
    ui.Click(IDD_INSTALL, IDC_ACCEPT);
    ui.Type(IDD_INSTALL, IDC_INSTALL_DIR, directory);
    ui.Click(IDD_INSTALL, IDC_INSTALL_NOW);
  }
  void StartInstalling(const std::string& directory) { StartInstalling(directory, m_ui); }

  // Waits for the worker, then lets the timer see it finished.
  void FinishInstalling() {
    m_ui.Then(IDD_INSTALL, [this](CHeadlessWindow& window) {
      m_services.m_system.JoinThreads();
      EXPECT_EQ(1, window.FireTimer(kProgressTimerId));
    });
  }

  bool IniFileExists() { return FileExists(m_windows + "\\qsim3.ini"); }

  // What an earlier generation left: a Start-menu link, company keys, a file type, an uninstall
  // entry.
  void LeaveOldGeneration() {
    m_services.m_registry.SetValue(Hive::kLocalMachine, kShellFoldersKey, "Common Programs",
                                   m_services.m_scratch / "Programs");
    int budget = 0;
    CreateDirectoryTree(m_services.m_scratch / "Programs\\Pulsegrid III", &budget);
    WriteWholeFile(m_services.m_scratch / kOldLink, "link");
    m_services.m_registry.AddKey(Hive::kLocalMachine, kOldCompanyKey);
    m_services.m_registry.SetValue(Hive::kClassesRoot, "Cirvane.Schematic\\DefaultIcon", "",
                                   "C:\\Old\\qsim3.exe,1");
    m_services.m_registry.AddKey(Hive::kLocalMachine, kOldUninstallKey);
  }

  // Which finishing steps are done: 1 or 0 for each, in their order, then the processes started.
  std::string Stage() {
    platform::CFakeRegistry& registry = m_services.m_registry;
    const bool done[] = {!FileExists(m_services.m_scratch / kOldLink),
                         m_services.m_shell.saved().size() == 2,
                         FileExists(m_target + "\\uninstall.info") != 0,
                         !registry.HasKey(Hive::kLocalMachine, kOldCompanyKey),
                         !registry.HasKey(Hive::kClassesRoot, "Cirvane.Schematic"),
                         !registry.HasKey(Hive::kLocalMachine, kOldUninstallKey),
                         registry.HasKey(Hive::kLocalMachine, kUninstallEntryKey),
                         !IniFileExists()};
    std::string stage;
    for (bool step : done) stage += step ? '1' : '0';
    return stage + " " + std::to_string(m_services.m_system.processes().size());
  }

  static constexpr char kOldLink[] = "Programs\\Pulsegrid III\\Plexa III.lnk";
  static constexpr char kOldCompanyKey[] = "Software\\Veltro Corporation\\Pulsegrid III\\1.0";
  static constexpr char kOldUninstallKey[] =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pulsegrid III";

  CInstallerServices m_services;
  CObservingUi m_ui;
  CFixtureTable m_table;
  std::string m_windows;
  std::string m_target;
  std::string m_launchStage;
};

// The directory is typed relative to the current directory: everything after Install Now
// names it in full. The finishing steps come in their order: the old Start-menu links go, the
// shortcuts and the uninstall log are made, the success box waits for the user before the
// registry is cleaned up and the entry registered, then the ini file goes and the simulator
// starts last.
TEST_F(InstallControllerTest, FreshInstallationFinishesInOrderAndLaunchesLast) {
  LeaveOldGeneration();
  std::string work = m_services.m_scratch / "Work";
  platform::Files().MakeDirectory(work.c_str());
  platform::CScopedCurrentDirectory current(work);
  CInstallDlg dialog(InstallTestPayload);
  StartInstalling("..\\Apps\\VRO\\Cirvane IV");
  m_ui.Then(IDD_INSTALL, [this](CHeadlessWindow& window) {
    EXPECT_EQ(m_target, window.Text(IDC_INSTALL_DIR)) << "the box shows the full path";
  });
  FinishInstalling();

  EXPECT_EQ(kIdOk, dialog.DoModal());
  EXPECT_EQ(std::vector<int>{IDD_INSTALL}, m_ui.dialogsRun()) << "no question for a new place";
  EXPECT_EQ(m_table.index().size() + 1, platform::CountFiles(m_target)) << "and uninstall.info";
  EXPECT_EQ(std::vector<std::string>{kSuccessText + std::string(" | 11100000 0")}, m_ui.m_moments);
  EXPECT_EQ("11111111 0", m_launchStage);

  std::vector<platform::CFakeSystem::SProcessStart> started = m_services.m_system.processes();
  ASSERT_EQ(1u, started.size());
  EXPECT_EQ("\"" + m_target + "\\qsim3.exe\"", started[0].commandLine);
  EXPECT_EQ(m_target, started[0].workingDirectory);

  EXPECT_EQ(m_target, m_services.m_registry.ValueOf(Hive::kLocalMachine, kUninstallEntryKey,
                                                    "InstallLocation"));
  EXPECT_EQ(InstalledSizeKb(payloadIndex),
            platform::DwordNumber(m_services.m_registry.ValueOf(
                Hive::kLocalMachine, kUninstallEntryKey, "EstimatedSize")))
      << "the size of the program's own payload";
  std::string desktop = m_services.m_scratch / "Desktop\\Cirvane IV.lnk";
  std::string startMenu = m_services.m_scratch / "Start Menu\\Cirvane IV.lnk";
  EXPECT_EQ((std::vector<std::string>{desktop, startMenu}), m_services.m_shell.saved());
  std::string log = ReadWholeFile(m_target + "\\uninstall.info");
  EXPECT_EQ("Link:" + startMenu + "\r\nLink:" + desktop + "\r\n", log);
}

TEST_F(InstallControllerTest, ProgressShowsTheWorkerStatusAndAMissingSimulatorEndsQuietly) {
  CInstallDlg dialog(StatusOnlyWorker);
  StartInstalling(m_target);
  m_ui.Then(IDD_INSTALL, [this](CHeadlessWindow& window) {
    m_services.m_system.JoinThreads();
    window.FireTimer(kProgressTimerId);
    EXPECT_EQ("Extracting: .\\lib\\a.sub.gz\n", window.Text(IDC_STATUS));
    EXPECT_FALSE(window.ended());
    EXPECT_EQ(0, window.FireTimer(kProgressTimerId + 1)) << "other timers are not ours";
    g_installDone.store(1);
    window.FireTimer(kProgressTimerId);
    EXPECT_TRUE(window.timers().empty()) << "the timer stops at the finish";
    EXPECT_EQ("1111111", States(window)) << "idle again";
  });

  EXPECT_EQ(kIdOk, dialog.DoModal());
  EXPECT_TRUE(m_ui.boxes().empty()) << "no simulator: no shortcut, no message";
  EXPECT_TRUE(m_services.m_shell.saved().empty());
  EXPECT_TRUE(m_services.m_system.processes().empty());
}

// The longest directory accepted leaves exactly room for the product's longest path: the join
// puts one backslash in place of its leading ".\\".
TEST_F(InstallControllerTest, DirectoriesThatCannotBeMadeOrLeaveNoRoomAreRefused) {
  std::string file = m_services.m_scratch / "plain.txt";
  WriteWholeFile(file, "x");
  size_t longest = kMaxPathLength + 1 - std::strlen(payloadLongestPath);
  std::string fits =
      m_services.m_scratch / std::string(longest - m_services.m_scratch.path().size() - 1, 'd');
  std::string tooLong = fits + "e";
  CInstallDlg dialog(InstallTestPayload);
  StartInstalling("");
  m_ui.Type(IDD_INSTALL, IDC_INSTALL_DIR, file + "\\sub");
  m_ui.Click(IDD_INSTALL, IDC_INSTALL_NOW);
  m_ui.Type(IDD_INSTALL, IDC_INSTALL_DIR, tooLong);
  m_ui.Click(IDD_INSTALL, IDC_INSTALL_NOW);
  m_ui.Then(IDD_INSTALL,
            [](CHeadlessWindow& window) { EXPECT_EQ("1111111", States(window)) << "still idle"; });
  m_ui.Type(IDD_INSTALL, IDC_INSTALL_DIR, fits);
  m_ui.Click(IDD_INSTALL, IDC_INSTALL_NOW);
  FinishInstalling();

  EXPECT_EQ(kIdOk, dialog.DoModal());
  auto refusal = [](const std::string& directory) {
    return "Could not create directory \"" + directory + "\"\nPlease choose another location";
  };
  EXPECT_EQ((std::vector<std::string>{refusal(""), refusal(file + "\\sub"), refusal(tooLong),
                                      kSuccessText}),
            m_ui.boxTexts());
  EXPECT_EQ("Directory Not Found", m_ui.boxes().at(0).caption);
  EXPECT_EQ(platform::kBoxIconExclamation | platform::kBoxTopmost, m_ui.boxes().at(0).style);
  EXPECT_EQ(platform::EntryKind::kNone, platform::Files().Find(tooLong.c_str()))
      << "nothing is made for a directory without room";
  EXPECT_EQ(m_table.index().size() + 1, platform::CountFiles(fits));
}

// Neither a cancelled overwrite question nor one that cannot be shown gives leave to overwrite.
TEST_F(InstallControllerTest, OverwriteQuestionCancelledOrNotShownLeavesEverythingAsItWas) {
  std::string apps = m_services.m_scratch / "Apps";
  platform::Files().MakeDirectory(apps.c_str());
  WriteWholeFile(apps + "\\qsim3.exe", "old");
  CInstallDlg cancelled(InstallTestPayload);
  CHeadlessWindow* main = nullptr;
  m_ui.Then(IDD_INSTALL, [&main](CHeadlessWindow& window) { main = &window; });
  StartInstalling(apps);
  m_ui.Then(IDD_OVERWRITE, [&main](CHeadlessWindow& window) {
    EXPECT_TRUE(window.Checked(IDC_OVERWRITE)) << "overwriting is preselected";
    EXPECT_EQ("0000000", States(*main)) << "the main dialog waits, Cancel included";
  });
  m_ui.Click(IDD_OVERWRITE, kIdCancel);
  m_ui.PressEscape(IDD_INSTALL);
  EXPECT_EQ(kIdCancel, cancelled.DoModal());

  std::vector<platform::SDialogTemplate> templates = InstallerDialogTemplates();
  templates.erase(std::remove_if(templates.begin(), templates.end(),
                                 [](const auto& each) { return each.id == IDD_OVERWRITE; }),
                  templates.end());
  platform::CHeadlessUi ui(templates, InstallerIconIds());
  platform::UseUi(&ui);
  CInstallDlg unasked(InstallTestPayload);
  StartInstalling(apps, ui);
  ui.Then(IDD_INSTALL, [](CHeadlessWindow& window) {
    EXPECT_EQ("1111111", States(window)) << "still idle";
    window.PressEscape();
  });
  EXPECT_EQ(kIdCancel, unasked.DoModal());
  EXPECT_EQ(std::vector<std::string>{"no template 129"}, ui.faults());

  EXPECT_EQ("old", ReadWholeFile(apps + "\\qsim3.exe"));
  EXPECT_EQ(2u, platform::CountFiles(m_services.m_scratch.path())) << "the old exe, the ini";
}

// An installation, Overwrite and then Update over it, then a fresh place, which is not an Update.
TEST_F(InstallControllerTest, OverwriteDeletesTheIniFileAndUpdateKeepsIt) {
  const std::pair<std::string, int> runs[] = {
      {m_target, 0}, {m_target, 0}, {m_target, 1}, {m_target + "2", 0}};
  for (const auto& [directory, update] : runs) {
    const bool installed = FileExists(directory + "\\qsim3.exe") != 0;
    g_installDone.store(0);
    WriteWholeFile(m_windows + "\\qsim3.ini", "[Options]\n");
    CInstallDlg dialog(InstallTestPayload);
    StartInstalling(directory);
    if (update) m_ui.Click(IDD_OVERWRITE, IDC_UPDATE);
    if (installed) m_ui.Click(IDD_OVERWRITE, kIdOk);
    FinishInstalling();

    EXPECT_EQ(kIdOk, dialog.DoModal());
    EXPECT_EQ(update, g_updateMode);
    EXPECT_EQ(update != 0, IniFileExists()) << "Update mode keeps the simulator's settings";
  }
  EXPECT_EQ((std::vector<int>{IDD_INSTALL, IDD_INSTALL, IDD_OVERWRITE, IDD_INSTALL, IDD_OVERWRITE,
                              IDD_INSTALL}),
            m_ui.dialogsRun());
}

TEST_F(InstallControllerTest, FailedShortcutShowsItsMessageAndSkipsTheRest) {
  LeaveOldGeneration();
  m_services.m_shell.MakeLinksUnavailable();
  CInstallDlg dialog(InstallTestPayload);
  StartInstalling(m_target);
  FinishInstalling();

  EXPECT_EQ(kIdOk, dialog.DoModal()) << "the dialog closes all the same";
  EXPECT_EQ(std::vector<std::string>{"Trouble making link in desktop: no shell link object! | "
                                     "10000000 0"},
            m_ui.m_moments);
  EXPECT_EQ("10000000 0", Stage()) << "no log, no registry step, the ini file kept, no launch";
}

TEST_F(InstallControllerTest, FinishWaitsUntilTheQuitQuestionIsAnswered) {
  CInstallDlg dialog(InstallTestPayload);
  CHeadlessWindow* main = nullptr;
  StartInstalling(m_target);
  m_ui.Then(IDD_INSTALL, [&main](CHeadlessWindow& window) {
    main = &window;
    window.PressEscape();
  });
  m_ui.Then(IDD_QUIT, [this, &main](CHeadlessWindow&) {
    m_services.m_system.JoinThreads();
    main->FireTimer(kProgressTimerId);
    EXPECT_TRUE(m_ui.boxes().empty()) << "nothing finishes under the question";
    EXPECT_FALSE(main->ended());
  });
  m_ui.Click(IDD_QUIT, kIdCancel);
  FinishInstalling();

  EXPECT_EQ(kIdOk, dialog.DoModal());
  EXPECT_EQ(std::vector<std::string>{kSuccessText}, m_ui.boxTexts());
}

TEST_F(InstallControllerTest, NoTimerOrNoThreadGoesBackToIdleWithAMessage) {
  CInstallDlg dialog(InstallTestPayload);
  m_ui.Then(IDD_INSTALL, [this, &dialog](CHeadlessWindow&) {
    m_ui.FailTimerStarts(kTimerStartTries - 1);
    EXPECT_EQ(kProgressTimerId, StartProgressTimer(dialog, kProgressPeriodMilliseconds))
        << "the last try counts";
    dialog.KillTimer(kProgressTimerId);
    m_ui.FailTimerStarts(kTimerStartTries);
  });
  StartInstalling(m_target);
  m_ui.Then(IDD_INSTALL, [this](CHeadlessWindow& window) {
    EXPECT_EQ("1111111", States(window)) << "no timer: idle again";
    m_services.m_system.RefuseThreads();
    window.Click(IDC_INSTALL_NOW);
    EXPECT_EQ("1111111", States(window)) << "no thread: idle again";
    window.PressEscape();
  });

  EXPECT_EQ(kIdCancel, dialog.DoModal()) << "idle, so no question";
  std::vector<std::string> texts = m_ui.boxTexts();
  ASSERT_EQ(2u, texts.size());
  EXPECT_NE(std::string::npos, texts[0].find("no timer")) << texts[0];
  EXPECT_NE(std::string::npos, texts[1].find("could not start its thread")) << texts[1];
  EXPECT_EQ(0u, platform::CountFiles(m_target));
}

}  // namespace
