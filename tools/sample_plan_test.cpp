#include "tools/sample_plan.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "tools/drawings.h"

namespace {

// Bytes of the sample by path.
std::map<std::string, std::string> MakeSample() {
  std::map<std::string, std::string> files;
  for (const PlannedFile& f : PlanSampleProduct()) files[f.path] = MakeFileContent(f);
  return files;
}

// Length of the gzip member that level 6 makes of `bytes`, as the installer's build stores it.
size_t GzipSize(const std::string& bytes) {
  z_stream z{};
  constexpr int kGzipWindowBits = 31;
  constexpr int kMemLevel = 8;
  deflateInit2(&z, 6, Z_DEFLATED, kGzipWindowBits, kMemLevel, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, bytes.size()), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  z.avail_in = static_cast<uInt>(bytes.size());
  z.next_out = reinterpret_cast<Bytef*>(&out[0]);
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  size_t size = z.total_out;
  deflateEnd(&z);
  return size;
}

TEST(SamplePlan, HoldsEveryPartOfTheProduct) {
  std::map<std::string, std::string> files = MakeSample();
  for (const char* path :
       {"qsim3.exe", "Changelog.txt", "License.txt", "CirvaneHelp.chm", "moveexe.exe", "unlink.exe",
        "lib/cmp/standard.bjt", "lib/cmp/standard.dio", "lib/cmp/standard.jft",
        "lib/cmp/standard.mos", "lib/cmp/standard.cap", "lib/cmp/standard.res",
        "lib/cmp/standard.ind", "lib/cmp/standard.bead"}) {
    EXPECT_EQ(files.count(path), 1u) << path;
  }
  std::map<std::string, int> byFolderAndType;
  std::set<std::string> lowerPaths;
  std::set<size_t> sizes;
  for (const auto& [path, bytes] : files) {
    std::string folder = path.substr(0, path.rfind('/') + 1);
    byFolderAndType[folder + "*" + path.substr(path.rfind('.'))] += 1;
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    EXPECT_TRUE(lowerPaths.insert(lower).second) << "two paths equal ignoring case: " << path;
    EXPECT_FALSE(bytes.empty()) << path;
    sizes.insert(bytes.size());
  }
  for (const char* group : {"examples/Educational/*.asc", "examples/Educational/*.wav",
                            "examples/jigs/*.asc", "lib/sym/*.asy", "lib/sym/Opamps/*.asy",
                            "lib/sym/Comparators/*.asy", "lib/sub/*.sub", "lib/sub/*.lib"}) {
    EXPECT_GE(byFolderAndType[group], 1) << group;
  }
  EXPECT_EQ(sizes.count(1024), 1u) << "the largest file stored plain";
  EXPECT_EQ(sizes.count(1025), 1u) << "the smallest file stored compressed";
}

TEST(SamplePlan, NoiseAndEncryptedModelsDoNotCompress) {
  std::map<std::string, std::string> files = MakeSample();
  const std::string& wave = files["examples/Educational/noise.wav"];
  EXPECT_GT(GzipSize(wave), wave.size());
  EXPECT_GT(GzipSize(files["lib/sub/KLT3301.sub"]), files["lib/sub/KLT3301.sub"].size());
  EXPECT_LT(GzipSize(files["lib/cmp/standard.mos"]), files["lib/cmp/standard.mos"].size() / 2);
}

TEST(SamplePlan, ReadOnlyListNamesTheSixSmallBasicSymbols) {
  std::map<std::string, std::string> files = MakeSample();
  std::ifstream list(CIRVANE_SAMPLE_READONLY_LIST, std::ios::binary);
  ASSERT_TRUE(list) << CIRVANE_SAMPLE_READONLY_LIST;
  std::set<std::string> listed;
  for (std::string line; std::getline(list, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ASSERT_EQ(line.rfind(".\\lib\\sym\\", 0), 0u) << line;
    std::string path = line.substr(2);
    std::replace(path.begin(), path.end(), '\\', '/');
    listed.insert(path);
    ASSERT_EQ(files.count(path), 1u) << "listed but not in the sample: " << line;
    const std::string& symbol = files[path];
    EXPECT_GE(symbol.size(), 353u) << path;
    EXPECT_LE(symbol.size(), 503u) << path;
    EXPECT_EQ(symbol.rfind("Version 4\r\nSymbolType CELL\r\n", 0), 0u) << path;
    EXPECT_NE(symbol.find("\r\nPINATTR SpiceOrder 2\r\n"), std::string::npos) << path;
  }
  std::set<std::string> expected;
  for (const char* name : kReadOnlySymbols)
    expected.insert(std::string("lib/sym/") + name + ".asy");
  EXPECT_EQ(listed, expected);
}

TEST(SamplePlan, GivenSimulatorReplacesOnlyTheStandIn) {
  ContentFunction withStub = SampleContentWith("MZ stub bytes");
  ContentFunction withoutStub = SampleContentWith("");
  for (const PlannedFile& f : PlanSampleProduct()) {
    if (f.path == kSimulatorPath) {
      EXPECT_EQ(withStub(f), "MZ stub bytes");
      EXPECT_EQ(withoutStub(f), MakeFileContent(f));
    } else {
      EXPECT_EQ(withStub(f), MakeFileContent(f)) << f.path;
    }
  }
}

}  // namespace
