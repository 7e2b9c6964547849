#include "sync/component_docs.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_services_test.h"
#include "sync/archive_test_support.h"

namespace {

using ComponentDocTest = platform::CFakeServicesTest;

// A file that cannot be loaded or saved is named with the reason; a failed load leaves the
// document as it was.
TEST_F(ComponentDocTest, FilesThatCannotBeLoadedOrSavedAreNamed) {
  const std::string path = m_dir / "standard.res", gone = m_dir / "gone\\standard.res",
                    wildcard = m_dir / "stan*.res", full = m_dir / "full.res";
  CResistorDoc doc;
  doc.records.push_back(archive_test::Resistor("Velmor", "VR-1", 47.0f));
  for (const std::string& file : {path, gone, m_dir.path(), wildcard}) {
    EXPECT_FALSE(doc.LoadFromFile(file)) << file;
    EXPECT_EQ(doc.records.size(), 1u) << file;
  }
  ASSERT_TRUE(doc.SaveToFile(path));
  ASSERT_TRUE(platform::Files().SetReadOnly(path.c_str(), true));
  m_files.LockAttributeOf(path);
  EXPECT_FALSE(doc.SaveToFile(path));
  EXPECT_FALSE(doc.SaveToFile(gone));
  m_files.FailWritesFrom(m_files.writeCalls() + 1);  // the first write already falls short
  EXPECT_FALSE(doc.SaveToFile(full));
  EXPECT_EQ(m_ui.boxes(),
            (std::vector<std::string>{
                path + " was not found.", gone + " contains an invalid path.",
                "Access to " + m_dir.path() + " was denied.",
                wildcard + " contains an invalid path.", "Access to " + path + " was denied.",
                gone + " contains an invalid path.", "Disk full while accessing " + full + "."}));
}

}  // namespace
