#include "sync/model_library.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/fake/fake_services_test.h"
#include "sync/backup.h"
#include "sync/model_library_merge.h"

namespace {

using platform::ReadWholeFile;
using platform::WriteWholeFile;

const std::string kHeader = std::string(kModelLibraryNotice) + "\r\n*\r\n\r\n";

class ModelLibraryTest : public platform::CFakeServicesTest {
 protected:
  // Writes both libraries, merges the shipped one into the user's and returns the result.
  int Merge(const std::string& shipped, const std::string& user) {
    EXPECT_TRUE(WriteWholeFile(m_shipped, shipped));
    EXPECT_TRUE(WriteWholeFile(m_user, user));
    return MergeModelLibrary(m_user.c_str(), m_shipped.c_str(), m_user.c_str());
  }

  const std::string m_shipped = m_dir / "tmp1";
  const std::string m_user = m_dir / "standard.bjt";
};

TEST_F(ModelLibraryTest, UserModelsKeepTheirPlaceAndShippedOnesWin) {
  const std::string user =
      "* my transistors\n"
      ".model MINE NPN(IS=1f)\n"
      ".model 2n2222 NPN(IS=2f BF=50) ; tuned by me\n"
      ".param X=1\n"
      ".model DUP PNP(IS=1)\n"
      ".model dup PNP(IS=2)\n"
      ".model\n";
  const std::string shipped =
      "* shipped header\r\n"
      ".MODEL 2N2222 NPN(IS = 1E-14\r\n"
      "+ BF=200)\r\n"
      ".model NEW1 PNP(IS=3)\r\n"
      ".model DUP PNP(IS=9)\r\n"
      ".model TWICE NPN(A=1)\r\n"
      ".model twice NPN(A=2)\r\n"
      ".model\r\n";
  ASSERT_EQ(1, Merge(shipped, user));
  EXPECT_EQ(kHeader +
                ".model MINE NPN(IS=1f)\r\n"
                ".MODEL 2N2222 NPN(IS=1E-14 BF=200)\r\n"
                ".model DUP PNP(IS=9)\r\n"
                ".model dup PNP(IS=2)\r\n"
                ".model\r\n"
                ".model NEW1 PNP(IS=3)\r\n"
                ".model twice NPN(A=2)\r\n"
                ".model\r\n",
            ReadWholeFile(m_user));
  EXPECT_EQ(user, ReadWholeFile(m_user + ".bak"));
  EXPECT_TRUE(m_ui.boxes().empty());
}

TEST_F(ModelLibraryTest, UserFileWithoutModelsGetsTheShippedOnes) {
  ASSERT_EQ(1, Merge(".model A D\n* c\n.model B D\n", "* only comments\n\n.include x.lib\n"));
  EXPECT_EQ(kHeader + ".model A D\r\n.model B D\r\n", ReadWholeFile(m_user));
}

TEST_F(ModelLibraryTest, ReadOnlyUserFileIsRewrittenAndStaysWritable) {
  ASSERT_TRUE(WriteWholeFile(m_user, ".model A D(Rs=1)\n"));
  ASSERT_TRUE(platform::Files().SetReadOnly(m_user.c_str(), true));
  ASSERT_TRUE(WriteWholeFile(m_shipped, ".model B D\n"));
  // The system refuses to open a read-only file for writing (also where root would not).
  m_files.FailOpensOf(m_user, 1);
  ASSERT_EQ(1, MergeModelLibrary(m_user.c_str(), m_shipped.c_str(), m_user.c_str()));
  EXPECT_EQ(kHeader + ".model A D(Rs=1)\r\n.model B D\r\n", ReadWholeFile(m_user));
  EXPECT_FALSE(platform::Files().IsReadOnly(m_user.c_str()));
}

TEST_F(ModelLibraryTest, FailuresLeaveTheUserFileOrItsBackup) {
  ASSERT_TRUE(WriteWholeFile(m_shipped, ".model B D\n"));
  EXPECT_EQ(0, MergeModelLibrary(m_user.c_str(), m_shipped.c_str(), m_user.c_str()));
  EXPECT_EQ(0, MergeModelLibrary("", m_shipped.c_str(), m_user.c_str()));
  EXPECT_EQ(0, MergeModelLibrary(m_user.c_str(), nullptr, m_user.c_str()));
  EXPECT_EQ(1u, platform::CountFiles(m_dir.path())) << "no backup without a user file";

  const std::string user = ".model A D\n";
  ASSERT_TRUE(WriteWholeFile(m_user, user));
  const std::string missing = m_dir / "missing";
  EXPECT_EQ(0, MergeModelLibrary(m_user.c_str(), missing.c_str(), m_user.c_str()));
  EXPECT_EQ(user, ReadWholeFile(m_user));
  EXPECT_EQ(user, ReadWholeFile(m_user + ".bak"));

  ASSERT_TRUE(platform::Files().SetReadOnly(m_user.c_str(), true));
  m_files.LockAttributeOf(m_user);
  EXPECT_EQ(0, MergeModelLibrary(m_user.c_str(), m_shipped.c_str(), m_user.c_str()));
  EXPECT_EQ(user, ReadWholeFile(m_user));
  EXPECT_TRUE(m_ui.boxes().empty());
}

// A write failure at any call, in the backup or in the merged output, is reported, and the
// user's models survive in the file or in its backup.
TEST_F(ModelLibraryTest, WriteFailureAtEveryCallIsReportedAndLosesNothing) {
  std::string user;
  for (int i = 0; i < 3000; ++i) user += ".model U" + std::to_string(i) + " NPN(IS=1f BF=100)\n";
  const std::string shipped = ".model U7 NPN(IS=2f)\n.model S1 PNP\n";
  ASSERT_EQ(1, Merge(shipped, user));
  const long calls = m_files.writeCalls();
  ASSERT_GT(calls, 4) << "the merge must write in several calls for this test to mean much";

  for (long failing = 1; failing <= calls; ++failing) {
    SCOPED_TRACE("write call " + std::to_string(failing));
    m_files.FailWritesFrom(0);
    platform::Files().RemoveFile((m_user + ".bak").c_str());
    const long before = m_files.writeCalls();
    ASSERT_TRUE(WriteWholeFile(m_shipped, shipped));
    ASSERT_TRUE(WriteWholeFile(m_user, user));
    m_files.FailWritesFrom(before + failing);

    EXPECT_EQ(0, MergeModelLibrary(m_user.c_str(), m_shipped.c_str(), m_user.c_str()));
    EXPECT_TRUE(ReadWholeFile(m_user) == user || ReadWholeFile(m_user + ".bak") == user);
  }
  EXPECT_FALSE(m_system.exits().empty()) << "a failed backup aborts release sync";
}

// The indexed merge gives what the plain walk of the list gives.
TEST(ModelMergeTest, IndexedMergeEqualsPlainWalk) {
  std::mt19937 random(7);
  const char* names[] = {"", "a", "A", "b", "B", "c", "q1", "Q1", "d"};
  auto makeList = [&](size_t count, const char* tag) {
    ModelList list;
    for (size_t i = 0; i < count; ++i) {
      const char* name = names[random() % (sizeof names / sizeof *names)];
      list.push_back({name, std::string(tag) + std::to_string(i)});
    }
    return list;
  };
  for (int round = 0; round < 2000; ++round) {
    ModelList user = makeList(random() % 8, "u");
    ModelList shipped = makeList(random() % 8, "s");
    ModelList walked = user;
    for (const ModelRec& record : shipped) {
      std::optional<size_t> found = FindModelByName(record.name, walked);
      if (found) {
        walked[*found] = record;
      } else {
        walked.push_back(record);
      }
    }
    MergeShippedModels(user, shipped);
    ASSERT_EQ(walked.size(), user.size());
    for (size_t i = 0; i < user.size(); ++i) ASSERT_EQ(walked[i].text, user[i].text);
  }
}

}  // namespace
