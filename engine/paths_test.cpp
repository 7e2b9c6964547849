#include "engine/paths.h"

#include <gtest/gtest.h>

TEST(PathsTest, JoinPathPutsExactlyOneSeparatorAndDropsTheDotPrefix) {
  EXPECT_EQ("C:\\Dir\\lib\\x", JoinPath("C:\\Dir", ".\\lib\\x"));
  EXPECT_EQ("C:\\Dir\\lib\\x", JoinPath("C:\\Dir\\", ".\\lib\\x"));
  EXPECT_EQ("C:\\Dir\\lib\\x", JoinPath("C:\\Dir", "\\lib\\x"));
  EXPECT_EQ("C:\\Dir\\lib\\x", JoinPath("C:\\Dir", "lib\\x"));
  EXPECT_EQ("C:\\Dir\\", JoinPath("C:\\Dir", ""));
  // Only one leading character or pair is dropped.
  EXPECT_EQ("C:\\Dir\\\\x", JoinPath("C:\\Dir", "\\\\x"));
  EXPECT_EQ("C:\\Dir\\.\\x", JoinPath("C:\\Dir", ".\\.\\x"));
  // Without a directory the relative path is kept.
  EXPECT_EQ(".\\lib\\x", JoinPath("", ".\\lib\\x"));
  EXPECT_EQ("lib\\x", JoinPath("", "\\lib\\x"));
  EXPECT_EQ("", JoinPath("", ""));
}

TEST(PathsTest, ParentDirectoryCutsAfterTheLastSeparator) {
  EXPECT_EQ("C:\\a\\b\\", ParentDirectory("C:\\a\\b\\f.txt"));
  EXPECT_EQ("C:\\a\\", ParentDirectory("C:\\a\\b\\"));
  EXPECT_EQ("C:\\a\\", ParentDirectory("C:\\a\\b\\\\\\"));
  EXPECT_EQ(".", ParentDirectory("C:\\"));
  EXPECT_EQ(".", ParentDirectory("f.txt"));
  EXPECT_EQ(".", ParentDirectory(""));
  EXPECT_EQ("\\", ParentDirectory("\\tmp"));
}
