#include "sync/model_library.h"

#include <gtest/gtest.h>

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
      ".model abcdefghijklmnopqrstuvwxyz D\n"
      ".model\n";
  const std::string shipped =
      "* shipped header\r\n"
      ".MODEL 2N2222 NPN(IS = 1E-14\r\n"
      "+ BF=200)\r\n"
      ".model NEW1 PNP(IS=3)\r\n"
      ".model DUP PNP(IS=9)\r\n"
      ".model TWICE NPN(A=1)\r\n"
      ".model twice NPN(A=2)\r\n"
      ".model ABCDEFGHIJKLMNOPQRSTUVWXYZ D(IS=2)\r\n"
      ".model\r\n";
  ASSERT_EQ(1, Merge(shipped, user));
  EXPECT_EQ(kHeader +
                ".model MINE NPN(IS=1f)\r\n"
                ".MODEL 2N2222 NPN(IS=1E-14 BF=200)\r\n"
                ".model DUP PNP(IS=9)\r\n"
                ".model dup PNP(IS=2)\r\n"
                ".model ABCDEFGHIJKLMNOPQRSTUVWXYZ D(IS=2)\r\n"
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

// A missing user file is not merged and gets no backup; a missing shipped file leaves the user's.
TEST_F(ModelLibraryTest, FailuresLeaveTheUserFileOrItsBackup) {
  const std::string missing = m_dir / "missing";
  EXPECT_EQ(0, MergeModelLibrary(missing.c_str(), m_shipped.c_str(), missing.c_str()));
  EXPECT_EQ(0, MergeModelLibrary(m_user.c_str(), nullptr, m_user.c_str()));
  EXPECT_EQ(0u, platform::CountFiles(m_dir.path()));
  const std::string user = ".model A D\n";
  ASSERT_TRUE(WriteWholeFile(m_user, user));
  EXPECT_EQ(0, MergeModelLibrary(m_user.c_str(), missing.c_str(), m_user.c_str()));
  EXPECT_EQ(user, ReadWholeFile(m_user));
  EXPECT_EQ(user, ReadWholeFile(m_user + ".bak"));
  EXPECT_TRUE(m_ui.boxes().empty());
}

}  // namespace
