#include "sync/component_docs.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_services_test.h"
#include "sync/archive_test_support.h"

namespace {

using ComponentDocTest = platform::CFakeServicesTest;

TEST_F(ComponentDocTest, FilesThatCannotBeOpenedAreNamedAndLeaveTheDocument) {
  const struct {
    std::string path;
    const char* text;
  } kCases[] = {
      {m_dir / "standard.res", "%s was not found."},
      {m_dir / "gone\\standard.res", "%s contains an invalid path."},
      {m_dir.path(), "Access to %s was denied."},
      {m_dir / "stan*.res", "%s contains an invalid path."},
  };
  CResistorDoc doc;
  doc.records.push_back(archive_test::Resistor("Velmor", "VR-1", 47.0f));
  for (const auto& c : kCases) {
    EXPECT_FALSE(doc.LoadFromFile(c.path)) << c.path;
    EXPECT_EQ(doc.records.size(), 1u) << c.path;
    std::string expected = c.text;
    expected.replace(expected.find("%s"), 2, c.path);
    EXPECT_EQ(m_ui.boxes().back(), expected);
  }
}

TEST_F(ComponentDocTest, SaveReportsWhatStoppedIt) {
  CResistorDoc doc;
  const std::string path = m_dir / "standard.res";
  ASSERT_TRUE(doc.SaveToFile(path));
  ASSERT_TRUE(platform::Files().SetReadOnly(path.c_str(), true));
  m_files.LockAttributeOf(path);
  EXPECT_FALSE(doc.SaveToFile(path));
  EXPECT_FALSE(doc.SaveToFile(m_dir / "gone\\standard.res"));
  m_files.FailWritesFrom(m_files.writeCalls() + 1);  // the first write already falls short
  EXPECT_FALSE(doc.SaveToFile(m_dir / "full.res"));
  EXPECT_EQ(m_ui.boxes(),
            (std::vector<std::string>{"Access to " + path + " was denied.",
                                      m_dir / "gone\\standard.res" + " contains an invalid path.",
                                      "Disk full while accessing " + m_dir / "full.res" + "."}));
}

}  // namespace
