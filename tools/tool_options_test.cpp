#include "tools/tool_options.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

std::string Parse(std::vector<const char*> args, std::map<std::string, std::string>* values) {
  args.insert(args.begin(), "tool");
  return ParseToolOptions(static_cast<int>(args.size()), args.data(), {"out", "simulator"}, values);
}

TEST(ToolOptions, ReadsKnownPairsAndNamesWhatIsWrong) {
  std::map<std::string, std::string> values;
  EXPECT_EQ(Parse({"--out", "dir", "--simulator", "stub.exe"}, &values), "");
  EXPECT_EQ(values,
            (std::map<std::string, std::string>{{"out", "dir"}, {"simulator", "stub.exe"}}));
  EXPECT_EQ(Parse({}, &values), "");
  EXPECT_TRUE(values.empty());

  EXPECT_EQ(Parse({"--output", "dir"}, &values), "unknown option '--output'");
  EXPECT_EQ(Parse({"--out"}, &values), "option '--out' needs a value");
  EXPECT_EQ(Parse({"--out", "a", "--out", "b"}, &values), "option '--out' given twice");
  EXPECT_EQ(Parse({"dir"}, &values), "unexpected argument 'dir'");
}

}  // namespace
