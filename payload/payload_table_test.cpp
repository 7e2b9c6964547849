// The fixture table (testdata/tree and testdata/readonly.txt) as payloadgen generated it and the
// toolchain linked it, on each target.
#include <gtest/gtest.h>

#include <string>

#include "payload/payload.h"

namespace {

// The fixture tree in table order, one "path read-only size" line per entry: ignoring case,
// ".\lib\" comes before ".\License.txt" and "opamp_1" before "OpAmps".
constexpr char kFixtureListing[] = R"(.\Changelog.txt 0 2690
.\examples\astable.asc 0 1300
.\examples\BandGaps.asc 0 1024
.\examples\Educational\diode_iv.asc 0 1025
.\examples\Educational\Noise Source.wav 0 2048
.\lib\cmp\standard.bjt 0 2412
.\lib\cmp\standard.res 0 791
.\lib\sub\opamp_1.sub 0 1941
.\lib\sub\OpAmps.lib 0 2880
.\lib\sym\cap.asy 1 320
.\lib\sym\Opamps\opamp2.asy 0 680
.\lib\sym\Zener.asy 1 369
.\License.txt 0 3000
)";

TEST(PayloadTableTest, HoldsTheFixtureInCaseBlindOrder) {
  std::string listing;
  for (const PayloadEntry* entry : payloadIndex) {
    listing += std::string(entry->path) + " " + std::to_string(entry->readOnly) + " " +
               std::to_string(entry->size) + "\n";
    EXPECT_EQ(entry->packedSize != 0, entry->size > kMaxPlainSize) << entry->path;
  }
  EXPECT_EQ(kFixtureListing, listing);
  EXPECT_STREQ(".\\examples\\Educational\\Noise Source.wav", payloadLongestPath);
}

}  // namespace
