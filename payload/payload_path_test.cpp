#include "payload/payload_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "payload/payload.h"

namespace {

TEST(PayloadPathTest, SortsByBytesIgnoringAsciiCase) {
  // '-' and '_' sort by their codes against '\\' and lowered letters; 8-bit bytes sort unsigned.
  const std::vector<std::string> sorted = {".\\a-b.sub",  ".\\a\\x.sub", ".\\Changelog.txt",
                                           ".\\examples", ".\\opamp_1",  ".\\OpAmps",
                                           ".\\zz",       ".\\Z\351",    ".\\z\377"};
  std::vector<std::string> paths(sorted.rbegin(), sorted.rend());
  std::sort(paths.begin(), paths.end(),
            [](const std::string& a, const std::string& b) { return PayloadPathLess(a, b); });
  EXPECT_EQ(paths, sorted);
  EXPECT_FALSE(PayloadPathLess(".\\A.txt", ".\\a.txt"));
  EXPECT_FALSE(PayloadPathLess(".\\a.txt", ".\\A.txt"));
}

TEST(PayloadPathTest, RefusesNamesWindowsCannotHold) {
  for (const std::string name :
       {"a<b", "a>b", "a:b", "a\"b", "a|b", "a?b", "a*b", "a\\b", "a\001b", "tab\there", "dot.",
        "space ", "CON", "nul.txt", "Lpt1.asy", "com9", ""}) {
    EXPECT_FALSE(WindowsNameProblem(name).empty()) << "accepted '" << name << "'";
  }
  for (const std::string name : {"Noise Source.wav", "a.b.c", "CONFIG.SYS", "com10", "nul_x",
                                 ".hidden", "caf\351.asc", "x$#~'"}) {
    EXPECT_EQ(WindowsNameProblem(name), "") << name;
  }
  EXPECT_EQ("", PayloadPathLengthProblem(std::string(kMaxPayloadPathLength, 'p')));
  EXPECT_NE("", PayloadPathLengthProblem(std::string(kMaxPayloadPathLength + 1, 'p')));
}

}  // namespace
