#include "tools/cmpdb/commands.h"

#include <gtest/gtest.h>

#include "sync/model_library_merge.h"
#include "tools/cmpdb/cmpdb_test_support.h"

namespace {

using platform::ReadWholeFile;
using platform::SystemPathForTest;

using CmpdbTest = CCmpdbTest;

TEST_F(CmpdbTest, UsageErrorsExitWithTwo) {
  const std::string library = File("x.bjt", ".model A NPN\n");
  const std::string unknown = File("x.txt", "");
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{},
                                             {"frobnicate"},
                                             {"statements"},
                                             {"dump", unknown},
                                             {"dump", library, "nonsense"},
                                             {"merge", "model", library, library},
                                             {"merge", "nonsense", library, library, library},
                                             {"build", "model", library, library}}) {
    EXPECT_EQ(kCmpdbUsageError, Run(arguments)) << testing::PrintToString(arguments);
  }
  EXPECT_EQ(kCmpdbSucceeded, Run({"--help"}));
  EXPECT_NE(std::string::npos, m_printed.find("cmpdb merge KIND OUTPUT SHIPPED USER"));
}

TEST_F(CmpdbTest, StatementsAndDumpPrintWhatTheReaderSees) {
  const std::string library =
      File("standard.DIO", "* diodes\r\n.model 1N4148 D(Is = 2.5n\r\n+ Rs=.57)\r\n.param X=1\r\n");
  EXPECT_EQ(kCmpdbSucceeded, Run({"statements", library}));
  EXPECT_EQ("* diodes\n.model 1N4148 D(Is=2.5n Rs=.57)\n.param X=1\n", m_printed);

  EXPECT_EQ(kCmpdbSucceeded, Run({"dump", library}));
  EXPECT_EQ("1N4148\t.model 1N4148 D(Is=2.5n Rs=.57)\n", m_printed);
  EXPECT_EQ(kCmpdbFailed, Run({"statements", SystemPathForTest(m_dir / "missing.bjt")}));
}

TEST_F(CmpdbTest, MergeRunsTheInstallersMerge) {
  const std::string user = File("standard.jft", ".model MINE NJF\n.model J1 NJF(Beta=1)\n");
  const std::string shipped = File("shipped.jft", ".model J1 NJF(Beta=2)\n.model J2 PJF\n");
  EXPECT_EQ(kCmpdbSucceeded, Run({"merge", "model", user, shipped, user}));
  EXPECT_EQ(std::string(kModelLibraryNotice) +
                "\r\n*\r\n\r\n.model MINE NJF\r\n.model J1 NJF(Beta=2)\r\n.model J2 PJF\r\n",
            ReadWholeFile(m_dir / "standard.jft"));
  EXPECT_EQ(".model MINE NJF\n.model J1 NJF(Beta=1)\n", ReadWholeFile(m_dir / "standard.jft.bak"));

  const std::string missing = SystemPathForTest(m_dir / "missing.jft");
  EXPECT_EQ(kCmpdbFailed, Run({"merge", "model", missing, shipped, missing}));
}

}  // namespace
