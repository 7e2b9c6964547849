#include "integration/old_links.h"

#include <gtest/gtest.h>

#include "engine/files.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_services_test.h"
#include "platform/files.h"

namespace {

using platform::Hive;

// The box for an old link or folder that could not be removed.
std::string RemovalTrouble(const std::string& path) {
  return "Trouble removing link:\n\n" + path +
         "\n\nYou will have to delete this by hand with the correct permisssions";
}

class OldLinksTest : public platform::CFakeServicesTest {
 protected:
  void SetUp() override {
    CFakeServicesTest::SetUp();
    platform::UseRegistry(&m_registry);
  }
  void TearDown() override {
    platform::UseRegistry(nullptr);
    CFakeServicesTest::TearDown();
  }

  // Makes `programs`\Pulsegrid III holding the old shortcut and `extra` files.
  void MakeOldFolder(const std::string& programs, std::initializer_list<const char*> extra = {}) {
    int budget = 0;
    CreateDirectoryTree(programs + "\\Pulsegrid III", &budget);
    ASSERT_TRUE(platform::WriteWholeFile(programs + "\\Pulsegrid III\\Plexa III.lnk", "L"));
    for (const char* name : extra) {
      ASSERT_TRUE(platform::WriteWholeFile(programs + "\\Pulsegrid III\\" + name, "x"));
    }
  }

  void SetCommonPrograms() {
    m_registry.SetValue(Hive::kLocalMachine,
                        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                        "Common Programs", m_common);
  }

  platform::CFakeRegistry m_registry;
  const std::string m_common = m_dir / "All Users\\Programs";
  const std::string m_default = m_dir / "Default User\\Programs";
};

TEST_F(OldLinksTest, RemovesTheOldShortcutAndFolderFromBothMenusReadOnlyOnesToo) {
  SetCommonPrograms();
  m_registry.SetValue(Hive::kUsers,
                      ".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                      "Shell Folders",
                      "Programs", m_default);
  MakeOldFolder(m_common);
  MakeOldFolder(m_default, {"Readme.txt"});
  ASSERT_TRUE(
      platform::Files().SetReadOnly((m_common + "\\Pulsegrid III\\Plexa III.lnk").c_str(), true));

  RemoveOldStartMenuLinks();

  EXPECT_FALSE(EntryExists(m_common + "\\Pulsegrid III")) << "read-only shortcut, then folder";
  EXPECT_FALSE(EntryExists(m_default + "\\Pulsegrid III\\Plexa III.lnk"));
  EXPECT_TRUE(FileExists(m_default + "\\Pulsegrid III\\Readme.txt"));
  EXPECT_EQ(std::vector<std::string>{RemovalTrouble(m_default + "\\Pulsegrid III")}, m_ui.boxes());
}

TEST_F(OldLinksTest, RemoveLinkTakesFilesAndEmptyFoldersAndReportsALockedReadOnlyLink) {
  RemoveOldStartMenuLinks();
  SetCommonPrograms();
  RemoveOldStartMenuLinks();
  RemoveLink(m_dir / "absent.lnk");
  const std::string folder = m_dir / "Old";
  ASSERT_EQ(platform::MakeDirectoryResult::kMade, platform::Files().MakeDirectory(folder.c_str()));
  RemoveLink(folder + "\\");
  EXPECT_FALSE(EntryExists(folder));
  EXPECT_TRUE(m_ui.boxes().empty());

  const std::string locked = m_dir / "Locked.lnk";
  ASSERT_TRUE(platform::WriteWholeFile(locked, "L"));
  ASSERT_TRUE(platform::Files().SetReadOnly(locked.c_str(), true));
  m_files.LockAttributeOf(locked);
  RemoveLink(locked);
  EXPECT_TRUE(FileExists(locked));
  EXPECT_EQ(std::vector<std::string>{RemovalTrouble(locked)}, m_ui.boxes());
}

}  // namespace
