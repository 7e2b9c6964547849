// This target's real shortcuts: COM shell links under Wine, desktop entries natively.
#include "platform/shell.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/fake/test_files.h"
#include "platform/files.h"

namespace {

using platform::CShellLink;
using platform::RealShell;
using platform::ShortcutDetails;

int SaveShortcut(const std::string& linkPath, const ShortcutDetails& details) {
  std::unique_ptr<CShellLink> link = RealShell().CreateLink();
  if (!link) return 0;
  return link->SetPath(details.target.c_str()) &&
         link->SetWorkingDirectory(details.workingDirectory.c_str()) &&
         link->SetDescription(details.description.c_str()) && link->Save(linkPath.c_str());
}

void ExpectDetails(const ShortcutDetails& expected, const std::string& linkPath) {
  std::optional<ShortcutDetails> read = RealShell().ReadLink(linkPath.c_str());
  ASSERT_TRUE(read) << linkPath;
  EXPECT_EQ(expected.target, read->target);
  EXPECT_EQ(expected.workingDirectory, read->workingDirectory);
  EXPECT_EQ(expected.description, read->description);
}

TEST(ShellTest, ShortcutResolvesToItsTargetAndIsReplacedInPlace) {
  platform::CScopedTempDir dir;
  const std::string installDir = dir / "Cirvane IV";
  const std::string desktop = dir / "Desktop";
  ASSERT_EQ(platform::MakeDirectoryResult::kMade,
            platform::Files().MakeDirectory(installDir.c_str()));
  ASSERT_EQ(platform::MakeDirectoryResult::kMade, platform::Files().MakeDirectory(desktop.c_str()));
  ASSERT_TRUE(platform::WriteWholeFile(installDir + "\\qsim3.exe", "MZ"));
  const std::string linkPath = desktop + "\\Cirvane IV.lnk";

  ShortcutDetails first{installDir + "\\qsim3.exe", installDir, "Veltro Corporation's Cirvane IV"};
  ASSERT_TRUE(SaveShortcut(linkPath, first));
  ExpectDetails(first, linkPath);

  ShortcutDetails second = first;
  second.description = "second installation";
  ASSERT_TRUE(SaveShortcut(linkPath, second));
  ExpectDetails(second, linkPath);
  EXPECT_EQ(1u, platform::CountFiles(desktop));

  EXPECT_FALSE(RealShell().ReadLink((desktop + "\\missing.lnk").c_str()));
  EXPECT_FALSE(SaveShortcut(installDir + "\\qsim3.exe\\below a file.lnk", first));
}

#ifndef _WIN32
TEST(ShellTest, DesktopEntryQuotesItsCommandAndEscapesItsTexts) {
  platform::CScopedTempDir dir;
  const std::string program = dir / "odd $dir \"100%\"\\qsim3.exe";
  const std::string linkPath = dir / "new\\Start Menu\\Cirvane IV.lnk";
  ShortcutDetails details{program, dir.path(), "line one\nline\\two"};
  ASSERT_TRUE(SaveShortcut(linkPath, details)) << "a missing folder is created";

  const std::string system = platform::SystemPathForTest(dir.path());
  EXPECT_EQ(
      "[Desktop Entry]\nType=Application\nVersion=1.0\nName=Cirvane IV\n"
      "Exec=wine \"" +
          system +
          "/odd \\\\$dir \\\\\"100%%\\\\\"/qsim3.exe\"\n"
          "Path=" +
          system + "\nComment=line one\\nline\\\\two\n",
      platform::ReadWholeFile(linkPath));
  ExpectDetails(details, linkPath);
}
#endif

}  // namespace
