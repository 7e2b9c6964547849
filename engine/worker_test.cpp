#include "engine/worker.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "engine/files.h"
#include "engine/fixture_table_test_support.h"
#include "engine/message.h"
#include "engine/paths.h"
#include "payload/member.h"
#include "platform/fake/fake_services_test.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

namespace {

using platform::ReadWholeFile;

constexpr char kTroubleWritingFile[] =
    "Trouble writing file.\nOut of disk space?  Permission problem?";

void RunPayload(void* index) { InstallPayload(*static_cast<const PayloadIndex*>(index)); }

// Runs installations into a scratch directory with recording stand-ins for the boxes, the
// exit and the temporary directory.
class WorkerTest : public platform::CFakeServicesTest {
 protected:
  void SetUp() override {
    CFakeServicesTest::SetUp();
    m_system.SetEnvironment("TMP", platform::SystemPathForTest(m_temp.path()));
    snprintf(g_installDir, sizeof g_installDir, "%s", (m_dir / "Cirvane IV").c_str());
    g_updateMode = 0;
  }

  // Starts the worker on its own thread over `index` and waits for it to end.
  void Install(const PayloadIndex& index) {
    g_installDone.store(0);
    ASSERT_TRUE(m_system.StartThread(RunPayload, const_cast<PayloadIndex*>(&index)));
    m_system.JoinThreads();
  }

  std::string Installed(const std::string& path) { return JoinPath(g_installDir, path); }

  // A table with plain and compressed entries in nested folders, two of them read-only.
  CFixtureTable Product() {
    CFixtureTable table;
    table.Add(".\\Changelog.txt", TextOfSize(300));
    table.Add(".\\examples\\jigs\\big.asc", TextOfSize(50000, 3));
    table.Add(".\\examples\\noise.wav", NoiseOfSize(4000));
    table.Add(".\\lib\\sym\\cap.asy", TextOfSize(kMaxPlainSize, 4), true);
    table.Add(".\\lib\\sym\\diode.asy", TextOfSize(kMaxPlainSize + 1, 5), true);
    table.Add(".\\lib\\sym\\Opamps\\x.asy", TextOfSize(700, 6));
    return table;
  }

  // Every entry of `table` in place with its content, read-only where the table says so.
  void ExpectInstalled(CFixtureTable& table) {
    const PayloadIndex& index = table.index();
    for (size_t i = 0; i < index.size(); ++i) {
      const PayloadEntry& entry = *index.first[i];
      EXPECT_EQ(table.content(i), ReadWholeFile(Installed(entry.path))) << entry.path;
      EXPECT_EQ(entry.readOnly, platform::Files().IsReadOnly(Installed(entry.path).c_str()))
          << entry.path;
    }
  }

  platform::CScopedTempDir m_temp;
};

// Every entry is installed, read-only ones read-only; a reinstall replaces read-only files and
// makes them read-only again.
TEST_F(WorkerTest, InstallsEveryEntryOverReadOnlyFilesAndRaisesTheFlag) {
  CFixtureTable table = Product();
  Install(table.index());
  EXPECT_EQ(1, g_installDone.load());
  ExpectInstalled(table);
  EXPECT_EQ(table.index().size(), platform::CountFiles(g_installDir));
  EXPECT_EQ("Extracting: .\\lib\\sym\\Opamps\\x.asy.gz\n", g_statusText.Copy());
  EXPECT_TRUE(m_ui.boxes().empty());
  EXPECT_TRUE(m_system.exits().empty());
  EXPECT_EQ(0u, platform::CountFiles(m_temp.path()));

  CFixtureTable second;
  second.Add(".\\lib\\sym\\cap.asy", "new cap", true);
  second.Add(".\\lib\\sym\\diode.asy", TextOfSize(3000, 9), true);
  Install(second.index());
  EXPECT_EQ(1, g_installDone.load());
  ExpectInstalled(second);

  CFixtureTable nothing;
  Install(nothing.index());
  EXPECT_EQ("", g_statusText.Copy()) << "cleared before the first entry";
}

// A target that cannot be opened, or a full disk at its stored bytes, in its decompression or in
// the copy back, ends the installation with its message; the status names the entry, and nothing
// after it is written.
TEST_F(WorkerTest, AFileThatCannotBeWrittenEndsTheInstallation) {
  // The first compressed entry is the second one: write 2 stores its member, writes 3 to 6
  // decompress it, the copy back follows.
  const std::string big = ".\\examples\\jigs\\big.asc", target = Installed(big);
  struct Case {
    long failingWrite;  // 0: opening the target is refused
    std::string entry;
    std::string box;
  };
  const Case cases[] = {
      {0, big, kTroubleWritingFile},
      {1, ".\\Changelog.txt", kTroubleWritingFile},
      {2, big, kTroubleWritingFile},
      {3, big, "Trouble writing: " + target + "\ngz_uncompress(): failed fwrite"},
      {8, big,
       "Trouble writing: " + target + "\nTrouble uncompressing file: \"" + target +
           "\"\n    Disk full?  Permission problem?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("write " + std::to_string(c.failingWrite));
    platform::CFakeUi ui;
    platform::UseUi(&ui);
    platform::CFakeSystem system;
    system.SetEnvironment("TMP", platform::SystemPathForTest(m_temp.path()));
    platform::UseSystem(&system);
    platform::CFaultyFiles faulty;
    if (c.failingWrite == 0) faulty.FailOpensOf(target);
    faulty.FailWritesFrom(c.failingWrite);
    platform::UseFiles(&faulty);
    CFixtureTable table = Product();
    g_installDone.store(0);
    EXPECT_EQ(0, InstallPayload(table.index()));
    EXPECT_EQ(std::vector<std::string>{c.box}, ui.boxes());
    EXPECT_EQ(std::vector<int>{kFailureExitStatus}, system.exits());
    EXPECT_EQ(0, g_installDone.load());
    EXPECT_EQ("Extracting: " + c.entry + ".gz\n", g_statusText.Copy());
    EXPECT_FALSE(FileExists(Installed(".\\examples\\noise.wav")));
  }
}

using WorkerDeathTest = WorkerTest;

// An over-long target is refused like any file that cannot be written, never overflowing a buffer;
// so is a real full disk, where the file-size limit makes the system refuse writes past 64 KB.
TEST_F(WorkerDeathTest, AFatalFailureEndsTheProcessWithStatusOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // The real system ends the process; the real files meet the real limit.
  platform::UseSystem(nullptr);
  platform::UseFiles(nullptr);
  CFixtureTable overLong;
  overLong.Add(".\\" + std::string(kMaxPathLength, 'x'), "data");
  EXPECT_EXIT(InstallPayload(overLong.index()), testing::ExitedWithCode(kFailureExitStatus), "");
#ifndef _WIN32
  constexpr rlim_t kFileSizeLimit = 64 * 1024;
  CFixtureTable huge;
  huge.Add(".\\lib\\sub\\huge.sub", NoiseOfSize(4 * kFileSizeLimit));
  auto installUnderLimit = [&] {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{kFileSizeLimit, kFileSizeLimit};
    setrlimit(RLIMIT_FSIZE, &limit);
    InstallPayload(huge.index());
    _exit(0);
  };
  EXPECT_EXIT(installUnderLimit(), testing::ExitedWithCode(kFailureExitStatus), "");
#endif
}

}  // namespace
