#include "engine/new_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/files.h"
#include "platform/fake/fake_services_test.h"

namespace {

using platform::ReadWholeFile;
using platform::WriteWholeFile;

class NewFileTest : public platform::CFakeServicesTest {
 protected:
  // Replaces m_path by `content`.
  ReplaceOutcome Replace(const std::string& content) {
    CFileReplacement replacement(m_path);
    if (!replacement.file()) return ReplaceOutcome::kNotWritten;
    if (replacement.file()->Write(content.data(), content.size()) != content.size()) {
      return ReplaceOutcome::kNotWritten;
    }
    return replacement.Commit();
  }

  const std::string m_path = m_dir / "standard.bjt";
};

// A read-only file is replaced. Whatever stands at the names of the new file is passed over and
// left as it is, and no new file stays behind, whether the replacement worked or not.
TEST_F(NewFileTest, ReadOnlyFileIsReplacedTakenNamesAreLeftAloneNoNewFileStays) {
  ASSERT_TRUE(WriteWholeFile(m_path, "old"));
  ASSERT_TRUE(platform::Files().SetReadOnly(m_path.c_str(), true));
  ASSERT_TRUE(WriteWholeFile(m_path + ".new", "someone's"));
  int budget = 0;
  CreateDirectoryTree(m_path + ".new1", &budget);
  std::error_code linkError;
  std::filesystem::create_symlink(platform::SystemPathForTest(m_dir / "victim"),
                                  platform::SystemPathForTest(m_path + ".new2"), linkError);

  ASSERT_EQ(ReplaceOutcome::kReplaced, Replace("new"));
  EXPECT_EQ("new", ReadWholeFile(m_path));
  EXPECT_EQ("someone's", ReadWholeFile(m_path + ".new"));
  EXPECT_TRUE(DirectoryExists(m_path + ".new1"));
  EXPECT_FALSE(FileExists(m_dir / "victim")) << "written through a link";
  EXPECT_FALSE(FileExists(m_path + ".new3"));
}

// A full disk, a failed close and a refused move leave the old file exactly as it was.
TEST_F(NewFileTest, EveryFailureLeavesTheOldFileAsItWas) {
  ASSERT_TRUE(WriteWholeFile(m_path, "old"));
  m_files.FailWritesFrom(m_files.writeCalls() + 1);
  EXPECT_EQ(ReplaceOutcome::kNotWritten, Replace("new content"));
  m_files.FailWritesFrom(0);
  m_files.FailClose(m_files.closeCalls() + 1);
  EXPECT_EQ(ReplaceOutcome::kNotWritten, Replace("new content"));
  ASSERT_TRUE(platform::Files().SetReadOnly(m_path.c_str(), true));
  m_files.LockAttributeOf(m_path);
  EXPECT_EQ(ReplaceOutcome::kMoveRefused, Replace("new content"));
  EXPECT_EQ("old", ReadWholeFile(m_path));
  EXPECT_EQ(1u, platform::CountFiles(m_dir.path()));
}

}  // namespace
