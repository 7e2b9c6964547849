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

  std::map<std::string, size_t> folders;  // every folder counts the files below it
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
    if (f.path.find('/') == std::string::npos) folders["."] += 1;
    for (size_t at = 0; (at = f.path.find('/', at)) != std::string::npos; ++at) {
      folders["./" + f.path.substr(0, at)] += 1;
    }
  }
  const std::map<std::string, size_t> kFolders = {
      {".", 6},
      {"./examples/Educational", 85},
      {"./examples/Educational/PAsystem", 20},
      {"./examples/Educational/contrib", 3},
      {"./examples/Wurth", 9},
      {"./examples/jigs", 1422},
      {"./lib/cmp", 8},
      {"./lib/sub", 858},
      {"./lib/sym", 1533},
      {"./lib/sym/Comparators", 110},
      {"./lib/sym/Opamps", 640},
      {"./lib/sym/PowerProducts", 380},
  };
  for (const auto& [folder, count] : kFolders) EXPECT_EQ(folders[folder], count) << folder;
  size_t symFolders = 0, symDirect = folders["./lib/sym"];
  for (const auto& [folder, count] : folders) {
    if (folder.rfind("./lib/sym/", 0) == 0) {
      ++symFolders;
      symDirect -= count;
    }
  }
  EXPECT_EQ(symFolders, 9u);
  EXPECT_EQ(symDirect, 49u);

  const std::map<std::string, size_t> kTypes = {
      {"asy", 1546}, {"asc", 1492}, {"sub", 812},  {"lib", 47}, {"txt", 5},  {"plt", 4}, {"exe", 3},
      {"chm", 1},    {"wav", 1},    {"vector", 1}, {"mod", 1},  {"bjt", 1},  {"dio", 1}, {"jft", 1},
      {"mos", 1},    {"cap", 1},    {"res", 1},    {"ind", 1},  {"bead", 1},
  };
  EXPECT_EQ(types, kTypes);
  EXPECT_EQ(encrypted, 721u);
  EXPECT_EQ(sizeOf["qsim3.exe"], kSimulatorSize);
  EXPECT_EQ(sizeOf["CirvaneHelp.chm"], kHelpFileSize);
  EXPECT_EQ(sizeOf["moveexe.exe"], 45056u);
  EXPECT_EQ(sizeOf["unlink.exe"], 49152u);
  EXPECT_GT(sizeOf["Changelog.txt"], 20000u) << "the change log takes up the remainder";
}

TEST(FullScalePlan, ContentMatchesThePlanAndTheFileTypes) {
  const std::vector<PlannedFile> plan = PlanFullScaleProduct();
  std::set<uint32_t> sizes;
  for (const PlannedFile& f : plan) {
    std::string bytes = MakeFileContent(f);
    ASSERT_EQ(bytes.size(), f.size) << f.path;
    sizes.insert(f.size);
    std::string type = ExtensionOf(f.path);
    if (type == "asy") {
      EXPECT_EQ(bytes.rfind("Version 4\r\nSymbolType ", 0), 0u) << f.path;
    } else if (type == "asc") {
      EXPECT_EQ(bytes.rfind("Version 4\r\nSHEET ", 0), 0u) << f.path;
    }
  }
  EXPECT_EQ(sizes.count(1024), 1u);
  EXPECT_EQ(sizes.count(1025), 1u);
}

}  // namespace
