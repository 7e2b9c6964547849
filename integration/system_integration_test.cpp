// The integration steps against this target's real services: the system registry and the Wine
// test under Wine; the export-file registry natively, kept in a scratch directory. The real
// shortcuts are covered by platform/shell_test.cpp.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/files.h"
#include "integration/file_types.h"
#include "integration/ini_file.h"
#include "integration/registry_entries.h"
#include "platform/fake/scoped_environment.h"
#include "platform/fake/test_files.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system.h"

namespace {

using platform::CRegistryKey;
using platform::Hive;
using platform::KeyAccess;

constexpr char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr char kEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Cirvane IV";

// The keys the tests make, deepest last; deleted deepest first afterwards.
struct TestKey {
  Hive hive;
  const char* path;
};

constexpr TestKey kTestKeys[] = {
    {Hive::kLocalMachine, "Software\\Veltro Corporation"},
    {Hive::kLocalMachine, "Software\\Veltro Corporation\\Pulsegrid III"},
    {Hive::kLocalMachine, "Software\\Veltro Corporation\\Pulsegrid III\\1.0"},
    {Hive::kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pulsegrid III"},
    {Hive::kLocalMachine, kEntry},
    {Hive::kClassesRoot, "Cirvane.Schematic"},
    {Hive::kClassesRoot, "Cirvane.Schematic\\DefaultIcon"},
    {Hive::kClassesRoot, "Cirvane.Schematic\\shell"},
    {Hive::kClassesRoot, "Cirvane.Schematic\\shell\\open"},
    {Hive::kClassesRoot, "Cirvane.Schematic\\shell\\open\\command"},
    {Hive::kClassesRoot, ".asc"},
    {Hive::kClassesRoot, ".asc\\ShellNew"},
};

std::unique_ptr<CRegistryKey> Open(Hive hive, const std::string& path) {
  return platform::RealRegistry().OpenKey(hive, path.c_str(), KeyAccess::kQueryValue);
}

std::string ValueOf(Hive hive, const std::string& path, const char* name) {
  std::unique_ptr<CRegistryKey> key = Open(hive, path);
  if (!key) return "<no key>";
  std::optional<platform::RegistryValue> value = key->QueryValue(name, 260);
  return value ? value->data : "<no value>";
}

class SystemIntegrationTest : public testing::Test {
 protected:
  void TearDown() override {
    for (auto key = std::rbegin(kTestKeys); key != std::rend(kTestKeys); ++key) {
      std::unique_ptr<CRegistryKey> hive =
          platform::RealRegistry().OpenKey(key->hive, "", KeyAccess::kCreateSubKey);
      if (hive) hive->DeleteSubKey(key->path);
    }
  }

  // Creates the key and sets one string value of it in the real registry.
  void Put(Hive hive, const std::string& path, const char* name, const char* text) {
    std::unique_ptr<CRegistryKey> root =
        platform::RealRegistry().OpenKey(hive, "", KeyAccess::kCreateSubKey);
    ASSERT_TRUE(root && root->CreateSubKey(path.c_str())) << path;
    std::unique_ptr<CRegistryKey> key =
        platform::RealRegistry().OpenKey(hive, path.c_str(), KeyAccess::kSetValue);
    ASSERT_TRUE(key && key->SetStringValue(name, text)) << path;
  }

  platform::CScopedTempDir m_dir;
  platform::CScopedEnvironment m_home{"CIRVANE_POSIX_HOME",
                                      platform::SystemPathForTest(m_dir / "home")};
};

TEST_F(SystemIntegrationTest, RegistryStepsOnTheRealRegistry) {
  ASSERT_TRUE(Open(Hive::kLocalMachine, kUninstall)) << "a fresh machine has the Uninstall key";
  Put(Hive::kLocalMachine, "Software\\Veltro Corporation\\Pulsegrid III\\1.0", "Path", "C:\\PG");
  Put(Hive::kLocalMachine, std::string(kUninstall) + "\\Pulsegrid III", "DisplayName", "PG");
  Put(Hive::kClassesRoot, "Cirvane.Schematic\\DefaultIcon", "", "C:\\X\\qsim3.exe,1");
  Put(Hive::kClassesRoot, "Cirvane.Schematic\\shell\\open\\command", "", "qsim3.exe \"%1\"");
  Put(Hive::kClassesRoot, ".asc", "", "Cirvane.Schematic");
  Put(Hive::kClassesRoot, ".asc\\ShellNew", "NullFile", "");

  RemoveOldCompanyKeys();
  RemoveOldFileTypes();
  RemoveOldUninstallEntry();
  RegisterUninstall(
      "C:\\Program Files\\VRO\\CirvaneIV\\qsim3.exe",
      {"Version 4.00o", "Veltro Corporation", "C:\\Program Files\\VRO\\CirvaneIV", 15128});

  EXPECT_FALSE(Open(Hive::kLocalMachine, "Software\\Veltro Corporation"));
  EXPECT_TRUE(Open(Hive::kLocalMachine, "Software"));
  EXPECT_FALSE(Open(Hive::kLocalMachine, std::string(kUninstall) + "\\Pulsegrid III"));
  EXPECT_FALSE(Open(Hive::kClassesRoot, "Cirvane.Schematic"));
  EXPECT_FALSE(Open(Hive::kClassesRoot, ".asc"));
  EXPECT_EQ("Cirvane IV", ValueOf(Hive::kLocalMachine, kEntry, "DisplayName"));
  EXPECT_EQ("\"C:\\Program Files\\VRO\\CirvaneIV\\qsim3.exe\" -uninstall",
            ValueOf(Hive::kLocalMachine, kEntry, "UninstallString"));
  EXPECT_EQ("Version 4.00o", ValueOf(Hive::kLocalMachine, kEntry, "DisplayVersion"));
  EXPECT_EQ("Veltro Corporation", ValueOf(Hive::kLocalMachine, kEntry, "Publisher"));
  EXPECT_EQ("C:\\Program Files\\VRO\\CirvaneIV\\qsim3.exe,0",
            ValueOf(Hive::kLocalMachine, kEntry, "DisplayIcon"));
  EXPECT_EQ("C:\\Program Files\\VRO\\CirvaneIV",
            ValueOf(Hive::kLocalMachine, kEntry, "InstallLocation"));
  for (auto [name, number] :
       {std::pair{"EstimatedSize", 15128u}, {"NoModify", 1u}, {"NoRepair", 1u}}) {
    std::unique_ptr<CRegistryKey> entry = Open(Hive::kLocalMachine, kEntry);
    std::optional<platform::RegistryValue> value =
        entry ? entry->QueryValue(name, 260) : std::nullopt;
    ASSERT_TRUE(value) << name;
    EXPECT_EQ(platform::ValueType::kDword, value->type) << name;
    EXPECT_EQ(number, platform::DwordNumber(value->data)) << name;
  }
}

// Natively the Windows directory is the one of the Wine prefix; under Wine, WINDIR.
TEST_F(SystemIntegrationTest, IniLookupTakesTheWindowsDirectoryUnderWine) {
  if (!platform::RealSystem().IsWineEnvironment()) GTEST_SKIP() << "not under Wine";
  const std::string windows = m_dir / "drive_c\\windows";
  int budget = 0;
  CreateDirectoryTree(windows, &budget);
  ASSERT_TRUE(platform::WriteWholeFile(windows + "\\qsim3.ini", "[Options]\r\n"));
#ifdef _WIN32
  platform::CScopedEnvironment windir("WINDIR", windows);
#else
  platform::CScopedEnvironment prefix("WINEPREFIX", platform::SystemPathForTest(m_dir.path()));
#endif
  EXPECT_EQ(windows + "\\qsim3.ini", FindIniFile());
}

}  // namespace
