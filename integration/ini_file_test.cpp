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
constexpr WindowsVersion kMillennium = {1, 6, 0};

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
  void SetUp() override { platform::UseSystem(&m_system); }
  void TearDown() override {
    platform::UseFiles(nullptr);
    platform::UseSystem(nullptr);
  }

  // The lookup's answer when exactly `files` exist.
  std::optional<std::string> FindWith(std::set<std::string> files) {
    CListedFiles listed(std::move(files));
    platform::UseFiles(&listed);
    std::optional<std::string> found = FindIniFile();
    platform::UseFiles(nullptr);
    return found;
  }

  void SetWindowsAndStore() {
    m_system.SetEnvironment("WINDIR", "C:\\Windows");
    m_system.SetEnvironment("LOCALAPPDATA", "C:\\Users\\u\\AppData\\Local");
  }

  platform::CFakeSystem m_system;
};

constexpr char kWindowsIni[] = "C:\\Windows\\qsim3.ini";
constexpr char kStoreIni[] = "C:\\Users\\u\\AppData\\Local\\VirtualStore\\Windows\\qsim3.ini";

TEST_F(IniFileTest, VistaMeansTheNtFamilyFromVersionSix) {
  EXPECT_FALSE(IsVistaOrLater()) << "no version to report";
  for (const auto& [version, vista] : std::vector<std::pair<WindowsVersion, bool>>{
           {kXp, false},
           {kMillennium, false},
           {kVista, true},
           {{platform::kWindowsNtPlatformId, 10, 0}, true}}) {
    m_system.SetWindowsVersion(version);
    EXPECT_EQ(vista, IsVistaOrLater()) << version.platformId << " " << version.majorVersion;
  }
}

TEST_F(IniFileTest, VistaPrefersTheVirtualStoreCopyElseTheUntestedWindowsFileXpNeither) {
  SetWindowsAndStore();
  m_system.SetWindowsVersion(kXp);
  EXPECT_EQ(kWindowsIni, FindWith({kStoreIni})) << "XP has no virtual store";
  m_system.SetWindowsVersion(kVista);
  EXPECT_EQ(kStoreIni, FindWith({kStoreIni, kWindowsIni}));
  EXPECT_EQ(kWindowsIni, FindWith({}));

  m_system.SetEnvironment("WINDIR", "\\Windows");  // no drive: all of it goes below the store
  EXPECT_EQ(kStoreIni, FindWith({kStoreIni}));
  m_system.SetEnvironment("WINDIR", "D:\\WinNT");
  EXPECT_EQ("C:\\Users\\u\\AppData\\Local\\VirtualStore\\WinNT\\qsim3.ini",
            FindWith({"C:\\Users\\u\\AppData\\Local\\VirtualStore\\WinNT\\qsim3.ini"}));
}

TEST_F(IniFileTest, WineLooksInTheWindowsDirectoryThenBelowHome) {
  SetWindowsAndStore();
  m_system.SetEnvironment("HOME", "Z:\\home\\u");
  m_system.SetWindowsVersion(kVista);
  m_system.SetWine(1);
  const char* homeIni = "Z:\\home\\u\\.wine\\qsim3.ini";
  EXPECT_EQ(homeIni, FindWith({homeIni, kStoreIni}));
  EXPECT_EQ(kWindowsIni, FindWith({homeIni, kWindowsIni}));
  EXPECT_EQ(kStoreIni, FindWith({kStoreIni}));
}

TEST_F(IniFileTest, UnusableWindowsDirectoryMeansNoFile) {
  m_system.SetWindowsVersion(kVista);
  m_system.SetEnvironment("LOCALAPPDATA", "C:\\Users\\u\\AppData\\Local");
  EXPECT_EQ(std::nullopt, FindWith({kStoreIni}));
  m_system.SetEnvironment("WINDIR", "");
  EXPECT_EQ(std::nullopt, FindWith({})) << "an empty value would name a file here";
  m_system.SetEnvironment("WINDIR", "C:\\" + std::string(257, 'w'));
  EXPECT_EQ(std::nullopt, FindWith({})) << "longer than 259 characters";
}

}  // namespace
