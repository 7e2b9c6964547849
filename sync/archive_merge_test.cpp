#include "sync/archive_merge.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/message.h"
#include "platform/fake/fake_services_test.h"
#include "sync/archive_test_support.h"

namespace {

using archive_test::Fill;
using archive_test::Inductor;
using archive_test::Resistor;
using platform::ReadWholeFile;
using platform::WriteWholeFile;

class ArchiveMergeTest : public platform::CFakeServicesTest {
 protected:
  // Writes both documents where the merge finds them.
  template <class Doc>
  void Prepare(Doc& user, Doc& shipped) {
    ASSERT_TRUE(WriteWholeFile(m_user, user.SaveToBytes()));
    ASSERT_TRUE(WriteWholeFile(m_shipped, shipped.SaveToBytes()));
  }

  const std::string m_user = m_dir / "standard.res";
  const std::string m_shipped = m_dir / "shipped.tmp";
};

TEST_F(ArchiveMergeTest, InductorsOfEveryWurthSpellingShareOneKey) {
  CInductorDoc user, shipped, merged;
  Fill(user, Inductor("WE eiSos", "7447", 1e-6f), Inductor("WE eiSos", "7448", 2e-6f));
  Fill(shipped, Inductor("Wurth Elektronik", "7447", 1.2e-6f));
  Prepare(user, shipped);

  ASSERT_EQ(1, MergeInductorDatabase(m_user.c_str(), m_shipped.c_str(), m_user.c_str()));

  EXPECT_EQ(ReadWholeFile(m_user + ".bak"), user.SaveToBytes());
  Fill(merged, Inductor(kWurthManufacturer, "7447", 1.2e-6f),
       Inductor(kWurthManufacturer, "7448", 2e-6f));
  EXPECT_EQ(ReadWholeFile(m_user), merged.SaveToBytes()) << "one key, saved normalised";
}

TEST_F(ArchiveMergeTest, UnusableInputsFailAndLeaveTheUserFile) {
  CResistorDoc shipped;
  Fill(shipped, Resistor("Kelvra", "K1", 1.0f));
  ASSERT_TRUE(WriteWholeFile(m_shipped, shipped.SaveToBytes()));
  const std::string missing = m_dir / "missing.res";
  EXPECT_EQ(0, MergeResistorDatabase(missing.c_str(), m_shipped.c_str(), missing.c_str()));
  EXPECT_EQ(0, MergeResistorDatabase(m_user.c_str(), nullptr, m_user.c_str()));
  EXPECT_EQ(1u, platform::CountFiles(m_dir.path())) << "no backup without a user file";

  // No records, a corrupt file, a missing shipped file: backed up, untouched, one message for
  // the corrupt file only.
  const std::string corrupt = shipped.SaveToBytes().substr(0, 9);
  for (const std::string& content : {std::string(), archive_test::Hex("00 00"), corrupt}) {
    ASSERT_TRUE(WriteWholeFile(m_user, content));
    EXPECT_EQ(0, MergeResistorDatabase(m_user.c_str(), m_shipped.c_str(), m_user.c_str()));
    EXPECT_EQ(ReadWholeFile(m_user), content);
    EXPECT_EQ(ReadWholeFile(m_user + ".bak"), content);
  }
  EXPECT_EQ(m_ui.boxes(), std::vector<std::string>{"Unexpected file format."});
  ASSERT_TRUE(WriteWholeFile(m_user, shipped.SaveToBytes()));
  EXPECT_EQ(0, MergeResistorDatabase(m_user.c_str(), missing.c_str(), m_user.c_str()));
  EXPECT_EQ(0, MergeInductorDatabase(m_user.c_str(), m_shipped.c_str(), m_user.c_str()))
      << "a resistor archive is not an inductor database";
  EXPECT_EQ(ReadWholeFile(m_user), shipped.SaveToBytes());
  EXPECT_TRUE(m_system.exits().empty());
}

TEST_F(ArchiveMergeTest, FailedBackupStopsBeforeAnythingIsRead) {
  CResistorDoc user, shipped;
  Fill(user, Resistor("Mine", "M", 1.0f));
  Fill(shipped, Resistor("Kelvra", "K1", 1.0f));
  Prepare(user, shipped);
  ASSERT_TRUE(WriteWholeFile(m_user + ".bak", ""));
  ASSERT_TRUE(platform::Files().SetReadOnly((m_user + ".bak").c_str(), true));
  m_files.LockAttributeOf(m_user + ".bak");

  EXPECT_EQ(0, MergeResistorDatabase(m_user.c_str(), m_shipped.c_str(), m_user.c_str()));

  EXPECT_EQ(m_system.exits(), std::vector<int>{kFailureExitStatus});
  EXPECT_EQ(ReadWholeFile(m_user), user.SaveToBytes());
  const std::vector<std::string> opened = m_files.opened();
  EXPECT_EQ(std::find(opened.begin(), opened.end(), m_shipped), opened.end());
}

TEST_F(ArchiveMergeTest, AFailedSaveIsReportedAndEndsNothing) {
  CInductorDoc user, shipped;
  Fill(user, Inductor("Mine", "L1", 1e-6f));
  Fill(shipped, Inductor("Kelvra", "K1", 2e-6f));
  Prepare(user, shipped);
  // The backup copy takes one write call; the save's first write falls short.
  m_files.FailWritesFrom(m_files.writeCalls() + 2);
  EXPECT_EQ(0, MergeInductorDatabase(m_user.c_str(), m_shipped.c_str(), m_user.c_str()));
  EXPECT_TRUE(m_system.exits().empty());
  EXPECT_EQ(m_ui.boxes().back(), "Disk full while accessing " + m_user + ".");
  EXPECT_EQ(ReadWholeFile(m_user), user.SaveToBytes());
}

}  // namespace
