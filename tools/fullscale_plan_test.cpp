#include "tools/fullscale_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>

namespace {

constexpr size_t kMaxPathLength = 56;  // with the leading ".\"
constexpr int kMaxDepth = 4;           // folders below the root

std::string ExtensionOf(const std::string& path) { return path.substr(path.rfind('.') + 1); }

TEST(FullScalePlan, HasTheShapeOfTheProduct) {
  const std::vector<PlannedFile> plan = PlanFullScaleProduct();
  ASSERT_EQ(plan.size(), kFullScaleFileCount);
  EXPECT_EQ(PlannedBytes(plan), kFullScaleBytes);
  EXPECT_EQ(CountPlannedAtMost(plan, 1024), kFullScalePlainCount);

  std::map<std::string, size_t> types;
  std::map<std::string, uint32_t> sizeOf;
  std::set<std::string> lowerPaths;
  size_t encrypted = 0;
  for (const PlannedFile& f : plan) {
    sizeOf[f.path] = f.size;
    types[ExtensionOf(f.path)] += 1;
    encrypted += f.kind == FileKind::kEncryptedSubcircuit ? 1 : 0;
    EXPECT_GE(f.size, kFullScaleMinFileSize) << f.path;
    EXPECT_LE(f.path.size() + 2, kMaxPathLength) << f.path;
    EXPECT_LE(std::count(f.path.begin(), f.path.end(), '/'), kMaxDepth) << f.path;
    std::string lower = f.path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    EXPECT_TRUE(lowerPaths.insert(lower).second) << "two paths equal ignoring case: " << f.path;
  }

  const std::map<std::string, size_t> kTypes = {
      {"asy", 1546}, {"asc", 1492}, {"sub", 812},  {"lib", 47}, {"txt", 5},  {"plt", 4}, {"exe", 3},
      {"chm", 1},    {"wav", 1},    {"vector", 1}, {"mod", 1},  {"bjt", 1},  {"dio", 1}, {"jft", 1},
      {"mos", 1},    {"cap", 1},    {"res", 1},    {"ind", 1},  {"bead", 1},
  };
  EXPECT_EQ(types, kTypes);
  EXPECT_EQ(encrypted, 721u);
  EXPECT_EQ(sizeOf["qsim3.exe"], kSimulatorSize);
  EXPECT_EQ(sizeOf["CirvaneHelp.chm"], kHelpFileSize);
  EXPECT_GT(sizeOf["Changelog.txt"], 20000u) << "the change log takes up the remainder";
}

TEST(FullScalePlan, ContentHasThePlannedSize) {
  const std::vector<PlannedFile> plan = PlanFullScaleProduct();
  std::set<uint32_t> sizes;
  for (const PlannedFile& f : plan) {
    std::string bytes = MakeFileContent(f);
    ASSERT_EQ(bytes.size(), f.size) << f.path;
    sizes.insert(f.size);
  }
  EXPECT_EQ(sizes.count(1024), 1u);
  EXPECT_EQ(sizes.count(1025), 1u);
}

}  // namespace
