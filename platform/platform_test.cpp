// The real file service of this target, on real files.
#include <gtest/gtest.h>

#include "platform/fake/test_files.h"
#include "platform/files.h"
#include "platform/full_path.h"

namespace {

using platform::EntryKind;
using platform::Files;
using platform::MakeDirectoryResult;

TEST(PlatformFilesTest, DirectoriesFilesAndAttributes) {
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
  EXPECT_TRUE(Files().SetReadOnly(file.c_str(), false));
  EXPECT_FALSE(Files().IsReadOnly(file.c_str()));

  EXPECT_TRUE(Files().RemoveFile(file.c_str()));
  EXPECT_FALSE(Files().RemoveFile(file.c_str()));
  EXPECT_EQ(nullptr, Files().Open(file.c_str(), platform::OpenMode::kRead));
}

TEST(PlatformFilesTest, ImportedPathsUseBackslashes) {
#ifdef _WIN32
  EXPECT_EQ("C:\\x\\y", platform::ImportPath("C:\\x\\y"));
#else
  EXPECT_EQ("\\tmp\\x", platform::ImportPath("/tmp/x"));
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
