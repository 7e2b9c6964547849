#include "tools/cmpdb/commands.h"

#include <gtest/gtest.h>

#include "tools/cmpdb/cmpdb_test_support.h"

namespace {

using CmpdbTest = CCmpdbTest;

TEST_F(CmpdbTest, UsageErrorsExitWithTwo) {
  const std::string library = File("x.bjt", ".model A NPN\n");
  const std::string unknown = File("x.txt", "");
  const std::vector<std::string> kMisuses[] = {{},
                                               {"frobnicate"},
                                               {"statements"},
                                               {"dump", unknown},
                                               {"dump", library, "nonsense"},
                                               {"merge", "model", library, library},
                                               {"merge", "nonsense", library, library, library},
                                               {"build", "model", library, library}};
  for (const auto& arguments : kMisuses) {
    EXPECT_EQ(kCmpdbUsageError, Run(arguments)) << testing::PrintToString(arguments);
  }
}

// The commands go through the installer's own reader and merge, whose results their tests pin;
// here each command reaches them and reports how they ended.
TEST_F(CmpdbTest, CommandsRunTheInstallersReaderAndMerge) {
  const std::string library =
      File("standard.DIO", "* diodes\r\n.model 1N4148 D(Is = 2.5n\r\n+ Rs=.57)\r\n.param X=1\r\n");
  EXPECT_EQ(kCmpdbSucceeded, Run({"statements", library}));
  EXPECT_EQ("* diodes\n.model 1N4148 D(Is=2.5n Rs=.57)\n.param X=1\n", m_printed);
  EXPECT_EQ(kCmpdbSucceeded, Run({"dump", library}));
  EXPECT_EQ("1N4148\t.model 1N4148 D(Is=2.5n Rs=.57)\n", m_printed);

  const std::string shipped = File("shipped.dio", ".model 1n4148 D(Is=1n)\n");
  EXPECT_EQ(kCmpdbSucceeded, Run({"merge", "model", library, shipped, library}));
  EXPECT_EQ(kCmpdbSucceeded, Run({"dump", library}));
  EXPECT_EQ("1n4148\t.model 1n4148 D(Is=1n)\n", m_printed);
  const std::string missing = Path("missing.dio");
  EXPECT_EQ(kCmpdbFailed, Run({"statements", missing}));
  EXPECT_EQ(kCmpdbFailed, Run({"merge", "model", missing, shipped, missing}));
}

}  // namespace
