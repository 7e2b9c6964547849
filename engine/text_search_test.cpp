#include "engine/text_search.h"

#include <gtest/gtest.h>

namespace {

TEST(TextSearchTest, FindNoCaseFoldsOnlyAsciiLetters) {
  const char* text = ".model Q1 PNP(IS=1E-14)";
  EXPECT_EQ(text + 10, FindNoCase(text, "pnp"));
  EXPECT_EQ(text, FindNoCase(text, ".MODEL"));
  EXPECT_EQ(nullptr, FindNoCase(text, ""));
  EXPECT_EQ(nullptr, FindNoCase(text, nullptr));
  EXPECT_EQ(nullptr, FindNoCase(nullptr, "x"));
  EXPECT_EQ(nullptr, FindNoCase(text, "1e-14)x"));
  EXPECT_EQ(nullptr, FindNoCase("[", "{")) << "only letters fold";
}

}  // namespace
