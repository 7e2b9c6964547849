#include "engine/files.h"

#include <gtest/gtest.h>

#include "engine/paths.h"
#include "platform/fake/fake_services_test.h"

namespace {

using platform::ReadWholeFile;
using platform::WriteWholeFile;

using FilesTest = platform::CFakeServicesTest;

TEST_F(FilesTest, ExistenceTestsTellFilesFromDirectories) {
  ASSERT_TRUE(WriteWholeFile(m_dir / "f.txt", "x"));
  EXPECT_TRUE(FileExists(m_dir / "f.txt"));
  EXPECT_FALSE(DirectoryExists(m_dir / "f.txt"));
  EXPECT_TRUE(DirectoryExists(m_dir.path()));
  EXPECT_TRUE(DirectoryExists(m_dir.path() + "\\"));
  EXPECT_FALSE(FileExists(m_dir.path()));
  EXPECT_FALSE(FileExists(m_dir / "missing"));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(DirectoryExists(""));
  EXPECT_FALSE(FileExists(m_dir / "f.*")) << "a pattern is no file name";
  EXPECT_FALSE(FileExists(m_dir.path() + "\\" + std::string(kMaxPathLength, 'a')));
#ifndef _WIN32
  // Ordinary characters of POSIX names.
  ASSERT_TRUE(WriteWholeFile(m_dir / "f?.txt", "x"));
  ASSERT_EQ(platform::MakeDirectoryResult::kMade,
            platform::Files().MakeDirectory((m_dir / "a*b").c_str()));
  EXPECT_TRUE(FileExists(m_dir / "f?.txt"));
  EXPECT_TRUE(DirectoryExists(m_dir / "a*b"));
#endif
}

TEST_F(FilesTest, CreateDirectoryTreeMakesEveryMissingLevelWithinItsBudget) {
  std::string deep = m_dir / "a\\b\\c\\d\\";
  int budget = 0;
  CreateDirectoryTree(deep, &budget);
  EXPECT_TRUE(DirectoryExists(deep));
  EXPECT_LE(budget, 10);

  ASSERT_TRUE(WriteWholeFile(m_dir / "file", "x"));
  budget = 0;
  CreateDirectoryTree(m_dir / "file\\a\\b", &budget);
  EXPECT_EQ(kDirectoryCallBudget, budget);
  EXPECT_FALSE(DirectoryExists(m_dir / "file\\a\\b"));

  budget = 0;
  CreateDirectoryTree(m_dir.path() + "\\" + std::string(kMaxPathLength, 'a'), &budget);
  EXPECT_EQ(1, budget) << "an over-long path is refused at once";
}

TEST_F(FilesTest, OpenForWriteCreatesDirectoriesAndReplacesReadOnlyFiles) {
  const std::string below = m_dir / "new\\deeper\\f.txt";
  // The first write makes the file, the second replaces it after it was made read-only.
  for (const std::string content : {"abc", "de"}) {
    std::unique_ptr<platform::CFile> file = OpenForWrite(below);
    ASSERT_NE(nullptr, file);
    EXPECT_EQ(content.size(), file->Write(content.data(), content.size()));
    EXPECT_TRUE(file->Close());
    EXPECT_EQ(content, ReadWholeFile(below));
    ASSERT_TRUE(platform::Files().SetReadOnly(below.c_str(), true));
  }

  EXPECT_EQ(nullptr, OpenForWrite(m_dir.path() + "\\" + std::string(kMaxPathLength, 'a')));
  EXPECT_EQ(nullptr, OpenForWrite(""));
}

// Every chunk is copied, over a read-only file too; a missing source, a target that cannot be
// made or a write that falls short at any call fails the copy.
TEST_F(FilesTest, CopyFileBytesCopiesEveryChunkOrFails) {
  std::string content;
  for (int i = 0; i < 5000; ++i) content += static_cast<char>(i * 31);
  ASSERT_TRUE(WriteWholeFile(m_dir / "src", content));
  ASSERT_TRUE(WriteWholeFile(m_dir / "dst", "old"));
  ASSERT_TRUE(platform::Files().SetReadOnly((m_dir / "dst").c_str(), true));

  EXPECT_TRUE(CopyFileBytes(m_dir / "src", m_dir / "dst"));
  EXPECT_EQ(content, ReadWholeFile(m_dir / "dst"));

  ASSERT_TRUE(WriteWholeFile(m_dir / "empty", ""));
  EXPECT_TRUE(CopyFileBytes(m_dir / "empty", m_dir / "dst"));
  EXPECT_EQ("", ReadWholeFile(m_dir / "dst"));

  EXPECT_FALSE(CopyFileBytes(m_dir / "missing", m_dir / "dst"));
  EXPECT_FALSE(CopyFileBytes(m_dir / "src", m_dir / "no\\such\\dir\\dst"));
  for (long failingCall = 1; failingCall <= 5; ++failingCall) {
    m_files.FailWritesFrom(m_files.writeCalls() + failingCall);
    EXPECT_FALSE(CopyFileBytes(m_dir / "src", m_dir / "dst"))
        << "write " << failingCall << " short";
  }
}

}  // namespace
