#include "integration/file_types.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_registry.h"

namespace {

using platform::Hive;

constexpr size_t kHiveCount = 4;

class FileTypesTest : public testing::Test {
 protected:
  void SetUp() override { platform::UseRegistry(&m_registry); }
  void TearDown() override { platform::UseRegistry(nullptr); }

  // A ProgID as an earlier installation registered it: icon, verbs, DDE.
  void AddProgId(const std::string& progId, const std::string& icon) {
    m_registry.SetValue(Hive::kClassesRoot, progId, "", "Cirvane document");
    m_registry.SetValue(Hive::kClassesRoot, progId + "\\DefaultIcon", "", icon);
    for (const char* verb : {"open", "print", "printto"}) {
      std::string verbKey = progId + "\\shell\\" + verb;
      m_registry.SetValue(Hive::kClassesRoot, verbKey + "\\command", "", "qsim3.exe \"%1\"");
      m_registry.AddKey(Hive::kClassesRoot, verbKey + "\\ddeexec");
    }
    m_registry.AddKey(Hive::kClassesRoot, progId + "\\shell\\open\\ddeexec\\Application");
  }

  bool Has(const std::string& key) { return m_registry.HasKey(Hive::kClassesRoot, key); }

  platform::CFakeRegistry m_registry;
};

TEST_F(FileTypesTest, EveryListedProgIdWithTheProgramIconGoesWhole) {
  for (const char* progId : kProgIds) AddProgId(progId, "C:\\X\\QSim3.EXE,1");
  RemoveOldFileTypes();
  EXPECT_EQ(kHiveCount, m_registry.KeyCount()) << "every verb, icon and ProgID key is gone";
}

TEST_F(FileTypesTest, ProgIdsOfOtherProgramsOrWithMoreKeysStay) {
  AddProgId("Cirvane.Netlist", "C:\\Other\\editor.exe,0");
  AddProgId("Cirvane.Symbol", "qsim3.exe,2");        // no directory before the name
  AddProgId("Cirvane.Other", "C:\\X\\qsim3.exe,1");  // not a ProgID of the list
  m_registry.SetValue(Hive::kClassesRoot, "Cirvane.Rawfile\\DefaultIcon", "", "C:\\X\\qsim3.exe,3",
                      platform::ValueType::kOther);
  AddProgId("Cirvane.Schematic", "C:\\X\\qsim3.exe,1");
  m_registry.AddKey(Hive::kClassesRoot, "Cirvane.Schematic\\shell\\edit\\command");
  m_registry.AddKey(Hive::kClassesRoot, "Cirvane.Schematic\\shell\\open\\ddeexec\\Topic");

  RemoveOldFileTypes();

  EXPECT_TRUE(Has("Cirvane.Netlist\\shell\\open\\ddeexec\\Application"));
  EXPECT_TRUE(Has("Cirvane.Symbol\\DefaultIcon"));
  EXPECT_TRUE(Has("Cirvane.Other\\DefaultIcon"));
  EXPECT_TRUE(Has("Cirvane.Rawfile\\DefaultIcon")) << "an icon that is no string is not read";
  // The extra verb and the extra DDE key keep their parents; everything else went.
  EXPECT_TRUE(Has("Cirvane.Schematic\\shell\\edit\\command"));
  EXPECT_TRUE(Has("Cirvane.Schematic\\shell\\open\\ddeexec\\Topic"));
  EXPECT_FALSE(Has("Cirvane.Schematic\\shell\\open\\ddeexec\\Application"));
  EXPECT_FALSE(Has("Cirvane.Schematic\\shell\\print"));
}

TEST_F(FileTypesTest, ExtensionsNamingTheProductGoUnlessTheyHoldMore) {
  m_registry.SetValue(Hive::kClassesRoot, ".asc", "", "cirvane.schematic");
  m_registry.AddKey(Hive::kClassesRoot, ".asc\\ShellNew");
  m_registry.SetValue(Hive::kClassesRoot, ".cir", "", "OtherApp.Netlist");
  m_registry.SetValue(Hive::kClassesRoot, ".asy", "", "Cirvane.Symbol");
  m_registry.AddKey(Hive::kClassesRoot, ".asy\\ShellNew");
  m_registry.AddKey(Hive::kClassesRoot, ".asy\\OpenWithProgids");
  m_registry.SetValue(Hive::kClassesRoot, ".net", "", "Cirvane.Netlist");  // not in the list

  RemoveOldFileTypes();

  EXPECT_FALSE(Has(".asc"));
  EXPECT_EQ("OtherApp.Netlist", m_registry.ValueOf(Hive::kClassesRoot, ".cir", ""));
  EXPECT_FALSE(Has(".asy\\ShellNew"));
  EXPECT_TRUE(Has(".asy\\OpenWithProgids"));
  EXPECT_TRUE(Has(".net"));
}

}  // namespace
