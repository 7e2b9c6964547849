#include "sync/archive_merge.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/message.h"
#include "platform/fake/fake_services_test.h"
#include "sync/archive_test_support.h"

namespace {

using archive_test::Capacitor;
using archive_test::Encode;
using archive_test::Fill;
using archive_test::Inductor;
using archive_test::Resistor;
using platform::ReadWholeFile;
using platform::WriteWholeFile;

class ArchiveMergeTest : public platform::CFakeServicesTest {
 protected:
  // Writes both documents, runs `merge` as the installer does (output = user) and loads the
  // result into `*merged`.
  template <class Doc>
  int Merge(int (*merge)(const char*, const char*, const char*), Doc& user, Doc& shipped,
            Doc* merged) {
    EXPECT_TRUE(WriteWholeFile(m_user, Encode(user)));
    EXPECT_TRUE(WriteWholeFile(m_shipped, Encode(shipped)));
    const int result = merge(m_user.c_str(), m_shipped.c_str(), m_user.c_str());
    EXPECT_EQ(ReadWholeFile(m_user + ".bak"), Encode(user));
    if (result) {
      EXPECT_EQ(merged->LoadFromBytes(ReadWholeFile(m_user)), ArchiveFault::kNone);
    }
    return result;
  }

  template <class Doc>
  static std::vector<std::string> PartNumbers(const Doc& doc) {
    std::vector<std::string> parts;
    for (const auto& record : doc.records) parts.push_back(record->part_number);
    return parts;
  }

  const std::string m_user = m_dir / "standard.res";
  const std::string m_shipped = m_dir / "shipped.tmp";
};

TEST_F(ArchiveMergeTest, ShippedRecordsReplaceUserRecordsWithTheirKey) {
  CResistorDoc user, shipped, merged;
  Fill(user, Resistor("Velmor", "VR-100", 100.0f, 0.25f), Resistor("velmor", "vr-100", 101.0f),
       Resistor("Velmor", "", 100.0f), Resistor("", "", 47.0f, 0.25f, 0.01f),
       Resistor("", "", 47.0f, 0.5f, 0.01f), Resistor("Mine", "M-1", 1.0f));
  Fill(shipped, Resistor("VELMOR", "VR-100", 100.0f, 0.5f), Resistor("Kelvra", "K47", 47.0f),
       Resistor("Kelvra", "K10", 10.0f, 0.1f), Resistor("Kelvra", "k10", 10.0f, 0.2f));

  ASSERT_EQ(1, Merge(MergeResistorDatabase, user, shipped, &merged));

  // Sorted by value; both user records of key (Velmor, VR-100) gave way to the shipped one,
  // the blank 47-ohm record to the shipped record with its three numbers, and of the two
  // shipped K10 records only the later one remains.
  EXPECT_EQ(PartNumbers(merged), (std::vector<std::string>{"M-1", "k10", "K47", "", "", "VR-100"}));
  EXPECT_EQ(merged.records[4]->manufacturer, "Velmor");
  EXPECT_EQ(merged.records[3]->power_rating, 0.5f);
  EXPECT_EQ(merged.records[5]->manufacturer, "VELMOR");
  EXPECT_TRUE(m_ui.boxes().empty());
}

TEST_F(ArchiveMergeTest, SameDatabaseComesBackSortedWithoutDuplicates) {
  CCapacitorDoc user, shipped, merged;
  for (CCapacitorDoc* doc : {&user, &shipped}) {
    Fill(*doc, Capacitor("Zeta", "Z1", 4.7e-6f), Capacitor("Alvanta", "A1", 1e-6f),
         Capacitor("Alvanta", "A2", 2.2e-6f, "Tantalum"));
    doc->records[0]->slot5 = 0x45FA0000;  // 8000.0, the simulator's own value
  }
  Fill(user, Capacitor("alvanta", "a1", 1e-6f, "x7r"), Capacitor("Mine", "", 1e-6f),
       Capacitor("MINE", "", 1e-6f));

  ASSERT_EQ(1, Merge(MergeCapacitorDatabase, user, shipped, &merged));

  // The two keyless user records differ only in letter case, so one of them is a duplicate.
  ASSERT_EQ(PartNumbers(merged), (std::vector<std::string>{"A1", "", "A2", "Z1"}));
  EXPECT_EQ(merged.records[0]->manufacturer, "Alvanta");
  EXPECT_EQ(merged.records[3]->slot5, 0x45FA0000u);
  EXPECT_EQ(merged.records[3]->slot7, kCapacitorSlot7Default);
}

TEST_F(ArchiveMergeTest, InductorsOfEveryWurthSpellingShareOneKey) {
  CInductorDoc user, shipped, merged;
  Fill(user, Inductor("WE eiSos", "7447", 1e-6f), Inductor("WE eiSos", "7448", 2e-6f));
  Fill(shipped, Inductor("Wurth Elektronik", "7447", 1.2e-6f));

  ASSERT_EQ(1, Merge(MergeInductorDatabase, user, shipped, &merged));

  ASSERT_EQ(merged.records.size(), 2u);
  EXPECT_EQ(merged.records[0]->inductance, 1.2e-6f);
  EXPECT_EQ(ReadWholeFile(m_user).find("eiSos"), std::string::npos) << "saved normalised";
}

TEST_F(ArchiveMergeTest, UnusableInputsFailAndLeaveTheUserFile) {
  CResistorDoc shipped;
  Fill(shipped, Resistor("Kelvra", "K1", 1.0f));
  ASSERT_TRUE(WriteWholeFile(m_shipped, Encode(shipped)));
  const std::string missing = m_dir / "missing.res";
  EXPECT_EQ(0, MergeResistorDatabase(missing.c_str(), m_shipped.c_str(), missing.c_str()));
  EXPECT_EQ(0, MergeResistorDatabase("", m_shipped.c_str(), m_user.c_str()));
  EXPECT_EQ(0, MergeResistorDatabase(m_user.c_str(), nullptr, m_user.c_str()));
  EXPECT_EQ(1u, platform::CountFiles(m_dir.path())) << "no backup without a user file";

  // No records, a corrupt file, a missing shipped file: backed up, untouched, one message for
  // the corrupt file only.
  const std::string corrupt = Encode(shipped).substr(0, 9);
  for (const std::string& content : {std::string(), archive_test::Hex("00 00"), corrupt}) {
    ASSERT_TRUE(WriteWholeFile(m_user, content));
    EXPECT_EQ(0, MergeResistorDatabase(m_user.c_str(), m_shipped.c_str(), m_user.c_str()));
    EXPECT_EQ(ReadWholeFile(m_user), content);
    EXPECT_EQ(ReadWholeFile(m_user + ".bak"), content);
  }
  EXPECT_EQ(m_ui.boxes(), std::vector<std::string>{"Unexpected file format."});
  ASSERT_TRUE(WriteWholeFile(m_user, Encode(shipped)));
  EXPECT_EQ(0, MergeResistorDatabase(m_user.c_str(), missing.c_str(), m_user.c_str()));
  EXPECT_EQ(0, MergeInductorDatabase(m_user.c_str(), m_shipped.c_str(), m_user.c_str()))
      << "a resistor archive is not an inductor database";
  EXPECT_EQ(ReadWholeFile(m_user), Encode(shipped));
  EXPECT_TRUE(m_system.exits().empty());
}

TEST_F(ArchiveMergeTest, FailedBackupStopsBeforeAnythingIsRead) {
  CResistorDoc user, shipped;
  Fill(user, Resistor("Mine", "M", 1.0f));
  Fill(shipped, Resistor("Kelvra", "K1", 1.0f));
  ASSERT_TRUE(WriteWholeFile(m_user, Encode(user)));
  ASSERT_TRUE(WriteWholeFile(m_shipped, Encode(shipped)));
  ASSERT_TRUE(WriteWholeFile(m_user + ".bak", ""));
  ASSERT_TRUE(platform::Files().SetReadOnly((m_user + ".bak").c_str(), true));
  m_files.LockAttributeOf(m_user + ".bak");

  EXPECT_EQ(0, MergeResistorDatabase(m_user.c_str(), m_shipped.c_str(), m_user.c_str()));

  EXPECT_EQ(m_system.exits(), std::vector<int>{kFailureExitStatus});
  EXPECT_EQ(ReadWholeFile(m_user), Encode(user));
  const std::vector<std::string> opened = m_files.opened();
  EXPECT_EQ(std::find(opened.begin(), opened.end(), m_shipped), opened.end());
}

TEST_F(ArchiveMergeTest, ReadOnlyUserFileIsReplacedAndAFailedSaveIsReported) {
  CInductorDoc user, shipped, merged;
  Fill(user, Inductor("Mine", "L1", 1e-6f));
  Fill(shipped, Inductor("Kelvra", "K1", 2e-6f));
  ASSERT_TRUE(WriteWholeFile(m_user, Encode(user)));
  ASSERT_TRUE(WriteWholeFile(m_shipped, Encode(shipped)));
  ASSERT_TRUE(platform::Files().SetReadOnly(m_user.c_str(), true));
  ASSERT_EQ(1, MergeInductorDatabase(m_user.c_str(), m_shipped.c_str(), m_user.c_str()));
  ASSERT_EQ(merged.LoadFromBytes(ReadWholeFile(m_user)), ArchiveFault::kNone);
  EXPECT_EQ(PartNumbers(merged), (std::vector<std::string>{"L1", "K1"}));
  EXPECT_FALSE(platform::Files().IsReadOnly(m_user.c_str()));

  // The backup copy takes one write call; the save's first write falls short.
  m_files.FailWritesFrom(m_files.writeCalls() + 2);
  EXPECT_EQ(0, MergeInductorDatabase(m_user.c_str(), m_shipped.c_str(), m_user.c_str()));
  EXPECT_TRUE(m_system.exits().empty());
  EXPECT_EQ(m_ui.boxes().back(), "Disk full while accessing " + m_user + ".");
}

}  // namespace
