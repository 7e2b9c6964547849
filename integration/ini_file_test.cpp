#include "integration/ini_file.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "platform/fake/fake_system.h"
#include "platform/fake/faulty_files.h"
#include "platform/files.h"

namespace {

using platform::WindowsVersion;

constexpr WindowsVersion kXp = {platform::kWindowsNtPlatformId, 5, 1};
constexpr WindowsVersion kVista = {platform::kWindowsNtPlatformId, 6, 0};

// The real file service, except that exactly the listed files exist.
class CListedFiles : public platform::CFaultyFiles {
 public:
  explicit CListedFiles(std::set<std::string> files) : m_files(std::move(files)) {}

  platform::EntryKind Find(const char* path) override {
    return m_files.count(path) ? platform::EntryKind::kFile : platform::EntryKind::kNone;
  }

 private:
  std::set<std::string> m_files;
};

class IniFileTest : public testing::Test {
 protected:
  void TearDown() override {
    platform::UseFiles(nullptr);
    platform::UseSystem(nullptr);
  }
};

TEST_F(IniFileTest, VistaMeansTheNtFamilyFromVersionSix) {
  platform::CFakeSystem system;
  platform::UseSystem(&system);
  EXPECT_FALSE(IsVistaOrLater()) << "no version to report";
  for (const auto& [version, vista] : std::vector<std::pair<WindowsVersion, bool>>{
           {kXp, false},
           {{1, 6, 0}, false},  // the Windows 95 family
           {kVista, true},
           {{platform::kWindowsNtPlatformId, 10, 0}, true}}) {
    system.SetWindowsVersion(version);
    EXPECT_EQ(vista, IsVistaOrLater()) << version.platformId << " " << version.majorVersion;
  }
}

// Vista prefers the VirtualStore copy, else takes the Windows directory's file untested; XP has
// no store. Wine looks in the Windows directory, then below HOME. No usable WINDIR, no file.
TEST_F(IniFileTest, FindsTheCopyEachSystemReadsOrNone) {
  const std::string windows = "C:\\Windows\\qsim3.ini";
  const std::string store = "C:\\Users\\u\\AppData\\Local\\VirtualStore\\Windows\\qsim3.ini";
  const std::string winNtStore = "C:\\Users\\u\\AppData\\Local\\VirtualStore\\WinNT\\qsim3.ini";
  const std::string home = "Z:\\home\\u\\.wine\\qsim3.ini";
  const std::string overlong = "C:\\" + std::string(257, 'w');
  struct {
    const char* windir;  // nullptr: not set
    WindowsVersion version;
    int wine;
    std::set<std::string> files;
    std::optional<std::string> found;
  } const cases[] = {
      {"C:\\Windows", kXp, 0, {store}, windows},
      {"C:\\Windows", kVista, 0, {store, windows}, store},
      {"C:\\Windows", kVista, 0, {}, windows},
      {"\\Windows", kVista, 0, {store}, store},  // no drive: all of it goes below the store
      {"D:\\WinNT", kVista, 0, {winNtStore}, winNtStore},
      {"C:\\Windows", kVista, 1, {home, store}, home},
      {"C:\\Windows", kVista, 1, {home, windows}, windows},
      {"C:\\Windows", kVista, 1, {store}, store},
      {nullptr, kVista, 0, {store}, std::nullopt},
      {"", kVista, 0, {}, std::nullopt},  // an empty value would name a file here
      {overlong.c_str(), kVista, 0, {}, std::nullopt},
  };
  for (const auto& c : cases) {
    platform::CFakeSystem system;
    system.SetEnvironment("LOCALAPPDATA", "C:\\Users\\u\\AppData\\Local");
    system.SetEnvironment("HOME", "Z:\\home\\u");
    if (c.windir) system.SetEnvironment("WINDIR", c.windir);
    system.SetWindowsVersion(c.version);
    system.SetWine(c.wine);
    platform::UseSystem(&system);
    CListedFiles listed(c.files);
    platform::UseFiles(&listed);
    EXPECT_EQ(c.found, FindIniFile())
        << testing::PrintToString(c.files) << " under WINDIR " << (c.windir ? c.windir : "unset")
        << ", Wine " << c.wine << ", version " << c.version.majorVersion;
  }
}

}  // namespace
