// The indexed merge against the plain walk it replaces, and the orders the merge sorts by.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <type_traits>

#include "sync/archive_test_support.h"
#include "sync/component_docs.h"
#include "sync/record_compare.h"
#include "sync/record_heap_sort.h"

namespace {

using archive_test::Capacitor;
using archive_test::Encode;
using archive_test::MergeByPlainWalk;
using archive_test::Records;

// Draws records from small pools, so that keys, blank texts, equal numbers, NaNs, signed zeros
// and NUL bytes meet often.
class CRecordMaker {
 public:
  explicit CRecordMaker(uint32_t seed) : m_random(seed) {}

  std::string Text(bool maker) {
    static const char* const kMakers[] = {"",       "",         "Velmor",          "VELMOR",
                                          "Kelvra", "WE eiSos", "Wurth Elektronik"};
    static const char* const kParts[] = {"", "", "P1", "p1", "P2", "X-10", "x-10"};
    std::string text =
        maker ? kMakers[Below(std::size(kMakers))] : kParts[Below(std::size(kParts))];
    if (Below(12) == 0) text += std::string("\0tail", 5);
    return text;
  }

  float Number() {
    static const float kNumbers[] = {0.0f,
                                     -0.0f,
                                     1.0f,
                                     2.2e-6f,
                                     10.0f,
                                     47.0f,
                                     std::numeric_limits<float>::quiet_NaN(),
                                     std::numeric_limits<float>::infinity()};
    return kNumbers[Below(std::size(kNumbers))];
  }

  template <class Rec>
  std::unique_ptr<Rec> Make() {
    auto record = std::make_unique<Rec>();
    record->manufacturer = Text(true);
    record->part_number = Text(false);
    if constexpr (std::is_same_v<Rec, CCapacitorRec>) {
      record->technology = Below(2) ? "X7R" : "x7r";
      record->capacitance = Number();
      record->voltage_rating = Number();
      record->slot5 = Below(3);
    } else if constexpr (std::is_same_v<Rec, CInductorRec>) {
      record->inductance = Number();
      record->series_resistance = Number();
    } else {
      record->resistance = Number();
      record->power_rating = Number();
      record->tolerance = Below(2) ? 0.01f : 0.05f;
    }
    return record;
  }

  size_t Below(size_t bound) {
    return std::uniform_int_distribution<size_t>(0, bound - 1)(m_random);
  }

 private:
  std::mt19937 m_random;
};

template <class Rec>
Records<Rec> Copy(const Records<Rec>& records) {
  Records<Rec> copy;
  for (const std::unique_ptr<Rec>& record : records) copy.push_back(std::make_unique<Rec>(*record));
  return copy;
}

template <class Doc>
void ExpectIndexAgreesWithPlainWalk(uint32_t seed) {
  using Rec = typename Doc::Record;
  CRecordMaker maker(seed);
  for (int pair = 0; pair < 1500; ++pair) {
    Doc user, shipped;
    const size_t userCount = maker.Below(40), shippedCount = 1 + maker.Below(40);
    for (size_t i = 0; i < userCount; ++i) user.records.push_back(maker.Make<Rec>());
    for (size_t i = 0; i < shippedCount; ++i) shipped.records.push_back(maker.Make<Rec>());
    Doc plainUser, plainShipped;
    plainUser.records = Copy(user.records);
    plainShipped.records = Copy(shipped.records);

    user.MergeShippedRecords(shipped);
    MergeByPlainWalk(plainUser.records, plainShipped.records);

    EXPECT_TRUE(shipped.records.empty());
    // The encoded documents hold every field and the order, bit for bit.
    ASSERT_EQ(Encode(user), Encode(plainUser)) << "pair " << pair << " of seed " << seed;
  }
}

TEST(ShippedRecordsMergeTest, IndexGivesTheResultOfThePlainWalk) {
  ExpectIndexAgreesWithPlainWalk<CResistorDoc>(1);
  ExpectIndexAgreesWithPlainWalk<CInductorDoc>(2);
  ExpectIndexAgreesWithPlainWalk<CCapacitorDoc>(3);
}

TEST(ShippedRecordsMergeTest, ComparisonsOrderByValueThenName) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float infinity = std::numeric_limits<float>::infinity();
  EXPECT_EQ(CompareFloats(1.0f, 2.0f), -1);
  EXPECT_EQ(CompareFloats(nan, 1.0f), 0);
  EXPECT_EQ(CompareFloats(infinity, infinity), 0);
  EXPECT_EQ(CompareFloats(-0.0f, 0.0f), 0);

  EXPECT_LT(CompareTextsNoCase("abc", "ABD"), 0);
  EXPECT_EQ(CompareTextsNoCase("Velmor", "vELMOR"), 0);
  EXPECT_LT(CompareTextsExact("Velmor", "velmor"), 0);
  EXPECT_LT(CompareTextsExact("ab", "abc"), 0);
  EXPECT_GT(CompareTextsExact("\xE9", "z"), 0) << "bytes compare unsigned";
  EXPECT_EQ(CompareTextsNoCase("[", "{"), '[' - '{') << "only letters fold";

  EXPECT_TRUE(SameKeyText("WE", "we"));
  EXPECT_FALSE(SameKeyText("", ""));
  EXPECT_TRUE(IsBlankText(nullptr));

  auto small = Capacitor("Zeta", "Z", 1e-6f);
  auto large = Capacitor("Alpha", "A", 4.7e-6f);
  EXPECT_LT(CompareCapacitorRecs(*small, *large), 0);
  auto upper = Capacitor("ZETA", "z", 1e-6f, "x7r");
  EXPECT_EQ(CompareCapacitorRecs(*small, *upper), 0);
}

}  // namespace
