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
#include "platform/fake/fake_registry.h"
#include "platform/fake/scoped_environment.h"
#include "platform/fake/test_files.h"
#include "platform/registry.h"
#include "platform/system.h"

namespace {

using platform::CRegistry;
using platform::Hive;
using platform::KeyAccess;

constexpr char kEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Cirvane IV";

// What an earlier generation left, each key with one string value, deepest first.
struct STestKey {
  Hive hive;
  const char* path;
  const char* value;
  const char* text;
};
constexpr STestKey kTestKeys[] = {
    {Hive::kLocalMachine, "Software\\Veltro Corporation\\Pulsegrid III\\1.0", "Path", "C:\\PG"},
    {Hive::kLocalMachine, "Software\\Veltro Corporation\\Pulsegrid III", "", ""},
    {Hive::kLocalMachine, "Software\\Veltro Corporation", "", ""},
    {Hive::kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pulsegrid III",
     "DisplayName", "PG"},
    {Hive::kClassesRoot, "Cirvane.Schematic\\DefaultIcon", "", "C:\\X\\qsim3.exe,1"},
    {Hive::kClassesRoot, "Cirvane.Schematic\\shell\\open\\command", "", "qsim3.exe \"%1\""},
    {Hive::kClassesRoot, "Cirvane.Schematic\\shell\\open", "", ""},
    {Hive::kClassesRoot, "Cirvane.Schematic\\shell", "", ""},
    {Hive::kClassesRoot, "Cirvane.Schematic", "", ""},
    {Hive::kClassesRoot, ".asc\\ShellNew", "NullFile", ""},
    {Hive::kClassesRoot, ".asc", "", "Cirvane.Schematic"},
};

// The value's type and data, "<none>" without key or value.
std::string ValueOf(CRegistry& registry, Hive hive, const std::string& path, const char* name) {
  std::unique_ptr<platform::CRegistryKey> key =
      registry.OpenKey(hive, path.c_str(), KeyAccess::kQueryValue);
  std::optional<platform::RegistryValue> value = key ? key->QueryValue(name, 260) : std::nullopt;
  return value ? std::to_string(static_cast<int>(value->type)) + ":" + value->data : "<none>";
}

class SystemIntegrationTest : public testing::Test {
 protected:
  void TearDown() override {
    std::unique_ptr<platform::CRegistryKey> machine =
        platform::RealRegistry().OpenKey(Hive::kLocalMachine, "", KeyAccess::kCreateSubKey);
    if (machine) machine->DeleteSubKey(kEntry);
    for (const STestKey& key : kTestKeys) {
      std::unique_ptr<platform::CRegistryKey> hive =
          platform::RealRegistry().OpenKey(key.hive, "", KeyAccess::kCreateSubKey);
      if (hive) hive->DeleteSubKey(key.path);
    }
  }

  platform::CScopedTempDir m_dir;
  platform::CScopedEnvironment m_home{"CIRVANE_POSIX_HOME",
                                      platform::SystemPathForTest(m_dir / "home")};
};

// The registry steps leave on the real registry what they leave on the tests' fake one, so that
// the fake's tests speak for the real registry.
TEST_F(SystemIntegrationTest, RegistryStepsDoOnTheRealRegistryWhatTheyDoOnTheFake) {
  platform::CFakeRegistry fake;
  for (CRegistry* registry : {static_cast<CRegistry*>(&fake), &platform::RealRegistry()}) {
    for (const STestKey& key : kTestKeys) {
      std::unique_ptr<platform::CRegistryKey> root =
          registry->OpenKey(key.hive, "", KeyAccess::kCreateSubKey);
      ASSERT_TRUE(root && root->CreateSubKey(key.path)) << key.path;
      std::unique_ptr<platform::CRegistryKey> made =
          registry->OpenKey(key.hive, key.path, KeyAccess::kSetValue);
      ASSERT_TRUE(made && made->SetStringValue(key.value, key.text)) << key.path;
    }
    platform::UseRegistry(registry == &fake ? &fake : nullptr);
    RemoveOldCompanyKeys();
    RemoveOldFileTypes();
    RemoveOldUninstallEntry();
    RegisterUninstall(
        "C:\\Program Files\\VRO\\CirvaneIV\\qsim3.exe",
        {"Version 4.00o", "Veltro Corporation", "C:\\Program Files\\VRO\\CirvaneIV", 15128});
  }
  platform::UseRegistry(nullptr);
  EXPECT_NE("<none>", ValueOf(fake, Hive::kLocalMachine, kEntry, "UninstallString"));
  for (const STestKey& key : kTestKeys) {
    EXPECT_EQ(ValueOf(fake, key.hive, key.path, key.value),
              ValueOf(platform::RealRegistry(), key.hive, key.path, key.value))
        << key.path;
  }
  for (const char* name :
       {"DisplayName", "UninstallString", "DisplayVersion", "Publisher", "DisplayIcon",
        "InstallLocation", "EstimatedSize", "NoModify", "NoRepair"}) {
    EXPECT_EQ(ValueOf(fake, Hive::kLocalMachine, kEntry, name),
              ValueOf(platform::RealRegistry(), Hive::kLocalMachine, kEntry, name))
        << name;
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
