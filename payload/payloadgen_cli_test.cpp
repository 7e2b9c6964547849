#include "payload/payloadgen_cli.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "payload/scratch_tree_test_support.h"
#include "payload/test_content_test_support.h"
#include "platform/fake/test_files.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kOutputs = {"payload.bin", "payload.d", "payload_table.cpp"};

class PayloadgenCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_scratch.Write("tree/lib/sym/cap.asy", "Version 4\r\nSymbolType CELL\r\n");
    m_scratch.Write("tree/examples/Noise Source.wav", NoiseOfSize(1500));
    m_scratch.Write("readonly.txt", ".\\lib\\sym\\cap.asy\r\n");
    fs::create_directories(m_scratch.Root() / "tree/empty");
  }

  int Run(const std::vector<std::string>& args) {
    m_out.str("");
    m_err.str("");
    return RunPayloadgen(args, m_out, m_err);
  }

  int RunWrite(const std::string& out) {
    return Run({"--tree", Path("tree"), "--readonly", Path("readonly.txt"), "--out", Path(out),
                "--depfile", Path(out + "/payload.d")});
  }

  std::string Path(const std::string& relative) const {
    return (m_scratch.Root() / relative).string();
  }

  CScratchTree m_scratch;
  std::ostringstream m_out;
  std::ostringstream m_err;
};

// The outputs are written; a refusal leaves those of an earlier run alone and makes none.
TEST_F(PayloadgenCliTest, WritesTableBlobAndDepfileOrNothing) {
  ASSERT_EQ(RunWrite("out"), kPayloadgenOk) << m_err.str();
  EXPECT_EQ(m_scratch.List("out"), kOutputs);
  const std::string table = platform::ReadWholeFile(Path("out/payload_table.cpp"));
  EXPECT_EQ(table.find(m_scratch.Root().string()), std::string::npos) << "absolute path in table";
  const std::string depfile = platform::ReadWholeFile(Path("out/payload.d"));
  EXPECT_EQ(depfile.rfind(Path("out/payload_table.cpp") + ":", 0), 0u) << depfile;
  for (const std::string input : {"tree \\", "tree/empty \\", "tree/lib/sym \\",
                                  "tree/examples/Noise\\ Source.wav \\", "readonly.txt\n"}) {
    EXPECT_NE(depfile.find(Path(input)), std::string::npos) << input << " not in\n" << depfile;
  }

  m_scratch.Write("tree/lib/sym/Empty.asy", "");
  EXPECT_EQ(RunWrite("out"), kPayloadgenRefused);
  EXPECT_NE(m_err.str().find("Empty.asy"), std::string::npos) << m_err.str();
  EXPECT_EQ(platform::ReadWholeFile(Path("out/payload_table.cpp")), table);
  EXPECT_EQ(m_scratch.List("out"), kOutputs);
  EXPECT_EQ(RunWrite("fresh"), kPayloadgenRefused);
  EXPECT_FALSE(fs::exists(Path("fresh")));
}

TEST_F(PayloadgenCliTest, ListPrintsEntriesAndSummaryAndWritesNothing) {
  ASSERT_EQ(Run({"--list", "--tree", Path("tree"), "--readonly", Path("readonly.txt")}),
            kPayloadgenOk)
      << m_err.str();
  EXPECT_EQ(m_out.str().rfind(".\\examples\\Noise Source.wav\t0\t1500\t", 0), 0u) << m_out.str();
  EXPECT_NE(m_out.str().find("\n.\\lib\\sym\\cap.asy\t1\t28\t0\n"
                             "2 entries, 1 plain, 1 members, 1528 bytes installed, "),
            std::string::npos)
      << m_out.str();
  EXPECT_EQ(m_scratch.List(""), std::vector<std::string>({"readonly.txt", "tree"}));
}

TEST_F(PayloadgenCliTest, UsageErrorsExitWithStatus2) {
  const std::string tree = Path("tree"), list = Path("readonly.txt");
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {},
           {"--tree", tree, "--readonly", list},
           {"--list", "--tree", tree, "--readonly", list, "--out", "o"},
           {"--tree", tree, "--readonly", list, "--out"},
           {"--tree", tree, "--readonly", list, "--out", "o", "extra"}}) {
    EXPECT_EQ(Run(args), kPayloadgenUsage) << ::testing::PrintToString(args);
  }
}

}  // namespace
