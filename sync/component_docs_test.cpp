#include "sync/component_docs.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_services_test.h"
#include "sync/archive_test_support.h"

namespace {

using archive_test::Encode;
using archive_test::Hex;
using archive_test::Resistor;
using platform::ReadWholeFile;
using platform::WriteWholeFile;

class ComponentDocTest : public platform::CFakeServicesTest {
 protected:
  // A document holding one record, to see whether a load kept or dropped it.
  static CResistorDoc OneRecordDoc() {
    CResistorDoc doc;
    doc.records.push_back(Resistor("Velmor", "VR-1", 47.0f));
    return doc;
  }
};

TEST_F(ComponentDocTest, EmptyFilesLoadAsEmptyDocuments) {
  for (const std::string& content : {std::string(), Hex("00 00"), Hex("00 00 7A")}) {
    const std::string path = m_dir / "standard.res";
    ASSERT_TRUE(WriteWholeFile(path, content));
    CResistorDoc doc = OneRecordDoc();
    EXPECT_TRUE(doc.LoadFromFile(path)) << content.size();
    EXPECT_TRUE(doc.records.empty());
  }
  EXPECT_TRUE(m_ui.boxes().empty());
}

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
  for (const auto& c : kCases) {
    CResistorDoc doc = OneRecordDoc();
    EXPECT_FALSE(doc.LoadFromFile(c.path)) << c.path;
    EXPECT_EQ(doc.records.size(), 1u) << c.path;
    std::string expected = c.text;
    expected.replace(expected.find("%s"), 2, c.path);
    EXPECT_EQ(m_ui.boxes().back(), expected);
  }
}

TEST_F(ComponentDocTest, SaveWritesTheArchiveAndReportsWhatStoppedIt) {
  CResistorDoc doc = OneRecordDoc();
  const std::string path = m_dir / "standard.res";
  ASSERT_TRUE(doc.SaveToFile(path));
  EXPECT_EQ(ReadWholeFile(path), Encode(doc));

  ASSERT_TRUE(platform::Files().SetReadOnly(path.c_str(), true));
  m_files.LockAttributeOf(path);
  EXPECT_FALSE(doc.SaveToFile(path));
  EXPECT_EQ(m_ui.boxes().back(), "Access to " + path + " was denied.");

  EXPECT_FALSE(doc.SaveToFile(m_dir / "gone\\standard.res"));
  EXPECT_EQ(m_ui.boxes().back(), m_dir / "gone\\standard.res" + " contains an invalid path.");

  // A full disk: the first write of the archive already falls short.
  m_files.FailWritesFrom(m_files.writeCalls() + 1);
  const std::string full = m_dir / "full.res";
  EXPECT_FALSE(doc.SaveToFile(full));
  EXPECT_EQ(m_ui.boxes().back(), "Disk full while accessing " + full + ".");
  EXPECT_EQ(m_ui.boxes().size(), 3u);
}

TEST_F(ComponentDocTest, EveryFileErrorHasItsText) {
  const std::string path = "C:\\Cirvane\\lib\\cmp\\standard.cap";
  const std::pair<FileError, std::string> kTexts[] = {
      {FileError::kUnspecified, "An unknown error occurred while accessing " + path + "."},
      {FileError::kFileNotFound, path + " was not found."},
      {FileError::kInvalidPath, path + " contains an invalid path."},
      {FileError::kTooManyOpenFiles,
       path + " could not be opened because there are too many open files."},
      {FileError::kAccessDenied, "Access to " + path + " was denied."},
      {FileError::kInvalidFileHandle, "An invalid file handle was associated with " + path + "."},
      {FileError::kRemoveCurrentDirectory,
       path + " could not be removed because it is the current directory."},
      {FileError::kDirectoryFull, path + " could not be created because the directory is full."},
      {FileError::kSeekFailed, "Seek failed on " + path},
      {FileError::kHardwareIo, "A hardware I/O error was reported while accessing " + path + "."},
      {FileError::kSharingViolation, "A sharing violation occurred while accessing " + path + "."},
      {FileError::kLockingViolation, "A locking violation occurred while accessing " + path + "."},
      {FileError::kDiskFull, "Disk full while accessing " + path + "."},
      {FileError::kEndOfFile, "An attempt was made to access " + path + " past its end."},
  };
  for (const auto& [error, text] : kTexts) EXPECT_EQ(FileErrorText(error, path), text);
  EXPECT_EQ(LoadFaultText(ArchiveFault::kSchemaMismatch), "Unexpected file format.");
  EXPECT_EQ(LoadFaultText(ArchiveFault::kTooLarge), "Failed to open document.");
  EXPECT_EQ(SaveFaultText(ArchiveFault::kTooLarge, path), "Failed to save document.");
}

}  // namespace
