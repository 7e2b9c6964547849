#include "tools/product_plan.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct KindCase {
  const char* path;
  FileKind kind;
  uint32_t percent;
  const char* begins;   // what the content starts with
  const char* ends;     // what it ends with, or empty
  uint32_t formatFrom;  // the smallest size that holds the format's fixed lines
};

const KindCase kCases[] = {
    {"qsim3.exe", FileKind::kProgram, 30, "Cirvane IV stand-in for qsim3.exe", "", 0},
    {"CirvaneHelp.chm", FileKind::kHelpFile, 50, "Cirvane IV help archive", "", 0},
    {"Changelog.txt", FileKind::kChangelog, 0, "Cirvane IV change log\r\n", "\r\n", 0},
    {"examples/ReadMe.txt", FileKind::kNote, 0, "ReadMe\r\n", "\r\n", 0},
    {"examples/Wurth/a.plt", FileKind::kPlot, 0, "; waveform", "\r\n", 0},
    {"examples/jigs/s.vector", FileKind::kVector, 0, "; time", "\r\n", 0},
    {"examples/noise.wav", FileKind::kWave, 16, "RIFF", "", 0},
    {"examples/jigs/x.asc", FileKind::kSchematic, 0, "Version 4\r\nSHEET 1 ", "\r\n", 0},
    {"lib/sym/Opamps/VRA1.asy", FileKind::kSymbol, 0, "Version 4\r\nSymbolType CELL\r\n", "\r\n",
     0},
    {"lib/sym/Misc/VRM1.asy", FileKind::kSymbol, 0, "Version 4\r\nSymbolType CELL\r\n", "\r\n", 0},
    {"lib/sub/VRA1.sub", FileKind::kSubcircuit, 0, ".subckt VRA1 ", ".ends VRA1\r\n", 0},
    {"lib/sub/KLP1.sub", FileKind::kEncryptedSubcircuit, 0, "* KLP1 encrypted", "", 0},
    {"lib/sub/Misc.lib", FileKind::kNetlistLibrary, 0, "* Misc ", "\r\n", 0},
    {"lib/cmp/standard.jft", FileKind::kModelLibrary, 0, "* Copyright", "\r\n", 400},
    // A component archive starts with its record count; archive_content_test.cpp reads it.
    {"lib/cmp/standard.ind", FileKind::kArchive, 0, "", "", 0},
};

const uint32_t kSizes[] = {161, 400, 1024, 1025, 7777};

TEST(ProductPlan, EveryKindMakesThePlannedSizeInItsFormat) {
  for (const KindCase& c : kCases) {
    for (uint32_t size : kSizes) {
      std::string text = MakeFileContent(PlanFile(c.path, c.kind, size, c.percent));
      ASSERT_EQ(text.size(), size) << c.path;
      if (size < c.formatFrom) continue;
      std::string begins = c.begins;
      EXPECT_NE(text.find(begins), std::string::npos) << c.path << " at " << size;
      if (c.kind != FileKind::kSubcircuit) {
        EXPECT_EQ(text.compare(0, begins.size(), begins), 0) << c.path << " at " << size;
      }
      std::string ends = c.ends;
      EXPECT_EQ(text.compare(size - ends.size(), ends.size(), ends), 0) << c.path << " at " << size;
    }
  }
}

TEST(ProductPlan, ContentDependsOnThePathsSeed) {
  PlannedFile a = PlanFile("examples/jigs/a.asc", FileKind::kSchematic, 3000);
  PlannedFile b = PlanFile("examples/jigs/b.asc", FileKind::kSchematic, 3000);
  EXPECT_NE(MakeFileContent(a), MakeFileContent(b));
}

TEST(ProductPlan, WaveHeaderDescribesTheFile) {
  std::string wave = MakeFileContent(PlanFile("n.wav", FileKind::kWave, 1000, 16));
  auto le32 = [&wave](size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(wave[at + i]);
    return v;
  };
  EXPECT_EQ(wave.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(le32(4), 1000u - 8) << "RIFF length";
  EXPECT_EQ(wave.substr(36, 4), "data");
  EXPECT_EQ(le32(40), 1000u - 44) << "data length";
}

}  // namespace
