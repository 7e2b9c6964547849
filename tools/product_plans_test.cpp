// The products every build and the benchmark install: what the installer's own tests and the
// end-to-end run rely on in the sample, and the real product's shape in the full-scale tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "sync/component_docs.h"
#include "tools/drawings.h"
#include "tools/fullscale_plan.h"
#include "tools/sample_plan.h"

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The sample carries the edge sizes of the payload (1024 bytes plain, 1025 compressed), exactly
// the six symbols of the committed read-only list, paths a Windows directory can hold side by
// side, and component archives the installer reads.
TEST(ProductPlans, SampleServesTheInstallersTests) {
  std::map<std::string, std::string> files;
  std::set<std::string> lowerPaths;
  std::set<size_t> sizes;
  for (const PlannedFile& f : PlanSampleProduct()) {
    files[f.path] = MakeFileContent(f);
    sizes.insert(files[f.path].size());
    EXPECT_TRUE(lowerPaths.insert(Lower(f.path)).second) << f.path;
  }
  EXPECT_EQ(1u, sizes.count(1024));
  EXPECT_EQ(1u, sizes.count(1025));
  EXPECT_EQ(0u, sizes.count(0));

  std::ifstream list(CIRVANE_SAMPLE_READONLY_LIST, std::ios::binary);
  std::set<std::string> listed;
  for (std::string line; std::getline(list, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string path = line.substr(2);
    std::replace(path.begin(), path.end(), '\\', '/');
    EXPECT_EQ(1u, files.count(path)) << "listed but not in the sample: " << line;
    listed.insert(path);
  }
  std::set<std::string> symbols;
  for (const char* name : kReadOnlySymbols) symbols.insert(std::string("lib/sym/") + name + ".asy");
  EXPECT_EQ(symbols, listed);

  CCapacitorDoc capacitors;
  CResistorDoc resistors;
  CInductorDoc inductors, beads;
  EXPECT_EQ(ArchiveFault::kNone, capacitors.LoadFromBytes(files["lib/cmp/standard.cap"]));
  EXPECT_EQ(ArchiveFault::kNone, resistors.LoadFromBytes(files["lib/cmp/standard.res"]));
  EXPECT_EQ(ArchiveFault::kNone, inductors.LoadFromBytes(files["lib/cmp/standard.ind"]));
  EXPECT_EQ(ArchiveFault::kNone, beads.LoadFromBytes(files["lib/cmp/standard.bead"]));
  EXPECT_FALSE(capacitors.records.empty() || resistors.records.empty() ||
               inductors.records.empty() || beads.records.empty());
}

// The benchmark's product has the real one's files, sizes and types.
TEST(ProductPlans, FullScaleHasTheShapeOfTheProduct) {
  const std::vector<PlannedFile> plan = PlanFullScaleProduct();
  ASSERT_EQ(kFullScaleFileCount, plan.size());
  EXPECT_EQ(kFullScaleBytes, PlannedBytes(plan));
  EXPECT_EQ(kFullScalePlainCount, CountPlannedAtMost(plan, 1024));
  std::map<std::string, size_t> types;
  for (const PlannedFile& f : plan) {
    types[f.path.substr(f.path.rfind('.') + 1)] += 1;
    ASSERT_EQ(f.size, MakeFileContent(f).size()) << f.path;
  }
  const std::map<std::string, size_t> kTypes = {
      {"asy", 1546}, {"asc", 1492}, {"sub", 812},  {"lib", 47}, {"txt", 5},  {"plt", 4}, {"exe", 3},
      {"chm", 1},    {"wav", 1},    {"vector", 1}, {"mod", 1},  {"bjt", 1},  {"dio", 1}, {"jft", 1},
      {"mos", 1},    {"cap", 1},    {"res", 1},    {"ind", 1},  {"bead", 1},
  };
  EXPECT_EQ(kTypes, types);
}

}  // namespace
