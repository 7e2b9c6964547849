// The fixture table (testdata/tree and testdata/readonly.txt) as payloadgen generated it and the
// toolchain linked it, on each target.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "payload/member.h"
#include "payload/payload.h"

namespace {

struct ExpectedEntry {
  const char* path;
  int32_t readOnly;
  uint32_t size;
};

// The fixture tree in table order: ignoring case, ".\lib\" comes before ".\License.txt" and
// "opamp_1" before "OpAmps".
constexpr ExpectedEntry kFixture[] = {
    {".\\Changelog.txt", 0, 2690},
    {".\\examples\\astable.asc", 0, 1300},
    {".\\examples\\BandGaps.asc", 0, 1024},
    {".\\examples\\Educational\\diode_iv.asc", 0, 1025},
    {".\\examples\\Educational\\Noise Source.wav", 0, 2048},
    {".\\lib\\cmp\\standard.bjt", 0, 2412},
    {".\\lib\\cmp\\standard.res", 0, 791},
    {".\\lib\\sub\\opamp_1.sub", 0, 1941},
    {".\\lib\\sub\\OpAmps.lib", 0, 2880},
    {".\\lib\\sym\\cap.asy", 1, 320},
    {".\\lib\\sym\\Opamps\\opamp2.asy", 0, 680},
    {".\\lib\\sym\\Zener.asy", 1, 369},
    {".\\License.txt", 0, 3000},
};
constexpr size_t kFixtureSize = sizeof kFixture / sizeof kFixture[0];

class PayloadTableTest : public ::testing::Test {
 protected:
  std::vector<const PayloadEntry*> m_entries{payloadIndex.begin(), payloadIndex.end()};
};

TEST_F(PayloadTableTest, HoldsTheFixtureInCaseBlindOrder) {
  ASSERT_EQ(payloadIndex.size(), kFixtureSize);
  for (size_t i = 0; i < kFixtureSize; ++i) {
    const PayloadEntry& entry = *m_entries[i];
    EXPECT_STREQ(entry.path, kFixture[i].path) << "entry " << i;
    EXPECT_EQ(entry.readOnly, kFixture[i].readOnly) << entry.path;
    EXPECT_EQ(entry.size, kFixture[i].size) << entry.path;
    EXPECT_EQ(entry.packedSize != 0, entry.size > kMaxPlainSize) << entry.path;
  }
  EXPECT_STREQ(payloadLongestPath, kFixture[4].path) << "the longest path";
}

TEST_F(PayloadTableTest, StoredBytesFollowEachOtherInTheBlob) {
  for (size_t i = 1; i < m_entries.size(); ++i) {
    EXPECT_EQ(m_entries[i]->bytes, m_entries[i - 1]->bytes + StoredSize(*m_entries[i - 1]))
        << m_entries[i]->path;
  }
}

TEST_F(PayloadTableTest, EveryEntryInstallsToItsSizeWithItsTag) {
  for (const PayloadEntry* entry : m_entries) {
    std::vector<unsigned char> content;
    if (entry->packedSize == 0) {
      content.assign(entry->bytes, entry->bytes + entry->size);
    } else {
      ASSERT_EQ(InflateGzipMember(entry->bytes, entry->packedSize, &content), 1) << entry->path;
    }
    EXPECT_EQ(content.size(), entry->size) << entry->path;
    EXPECT_EQ(Crc32Of(content.data(), content.size()), entry->tag) << entry->path;
  }
  // Noise does not deflate, and is a member all the same.
  const PayloadEntry& noise = *m_entries[4];
  EXPECT_GT(noise.packedSize, noise.size) << noise.path;
}

}  // namespace
