#include "engine/files.h"

#include <gtest/gtest.h>

#include "engine/paths.h"
#include "platform/fake/faulty_files.h"
#include "platform/fake/test_files.h"

namespace {

using platform::ReadWholeFile;
using platform::WriteWholeFile;

class FilesTest : public testing::Test {
 protected:
  platform::ScopedTempDir dir_;
};

TEST_F(FilesTest, ExistenceTestsTellFilesFromDirectories) {
  ASSERT_TRUE(WriteWholeFile(dir_ / "f.txt", "x"));
  EXPECT_TRUE(FileExists(dir_ / "f.txt"));
  EXPECT_FALSE(DirectoryExists(dir_ / "f.txt"));
  EXPECT_TRUE(DirectoryExists(dir_.path()));
  EXPECT_TRUE(DirectoryExists(dir_.path() + "\\"));
  EXPECT_FALSE(FileExists(dir_.path()));
  EXPECT_FALSE(FileExists(dir_ / "missing"));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(DirectoryExists(""));
  EXPECT_FALSE(FileExists(dir_ / "f.*")) << "a pattern is no file name";
  EXPECT_FALSE(FileExists(dir_.path() + "\\" + std::string(kMaxPathLength, 'a')));
}

TEST_F(FilesTest, CreateDirectoryTreeMakesEveryMissingLevel) {
  std::string deep = dir_ / "a\\b\\c\\d\\";
  int budget = 0;
  CreateDirectoryTree(deep, &budget);
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_LE(budget, 10);
}

TEST_F(FilesTest, CreateDirectoryTreeGivesUpAfterItsBudget) {
  ASSERT_TRUE(WriteWholeFile(dir_ / "file", "x"));
  int budget = 0;
  CreateDirectoryTree(dir_ / "file\\a\\b", &budget);
  EXPECT_EQ(kDirectoryCallBudget, budget);
  EXPECT_FALSE(DirectoryExists(dir_ / "file\\a\\b"));

  budget = 0;
  CreateDirectoryTree(dir_.path() + "\\" + std::string(kMaxPathLength, 'a'), &budget);
  EXPECT_EQ(1, budget) << "an over-long path is refused at once";
}

TEST_F(FilesTest, OpenForWriteCreatesDirectoriesAndReplacesReadOnlyFiles) {
  std::string below = dir_ / "new\\deeper\\f.txt";
  std::unique_ptr<platform::File> file = OpenForWrite(below);
  ASSERT_NE(nullptr, file);
  EXPECT_EQ(3u, file->Write("abc", 3));
  EXPECT_TRUE(file->Close());
  EXPECT_EQ("abc", ReadWholeFile(below));

  ASSERT_TRUE(platform::Files().SetReadOnly(below.c_str(), true));
  file = OpenForWrite(below);
  ASSERT_NE(nullptr, file);
  EXPECT_EQ(2u, file->Write("de", 2));
  EXPECT_TRUE(file->Close());
  EXPECT_EQ("de", ReadWholeFile(below));

  EXPECT_EQ(nullptr, OpenForWrite(dir_.path() + "\\" + std::string(kMaxPathLength, 'a')));
  EXPECT_EQ(nullptr, OpenForWrite(""));
}

TEST_F(FilesTest, CopyFileBytesCopiesEveryChunkOverReadOnlyFiles) {
  std::string content;
  for (int i = 0; i < 3000; ++i) content += static_cast<char>(i * 31);
  ASSERT_TRUE(WriteWholeFile(dir_ / "src", content));
  ASSERT_TRUE(WriteWholeFile(dir_ / "dst", "old"));
  ASSERT_TRUE(platform::Files().SetReadOnly((dir_ / "dst").c_str(), true));

  EXPECT_TRUE(CopyFileBytes(dir_ / "src", dir_ / "dst"));
  EXPECT_EQ(content, ReadWholeFile(dir_ / "dst"));

  ASSERT_TRUE(WriteWholeFile(dir_ / "empty", ""));
  EXPECT_TRUE(CopyFileBytes(dir_ / "empty", dir_ / "dst"));
  EXPECT_EQ("", ReadWholeFile(dir_ / "dst"));

  EXPECT_FALSE(CopyFileBytes(dir_ / "missing", dir_ / "dst"));
  EXPECT_FALSE(CopyFileBytes(dir_ / "src", dir_ / "no\\such\\dir\\dst"));
}

TEST_F(FilesTest, CopyFileBytesReportsAShortWrite) {
  std::string content(5000, 'z');
  ASSERT_TRUE(WriteWholeFile(dir_ / "src", content));
  for (long failingCall = 1; failingCall <= 5; ++failingCall) {
    platform::FaultyFiles faulty;
    faulty.FailWritesFrom(failingCall);
    platform::UseFiles(&faulty);
    int copied = CopyFileBytes(dir_ / "src", dir_ / "dst");
    platform::UseFiles(nullptr);
    EXPECT_FALSE(copied) << "write call " << failingCall << " came out short";
  }
}

}  // namespace
