#include "tools/tree_writer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "platform/fake/test_files.h"
#include "tools/sample_plan.h"

namespace fs = std::filesystem;

namespace {

// The shared scoped temporary directory, in the system's path form.
class ScratchDir {
 public:
  fs::path path() const { return platform::SystemPathForTest(m_dir.path()); }

 private:
  platform::CScopedTempDir m_dir;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Every file below `root` by relative path, with its content.
std::map<std::string, std::string> ReadTree(const fs::path& root) {
  std::map<std::string, std::string> tree;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
    if (e.is_regular_file()) tree[fs::relative(e.path(), root).generic_string()] = ReadFile(e);
  }
  return tree;
}

std::string WriteSample(const fs::path& dir, TreeTotals* totals) {
  return WriteProduct(dir, PlanSampleProduct(), MakeFileContent, totals);
}

TEST(TreeWriter, TwoRunsWriteIdenticalTreesAndStampThem) {
  ScratchDir scratch;
  TreeTotals first, second;
  ASSERT_EQ(WriteSample(scratch.path() / "one", &first), "");
  ASSERT_EQ(WriteSample(scratch.path() / "two/", &second), "");
  std::map<std::string, std::string> one = ReadTree(scratch.path() / "one");
  EXPECT_EQ(one, ReadTree(scratch.path() / "two"));
  EXPECT_EQ(one.size(), PlanSampleProduct().size());
  EXPECT_EQ(first.files, one.size());
  EXPECT_EQ(first.bytes, PlannedBytes(PlanSampleProduct()));
  EXPECT_EQ(ReadFile(scratch.path() / "two.stamp"),
            "Cirvane generated product tree\ncomplete: " + std::to_string(second.files) +
                " files, " + std::to_string(second.bytes) + " bytes\n")
      << "the stamp lies beside the directory, also when it was given with a slash";
}

TEST(TreeWriter, RefusesAFolderItDidNotWriteAndLeavesItAlone) {
  ScratchDir scratch;
  const fs::path foreign = scratch.path() / "documents";
  fs::create_directories(foreign);
  WriteFile(foreign / "thesis.txt", "mine");
  TreeTotals totals;
  std::string message = WriteSample(foreign, &totals);
  EXPECT_NE(message.find("not empty"), std::string::npos) << message;
  EXPECT_EQ(ReadFile(foreign / "thesis.txt"), "mine");
  EXPECT_FALSE(fs::exists(StampPathFor(foreign)));
  EXPECT_NE(PrepareProductDir(scratch.path() / "."), "");
  EXPECT_NE(PrepareProductDir("/"), "");
  WriteFile(scratch.path() / "plain", "x");
  EXPECT_NE(PrepareProductDir(scratch.path() / "plain"), "") << "a file is no directory";
}

TEST(TreeWriter, ReplacesItsOwnTreeWholly) {
  ScratchDir scratch;
  const fs::path dir = scratch.path() / "sample";
  TreeTotals totals;
  ASSERT_EQ(WriteSample(dir, &totals), "");
  WriteFile(dir / "lib" / "stray.txt", "left from an older sample");
  ASSERT_EQ(WriteSample(dir, &totals), "");
  EXPECT_FALSE(fs::exists(dir / "lib" / "stray.txt"));
  EXPECT_EQ(ReadTree(dir).size(), PlanSampleProduct().size());
}

TEST(TreeWriter, ReportsTheFileItCannotWrite) {
  ScratchDir scratch;
  ASSERT_EQ(PrepareProductDir(scratch.path() / "t"), "");
  WriteFile(scratch.path() / "t" / "lib", "a file where a folder must go");
  std::string message = WriteProductFile(scratch.path() / "t", "lib/sym/cap.asy", "x");
  EXPECT_NE(message.find("lib"), std::string::npos) << message;
  EXPECT_EQ(ReadFile(StampPathFor(scratch.path() / "t")),
            "Cirvane generated product tree\nincomplete\n")
      << "a tree is marked complete only at the end";
}

}  // namespace
