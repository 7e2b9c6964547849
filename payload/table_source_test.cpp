#include "payload/table_source.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TableSourceTest, EscapesPathsForStringLiterals) {
  EXPECT_EQ(EscapeForCString(".\\lib\\Noise Source.wav"), ".\\\\lib\\\\Noise Source.wav");
  // An octal escape takes at most three digits, so a digit after it stays a digit.
  EXPECT_EQ(EscapeForCString("caf\3511\"?\?=\x7f"), "caf\\3511\\\"\\077\\077=\\177");
  EXPECT_EQ(EscapeForCString(std::string("a\0b", 3)), "a\\000b");
}

}  // namespace
