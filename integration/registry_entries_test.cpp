#include "integration/registry_entries.h"

#include <gtest/gtest.h>

#include "integration/file_types.h"
#include "platform/fake/fake_registry.h"

namespace {

using platform::Hive;

constexpr char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr char kEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Cirvane IV";
const SUninstallDetails kDetails{"Version 4.00o", "Veltro Corporation", "C:\\A", 12};

class RegistryEntriesTest : public testing::Test {
 protected:
  void SetUp() override {
    m_registry.AddKey(Hive::kLocalMachine, kUninstall);
    m_registry.AddKey(Hive::kClassesRoot, ".txt");
    platform::UseRegistry(&m_registry);
  }
  void TearDown() override { platform::UseRegistry(nullptr); }

  // The registry steps of the end of an installation, in their order.
  void RunRegistrySteps(const char* exePath) {
    RemoveOldCompanyKeys();
    RemoveOldFileTypes();
    RemoveOldUninstallEntry();
    RegisterUninstall(exePath, kDetails);
  }

  platform::CFakeRegistry m_registry;
};

TEST_F(RegistryEntriesTest, FreshMachineGetsOnlyTheUninstallEntry) {
  size_t keysBefore = m_registry.KeyCount();
  RunRegistrySteps("C:\\Program Files\\VRO\\CirvaneIV\\qsim3.exe");
  EXPECT_EQ(keysBefore + 1, m_registry.KeyCount());
  EXPECT_TRUE(m_registry.deleted().empty());
  EXPECT_EQ("Cirvane IV", m_registry.ValueOf(Hive::kLocalMachine, kEntry, "DisplayName"));
  EXPECT_EQ("\"C:\\Program Files\\VRO\\CirvaneIV\\qsim3.exe\" -uninstall",
            m_registry.ValueOf(Hive::kLocalMachine, kEntry, "UninstallString"))
      << "quoted, so Windows cannot run C:\\Program.exe instead";
}

TEST_F(RegistryEntriesTest, ReinstallElsewhereRewritesTheCommandAndTheDetails) {
  RegisterUninstall("C:\\A\\qsim3.exe", kDetails);
  RegisterUninstall("D:\\B\\qsim3.exe", {"Version 4.01", "Veltro Corporation", "D:\\B", 3});
  EXPECT_EQ("\"D:\\B\\qsim3.exe\" -uninstall",
            m_registry.ValueOf(Hive::kLocalMachine, kEntry, "UninstallString"));
  EXPECT_EQ("D:\\B\\qsim3.exe,0", m_registry.ValueOf(Hive::kLocalMachine, kEntry, "DisplayIcon"));
  EXPECT_EQ("D:\\B", m_registry.ValueOf(Hive::kLocalMachine, kEntry, "InstallLocation"));
  EXPECT_EQ("Version 4.01", m_registry.ValueOf(Hive::kLocalMachine, kEntry, "DisplayVersion"));
  EXPECT_EQ(
      3u, platform::DwordNumber(m_registry.ValueOf(Hive::kLocalMachine, kEntry, "EstimatedSize")));
}

TEST(InstalledSizeTest, CountsWholeKilobytesRoundedUp) {
  struct SCase {
    std::vector<uint32_t> sizes;
    uint32_t kb;
  };
  const SCase cases[] = {{{}, 0},        {{1}, 1},          {{1024}, 1},
                         {{1024, 1}, 2}, {{1023, 1025}, 2}, {{0xFFFFFFFFu, 0xFFFFFFFFu}, 8388608}};
  for (const SCase& c : cases) {
    std::vector<PayloadEntry> entries;
    for (uint32_t size : c.sizes) entries.push_back({".\\f", 0, size, 0, 0, nullptr});
    std::vector<const PayloadEntry*> index;
    for (const PayloadEntry& entry : entries) index.push_back(&entry);
    EXPECT_EQ(c.kb, InstalledSizeKb({index.data(), index.data() + index.size()}))
        << c.sizes.size() << " files";
  }
}

TEST_F(RegistryEntriesTest, NoRightsOrNoUninstallKeyWritesNothing) {
  platform::CFakeRegistry bare;
  platform::UseRegistry(&bare);
  RegisterUninstall("C:\\A\\qsim3.exe", kDetails);
  EXPECT_EQ(4u, bare.KeyCount()) << "the Uninstall key is opened, never made";

  platform::UseRegistry(&m_registry);
  m_registry.AddKey(Hive::kLocalMachine, "Software\\Veltro Corporation\\Pulsegrid III\\1.0");
  size_t keysBefore = m_registry.KeyCount();
  m_registry.RefuseChanges(Hive::kLocalMachine);
  RunRegistrySteps("C:\\A\\qsim3.exe");
  EXPECT_EQ(keysBefore, m_registry.KeyCount());
}

TEST_F(RegistryEntriesTest, OldVendorKeysGoBottomUpAndASiblingProductStays) {
  m_registry.SetValue(Hive::kLocalMachine, "Software\\Veltro Corporation\\Pulsegrid III\\1.0",
                      "Path", "C:\\PG3");
  m_registry.AddKey(Hive::kLocalMachine, "Software\\Veltro Corporation\\Other Tool");
  m_registry.AddKey(Hive::kLocalMachine, std::string(kUninstall) + "\\Pulsegrid III");

  RemoveOldCompanyKeys();
  RemoveOldUninstallEntry();

  EXPECT_FALSE(
      m_registry.HasKey(Hive::kLocalMachine, "Software\\Veltro Corporation\\Pulsegrid III"));
  EXPECT_TRUE(m_registry.HasKey(Hive::kLocalMachine, "Software\\Veltro Corporation\\Other Tool"));
  EXPECT_FALSE(m_registry.HasKey(Hive::kLocalMachine, std::string(kUninstall) + "\\Pulsegrid III"));

  platform::CFakeRegistry alone;
  alone.AddKey(Hive::kLocalMachine, "Software\\Veltro Corporation\\Pulsegrid III\\1.0");
  platform::UseRegistry(&alone);
  RemoveOldCompanyKeys();
  EXPECT_EQ((std::vector<std::string>{
                "HKEY_LOCAL_MACHINE\\Software\\Veltro Corporation\\Pulsegrid III\\1.0",
                "HKEY_LOCAL_MACHINE\\Software\\Veltro Corporation\\Pulsegrid III",
                "HKEY_LOCAL_MACHINE\\Software\\Veltro Corporation"}),
            alone.deleted());
  EXPECT_TRUE(alone.HasKey(Hive::kLocalMachine, "Software"));
}

}  // namespace
