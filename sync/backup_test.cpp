#include "sync/backup.h"

#include <gtest/gtest.h>

#include "engine/message.h"
#include "platform/fake/fake_services_test.h"

namespace {

using platform::ReadWholeFile;
using platform::WriteWholeFile;

using BackupTest = platform::CFakeServicesTest;

// An older read-only backup is replaced at once; a copy whose bytes never reach the disk is made
// again after a pause, without a message.
TEST_F(BackupTest, ReplacesAnOlderReadOnlyBackupAndRetriesOnceAfterAPause) {
  const std::string database = m_dir / "standard.dio";
  ASSERT_TRUE(WriteWholeFile(database, "current\r\n"));
  ASSERT_TRUE(WriteWholeFile(database + ".bak", "older and longer\r\n"));
  ASSERT_TRUE(platform::Files().SetReadOnly((database + ".bak").c_str(), true));
  EXPECT_TRUE(BackupDatabase(database));
  EXPECT_EQ("current\r\n", ReadWholeFile(database + ".bak"));
  EXPECT_EQ("current\r\n", ReadWholeFile(database));
  EXPECT_TRUE(m_system.sleeps().empty());

  ASSERT_TRUE(WriteWholeFile(database, "models"));
  m_files.FailClose(m_files.closeCalls() + 1);
  EXPECT_TRUE(BackupDatabase(database));
  EXPECT_EQ(std::vector<unsigned>{kBackupRetryMilliseconds}, m_system.sleeps());
  EXPECT_EQ("models", ReadWholeFile(database + ".bak"));
  EXPECT_TRUE(m_ui.boxes().empty());
  EXPECT_TRUE(m_system.exits().empty());
}

TEST_F(BackupTest, ALockedReadOnlyBackupAbortsWithBothPaths) {
  const std::string database = m_dir / "standard.mos";
  ASSERT_TRUE(WriteWholeFile(database, "user models"));
  ASSERT_TRUE(WriteWholeFile(database + ".bak", "older models"));
  ASSERT_TRUE(platform::Files().SetReadOnly((database + ".bak").c_str(), true));
  m_files.LockAttributeOf(database + ".bak");

  EXPECT_FALSE(BackupDatabase(database));

  ASSERT_EQ(1u, m_ui.boxes().size());
  EXPECT_EQ("Trouble backing up " + database + "\nas " + database + ".bak\n\nRelease sync aborted.",
            m_ui.boxes()[0]);
  EXPECT_EQ(std::vector<int>{kFailureExitStatus}, m_system.exits());
  EXPECT_EQ("user models", ReadWholeFile(database));
  EXPECT_EQ("older models", ReadWholeFile(database + ".bak"));
  EXPECT_EQ(2u, platform::CountFiles(m_dir.path())) << "no new file may stay";
}

}  // namespace
