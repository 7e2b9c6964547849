// The registry rules, checked on the in-memory tree and on this target's real registry (the
// system's own under Wine, the export file natively), and the export format.
#include "platform/registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_registry.h"
#include "platform/fake/scoped_environment.h"
#include "platform/fake/test_files.h"
#include "platform/files.h"
#include "platform/registry_export.h"

namespace {

using platform::CRegistry;
using platform::CRegistryKey;
using platform::Hive;
using platform::KeyAccess;
using platform::RegistryValue;
using platform::ValueType;

// A home of its own for the POSIX registry, whose file it holds; not made yet.
struct SScratchHome {
  platform::CScopedTempDir m_dir;
  std::string m_home = m_dir / "home";
  platform::CScopedEnvironment m_homeVariable{"CIRVANE_POSIX_HOME",
                                              platform::SystemPathForTest(m_home)};
};

// A value as read through `key`: its type and data (a dword as its number), or "none".
std::string Read(CRegistryKey& key, const char* name, size_t capacity = 260) {
  std::optional<RegistryValue> value = key.QueryValue(name, capacity);
  if (!value) return "none";
  if (value->type == ValueType::kDword) {
    std::optional<uint32_t> number = platform::DwordNumber(value->data);
    return number ? "dword " + std::to_string(*number) : "a dword of the wrong size";
  }
  return (value->type == ValueType::kString ? "string " : "other ") + value->data;
}

enum class RegistryKind { kFake, kReal };

class RegistryContractTest : public testing::TestWithParam<RegistryKind>, public SScratchHome {
 protected:
  void SetUp() override {
    m_fake.AddKey(Hive::kCurrentUser, "Software");
    m_registry = GetParam() == RegistryKind::kFake ? static_cast<CRegistry*>(&m_fake)
                                                   : &platform::RealRegistry();
    // The scratch directory's name is one no other run or test uses.
    m_root = "Software\\" + m_dir.path().substr(m_dir.path().rfind('\\') + 1);
    std::unique_ptr<CRegistryKey> user =
        m_registry->OpenKey(Hive::kCurrentUser, "", KeyAccess::kCreateSubKey);
    ASSERT_TRUE(user && user->CreateSubKey(m_root.c_str()));
  }

  // Deletes what a failed test left, deepest first.
  void TearDown() override {
    std::unique_ptr<CRegistryKey> user =
        m_registry->OpenKey(Hive::kCurrentUser, "", KeyAccess::kCreateSubKey);
    if (!user) return;
    for (const char* left : {"\\Product\\1.0", "\\Product", ""}) {
      user->DeleteSubKey((m_root + left).c_str());
    }
  }

  std::unique_ptr<CRegistryKey> Open(const std::string& below, KeyAccess access) {
    return m_registry->OpenKey(Hive::kCurrentUser, (m_root + below).c_str(), access);
  }

  platform::CFakeRegistry m_fake;
  CRegistry* m_registry = nullptr;
  std::string m_root;
};

TEST_P(RegistryContractTest, KeysIgnoreCaseAndOnlyKeysWithoutSubkeysGo) {
  std::unique_ptr<CRegistryKey> root = Open("", KeyAccess::kCreateSubKey);
  ASSERT_TRUE(root);
  EXPECT_TRUE(root->CreateSubKey("Product\\1.0")) << "missing keys on the way are created";
  EXPECT_TRUE(root->CreateSubKey("Product\\1.0")) << "an existing key is no failure";
  EXPECT_TRUE(Open("\\PRODUCT\\1.0", KeyAccess::kQueryValue));
  EXPECT_FALSE(Open("\\Missing", KeyAccess::kQueryValue));

  std::unique_ptr<CRegistryKey> product = Open("\\Product", KeyAccess::kSetValue);
  ASSERT_TRUE(product);
  EXPECT_FALSE(root->DeleteSubKey("product")) << "it still has a subkey";
  EXPECT_TRUE(root->DeleteSubKey("Product\\1.0"));
  EXPECT_FALSE(root->DeleteSubKey("Product\\1.0")) << "already gone";
  EXPECT_TRUE(root->DeleteSubKey("product"));
  EXPECT_FALSE(Open("\\Product", KeyAccess::kQueryValue));
  EXPECT_FALSE(product->SetStringValue("Name", "late")) << "the handle's key is gone";
}

// Strings fit a buffer only with their zero; numbers and digit strings keep their type.
TEST_P(RegistryContractTest, ValuesReadBackWithTheirTypeWithinTheirBuffer) {
  ASSERT_TRUE(Open("", KeyAccess::kCreateSubKey)->CreateSubKey("Product"));
  std::unique_ptr<CRegistryKey> writer = Open("\\Product", KeyAccess::kSetValue);
  ASSERT_TRUE(writer);
  EXPECT_TRUE(writer->SetStringValue("", "default"));
  EXPECT_TRUE(writer->SetStringValue("Fits", std::string(259, 'x')));
  EXPECT_TRUE(writer->SetStringValue("TooLong", std::string(260, 'y')));
  EXPECT_TRUE(writer->SetDwordValue("Size", 0x12345678u));
  EXPECT_TRUE(writer->SetStringValue("Text", "12345678"));
  EXPECT_FALSE(writer->QueryValue("Fits", 260)) << "a key opened for setting is not readable";

  std::unique_ptr<CRegistryKey> reader = Open("\\product", KeyAccess::kQueryValue);
  ASSERT_TRUE(reader);
  EXPECT_FALSE(reader->SetStringValue("Fits", "z")) << "a key opened for reading is read-only";
  EXPECT_FALSE(reader->SetDwordValue("Size", 1));
  EXPECT_EQ("string " + std::string(259, 'x'), Read(*reader, "FITS"));
  EXPECT_EQ("string default", Read(*reader, ""));
  EXPECT_EQ("none", Read(*reader, "TooLong")) << "261 bytes with its zero";
  EXPECT_EQ("string " + std::string(260, 'y'), Read(*reader, "TooLong", 261));
  EXPECT_EQ("none", Read(*reader, "Absent"));
  EXPECT_EQ("dword 305419896", Read(*reader, "Size"));
  EXPECT_EQ("string 12345678", Read(*reader, "Text"));
}

INSTANTIATE_TEST_SUITE_P(FakeAndReal, RegistryContractTest,
                         testing::Values(RegistryKind::kFake, RegistryKind::kReal),
                         [](const testing::TestParamInfo<RegistryKind>& info) {
                           return info.param == RegistryKind::kFake ? "Fake" : "Real";
                         });

TEST(RegistryTreeTest, SubkeysAreFoundByPathNotByNamePrefix) {
  platform::CRegistryTree tree;
  ASSERT_TRUE(tree.Create("HKEY_CLASSES_ROOT\\A B"));
  ASSERT_TRUE(tree.Create("HKEY_CLASSES_ROOT\\AB\\x"));
  ASSERT_TRUE(tree.Create("HKEY_CLASSES_ROOT\\A"));
  EXPECT_FALSE(tree.HasSubKeys("HKEY_CLASSES_ROOT\\A")) << "\"A B\" and \"AB\" are siblings";
  EXPECT_TRUE(tree.HasSubKeys("hkey_classes_root\\ab"));
  EXPECT_TRUE(tree.Delete("HKEY_CLASSES_ROOT\\a"));
  EXPECT_FALSE(tree.Delete("HKEY_CLASSES_ROOT")) << "a hive stays";
}

// A key of `depth` levels below HKEY_USERS, each named "k".
std::string DeepKey(size_t depth) {
  std::string path = "HKEY_USERS";
  for (size_t i = 0; i < depth; ++i) path += "\\k";
  return path;
}

TEST(RegistryTreeTest, RefusesNamesTheExportCouldNotHold) {
  platform::CRegistryTree tree;
  for (const char* bad : {"HKEY_USERS\\a\nb", "HKEY_USERS\\a\\\\b", "HKEY_USERS\\a\\",
                          "HKEY_NOWHERE\\a", "HKEY_USERS\\\\a", ""}) {
    EXPECT_FALSE(tree.Create(bad)) << bad;
  }
  EXPECT_TRUE(tree.Create("HKEY_USERS\\" + std::string(255, 'k')));
  EXPECT_FALSE(tree.Create("HKEY_USERS\\" + std::string(256, 'k')));
  EXPECT_EQ(5u, tree.keys().size()) << "the four hives and the one valid key";
  EXPECT_FALSE(tree.Create(DeepKey(platform::kMaxKeyDepth + 1))) << "deeper than Windows allows";
  EXPECT_EQ(5u, tree.keys().size());
}

// Every kind of name and data the export must carry is written on one readable line and read
// back as it was, in a key as deep as a path may name.
TEST(RegistryExportTest, WritesOneReadableLinePerKeyAndValueAndReadsThemBack) {
  platform::CFakeRegistry registry;
  registry.SetValue(Hive::kLocalMachine, "Software\\Vendor", "", "default");
  registry.SetValue(Hive::kLocalMachine, "Software\\Vendor", "Path", "C:\\Dir \"quoted\"");
  registry.SetValue(Hive::kLocalMachine, "Software\\Vendor", "Lines", "a\r\nb");
  registry.SetValue(Hive::kLocalMachine, "Software\\Vendor", "Accent", "caf\xe9");
  registry.SetValue(Hive::kLocalMachine, "Software\\Vendor", "Empty", "");
  registry.SetValue(Hive::kLocalMachine, "Software\\Vendor", "Count", platform::DwordData(1),
                    ValueType::kDword);
  registry.SetValue(Hive::kLocalMachine, "Software\\Vendor", "Binary", "hex:01,02",
                    ValueType::kOther);
  registry.SetValue(Hive::kLocalMachine, "Software\\Vendor", "Name \"q\"", "x");
  registry.AddKey(Hive::kClassesRoot, ".asc\\ShellNew");
  EXPECT_EQ(
      "REGEDIT4\n\n"
      "[HKEY_CLASSES_ROOT]\n\n[HKEY_CLASSES_ROOT\\.asc]\n\n[HKEY_CLASSES_ROOT\\.asc\\ShellNew]\n\n"
      "[HKEY_CURRENT_USER]\n\n[HKEY_LOCAL_MACHINE]\n\n[HKEY_LOCAL_MACHINE\\Software]\n\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Vendor]\n"
      "@=\"default\"\n"
      "\"Accent\"=\"caf\xe9\"\n"
      "\"Binary\"=hex:01,02\n"
      "\"Count\"=dword:00000001\n"
      "\"Empty\"=\"\"\n"
      "\"Lines\"=hex(1):61,0d,0a,62,00\n"
      "\"Name \\\"q\\\"\"=\"x\"\n"
      "\"Path\"=\"C:\\\\Dir \\\"quoted\\\"\"\n\n"
      "[HKEY_USERS]\n",
      platform::FormatRegistryExport(registry.tree()));

  ASSERT_TRUE(registry.tree().Create(DeepKey(platform::kMaxKeyDepth)));
  std::string text = platform::FormatRegistryExport(registry.tree());
  platform::CRegistryTree read;
  read.Create("HKEY_USERS\\Stale");
  platform::ParseRegistryExport(text, &read);
  EXPECT_EQ(text, platform::FormatRegistryExport(read));
  auto* values = read.Find("HKEY_LOCAL_MACHINE\\Software\\Vendor");
  ASSERT_NE(nullptr, values);
  EXPECT_EQ(ValueType::kString, (*values)["Lines"].type) << "hex(1) is read back as text";
  EXPECT_EQ(ValueType::kDword, (*values)["Count"].type);
  EXPECT_EQ(1u, platform::DwordNumber((*values)["Count"].data));
  EXPECT_FALSE(read.Find("HKEY_USERS\\Stale")) << "reading replaces the whole tree";
}

TEST(RegistryExportTest, ReadsHandEditedFilesAndSkipsWhatItCannotRead) {
  platform::CRegistryTree tree;
  platform::ParseRegistryExport(
      "\"Orphan\"=\"before any key\"\r\n"
      "; a comment\r\n"
      "[hkey_current_user\\Software\\A]\r\n"
      "  \"Spaced\" = \"yes\"  \r\n"
      "\"Wrapped\"=hex(1):61,62,\\\r\n"
      "  63,00\r\n"
      "\"Binary\"=hex:01,02,\\\r\n"
      "  03\r\n"
      "\"Unterminated\"=\"abc\r\n"
      "\"Deleted\"=-\r\n"
      "\"BadHex\"=hex(1):6g,00\r\n"
      "garbage line\r\n"
      "\"Trailing\\\\\"=\"back\\\\\"\r\n"
      "[HKEY_NOWHERE\\B]\r\n"
      "\"Lost\"=\"x\"\r\n"
      "[HKEY_CURRENT_USER\\Software\\C",
      &tree);
  auto* values = tree.Find("HKEY_CURRENT_USER\\Software\\A");
  ASSERT_NE(nullptr, values);
  EXPECT_EQ("yes", (*values)["Spaced"].data);
  EXPECT_EQ("abc", (*values)["Wrapped"].data);
  EXPECT_EQ("hex:01,02,03", (*values)["Binary"].data);
  EXPECT_EQ("back\\", (*values)["Trailing\\"].data);
  EXPECT_EQ(4u, values->size()) << "the unreadable values are skipped";
  EXPECT_EQ(6u, tree.keys().size()) << "four hives, Software and A; no B or C";
}

#ifndef _WIN32
class PosixRegistryTest : public testing::Test, public SScratchHome {
 protected:
  std::string RegistryFile() const { return m_home + "\\registry.reg"; }
};

TEST_F(PosixRegistryTest, StartsLikeAFreshMachineAndKeepsChangesInItsFile) {
  CRegistry& registry = platform::RealRegistry();
  std::unique_ptr<CRegistryKey> folders = registry.OpenKey(
      Hive::kCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
      KeyAccess::kQueryValue);
  ASSERT_TRUE(folders);
  EXPECT_EQ("string " + m_home + "\\Desktop", Read(*folders, "Desktop"));
  EXPECT_EQ("string " + m_home + "\\Start Menu", Read(*folders, "Start Menu"));
  EXPECT_FALSE(platform::Files().Find(RegistryFile().c_str()) == platform::EntryKind::kFile)
      << "reading writes nothing";

  std::unique_ptr<CRegistryKey> software =
      registry.OpenKey(Hive::kLocalMachine, "Software", KeyAccess::kCreateSubKey);
  ASSERT_TRUE(software && software->CreateSubKey("Vendor"));
  std::string text = platform::ReadWholeFile(RegistryFile());
  EXPECT_NE(std::string::npos, text.find("[HKEY_LOCAL_MACHINE\\Software\\Vendor]\n")) << text;
  EXPECT_NE(std::string::npos, text.find("\"Desktop\"=")) << "the fresh machine's folders stay";

  // An edit by hand is seen by the next call.
  ASSERT_TRUE(
      platform::WriteWholeFile(RegistryFile(), "REGEDIT4\n[HKEY_USERS\\Edited]\n@=\"x\"\n"));
  std::unique_ptr<CRegistryKey> edited =
      registry.OpenKey(Hive::kUsers, "edited", KeyAccess::kQueryValue);
  ASSERT_TRUE(edited);
  EXPECT_EQ("string x", Read(*edited, ""));
  EXPECT_FALSE(registry.OpenKey(Hive::kLocalMachine, "Software\\Vendor", KeyAccess::kQueryValue));
}

TEST_F(PosixRegistryTest, AnUnreadableFileIsNeverReplaced) {
  ASSERT_EQ(platform::MakeDirectoryResult::kMade, platform::Files().MakeDirectory(m_home.c_str()));
  ASSERT_EQ(platform::MakeDirectoryResult::kMade,
            platform::Files().MakeDirectory(RegistryFile().c_str()));
  EXPECT_FALSE(platform::RealRegistry().OpenKey(Hive::kLocalMachine, "", KeyAccess::kQueryValue));
  EXPECT_EQ(platform::EntryKind::kDirectory, platform::Files().Find(RegistryFile().c_str()));
}
#endif

}  // namespace
