// The real file service of this target, on real files.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "platform/fake/test_files.h"
#include "platform/files.h"
#include "platform/full_path.h"

namespace {

using platform::EntryKind;
using platform::MakeDirectoryResult;

platform::CFileSystem& Files() { return platform::RealFiles(); }

// What Windows refuses for every user, the files of every test refuse too: a read-only file is
// neither written, nor replaced, nor deleted. Run as a plain user under Wine, with the refusal to
// write left to the system (kSystemRefusesReadOnlyWrites), this shows that the real layer refuses
// the write too.
TEST(PlatformFilesTest, DirectoriesFilesAndTheReadOnlyAttribute) {
  platform::CScopedTempDir dir;
  std::string sub = dir / "sub";
  EXPECT_EQ(MakeDirectoryResult::kMade, Files().MakeDirectory(sub.c_str()));
  EXPECT_EQ(MakeDirectoryResult::kAlreadyExists, Files().MakeDirectory(sub.c_str()));
  EXPECT_EQ(MakeDirectoryResult::kFailed, Files().MakeDirectory((dir / "a\\b").c_str()));
  EXPECT_EQ(EntryKind::kDirectory, Files().Find(sub.c_str()));

  std::string file = sub + "\\f.bin";
  ASSERT_TRUE(platform::WriteWholeFile(file, std::string("a\0b\r\n", 5)));
  EXPECT_EQ(std::string("a\0b\r\n", 5), platform::ReadWholeFile(file)) << "binary, untranslated";
  EXPECT_EQ(EntryKind::kFile, Files().Find(file.c_str()));
  EXPECT_EQ(EntryKind::kNone, Files().Find((dir / "none").c_str()));

  EXPECT_FALSE(Files().IsReadOnly(file.c_str()));
  EXPECT_TRUE(Files().SetReadOnly(file.c_str(), true));
  EXPECT_TRUE(Files().IsReadOnly(file.c_str()));
  ASSERT_TRUE(platform::WriteWholeFile(dir / "other", "new"));
  EXPECT_EQ(nullptr, platform::Files().Open(file.c_str(), platform::OpenMode::kWrite));
  EXPECT_FALSE(platform::Files().MoveReplacing((dir / "other").c_str(), file.c_str()));
  EXPECT_FALSE(platform::Files().RemoveFile(file.c_str()));
  EXPECT_EQ(std::string("a\0b\r\n", 5), platform::ReadWholeFile(file)) << "kept";
  EXPECT_TRUE(Files().SetReadOnly(file.c_str(), false));
  EXPECT_FALSE(Files().IsReadOnly(file.c_str()));

  EXPECT_TRUE(Files().RemoveFile(file.c_str()));
  EXPECT_FALSE(Files().RemoveFile(file.c_str()));
  EXPECT_EQ(nullptr, Files().Open(file.c_str(), platform::OpenMode::kRead));
}

// A new file is made only where nothing has the name yet: an existing file, folder or link
// (even one leading nowhere) is never opened or followed.
TEST(PlatformFilesTest, NewFilesTakeNoExistingNameAndMovesReplace) {
  platform::CScopedTempDir dir;
  const std::string created = dir / "created";
  bool taken = true;
  std::unique_ptr<platform::CFile> file = Files().CreateNew(created.c_str(), &taken);
  ASSERT_NE(nullptr, file);
  EXPECT_FALSE(taken);
  EXPECT_EQ(3u, file->Write("new", 3));
  EXPECT_TRUE(file->Sync());
  EXPECT_TRUE(file->Close());
  EXPECT_EQ(nullptr, Files().CreateNew(created.c_str(), &taken));
  EXPECT_TRUE(taken);
  EXPECT_EQ("new", platform::ReadWholeFile(created));
  ASSERT_EQ(MakeDirectoryResult::kMade, Files().MakeDirectory((dir / "folder").c_str()));
  EXPECT_EQ(nullptr, Files().CreateNew((dir / "folder").c_str(), &taken));
  EXPECT_TRUE(taken);
  EXPECT_EQ(nullptr, Files().CreateNew((dir / "none\\x").c_str(), &taken));
  EXPECT_FALSE(taken);
  std::error_code linkError;
  std::filesystem::create_symlink(platform::SystemPathForTest(dir / "target"),
                                  platform::SystemPathForTest(dir / "link"), linkError);
  if (!linkError) {
    EXPECT_EQ(nullptr, Files().CreateNew((dir / "link").c_str(), &taken));
    EXPECT_TRUE(taken);
    EXPECT_EQ(EntryKind::kNone, Files().Find((dir / "target").c_str()));
  }

  const std::string old = dir / "old";
  ASSERT_TRUE(platform::WriteWholeFile(old, "older and longer"));
  EXPECT_TRUE(Files().MoveReplacing(created.c_str(), old.c_str()));
  EXPECT_EQ("new", platform::ReadWholeFile(old));
  EXPECT_EQ(EntryKind::kNone, Files().Find(created.c_str()));
  EXPECT_FALSE(Files().MoveReplacing(created.c_str(), old.c_str()));
  EXPECT_TRUE(Files().SyncFolderOf(old.c_str()));
#ifdef _WIN32
  // While the installer has a file open, other programs may read it but not write it.
  std::unique_ptr<platform::CFile> reading = Files().Open(old.c_str(), platform::OpenMode::kRead);
  ASSERT_NE(nullptr, reading);
  FILE* other = fopen(old.c_str(), "r+b");
  EXPECT_EQ(nullptr, other) << "another writer was let in";
  if (other) fclose(other);
#endif
}

// The same answers on both targets: Windows resolves by name too.
TEST(PlatformFilesTest, FullPathsResolveAgainstTheCurrentDirectory) {
  platform::CScopedTempDir dir;
  ASSERT_EQ(MakeDirectoryResult::kMade, Files().MakeDirectory((dir / "cwd").c_str()));
  platform::CScopedCurrentDirectory current(dir / "cwd");
  EXPECT_EQ(dir / "cwd\\CirvaneIV", platform::FullPath("CirvaneIV"));
  EXPECT_EQ(dir / "x\\", platform::FullPath("..\\.\\x\\")) << "a trailing backslash stays";
  EXPECT_EQ(dir / "y", platform::FullPath(dir / "cwd\\..\\y"));
  EXPECT_EQ("", platform::FullPath(""));
}

}  // namespace
