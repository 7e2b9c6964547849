// The indexed merge against the plain walk it replaces, and the orders the merge sorts by.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
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
using archive_test::Fill;
using archive_test::MergeByPlainWalk;
using archive_test::Records;
using archive_test::Resistor;

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

// Records ordered by every key of their kind, in its place: the pair for key k agrees on the
// keys before it, and the first record is the smaller in k but the greater in every key after
// it. Comparing the keys in another order, leaving one out, or comparing a text with the wrong
// case rule puts some pair the other way round. The user's file holds them in reverse order.
template <class Doc, class Rec, size_t F, size_t T>
void ExpectEveryKeyInItsPlace(const std::array<float Rec::*, F>& numbers,
                              const std::array<std::string Rec::*, T>& texts, const char* low,
                              const char* high) {
  Doc user, shipped;
  std::vector<const Rec*> expected;
  for (size_t key = 0; key < F + T; ++key) {
    for (bool first : {true, false}) {
      auto record = std::make_unique<Rec>();
      for (size_t i = 0; i < F + T; ++i) {
        const bool greater = i > key ? first : i == key && !first;
        if (i >= F) {
          record.get()->*texts[i - F] = greater ? high : low;
        } else {
          record.get()->*numbers[i] = i == 0 && key > 0 ? 10.0f * key : greater ? 2.0f : 1.0f;
        }
      }
      expected.push_back(record.get());
      user.records.insert(user.records.begin(), std::move(record));
    }
  }
  auto last = std::make_unique<Rec>();
  last.get()->*numbers[0] = 1000.0f;
  for (auto text : texts) last.get()->*text = "Shipped";
  expected.push_back(last.get());
  shipped.records.push_back(std::move(last));

  user.MergeShippedRecords(shipped);
  std::vector<size_t> order;
  for (const auto& record : user.records) {
    order.push_back(std::find(expected.begin(), expected.end(), record.get()) - expected.begin());
  }
  std::vector<size_t> inOrder(expected.size());
  for (size_t i = 0; i < inOrder.size(); ++i) inOrder[i] = i;
  EXPECT_EQ(inOrder, order);
}

// Capacitors compare their texts ignoring case ("a" before "B"), the others exactly ("B" before
// "a").
TEST(ShippedRecordsMergeTest, EveryKeyOrdersInItsPlace) {
  ExpectEveryKeyInItsPlace<CCapacitorDoc>(
      std::array{&CCapacitorRec::capacitance, &CCapacitorRec::voltage_rating,
                 &CCapacitorRec::current_rating, &CCapacitorRec::esr, &CCapacitorRec::extra_value},
      std::array{&CCapacitorRec::technology, &CCapacitorRec::manufacturer,
                 &CCapacitorRec::part_number},
      "a", "B");
  ExpectEveryKeyInItsPlace<CInductorDoc>(
      std::array{&CInductorRec::inductance, &CInductorRec::current_rating,
                 &CInductorRec::series_resistance, &CInductorRec::parallel_resistance,
                 &CInductorRec::parallel_capacitance},
      std::array{&CInductorRec::manufacturer, &CInductorRec::part_number}, "B", "a");
  ExpectEveryKeyInItsPlace<CResistorDoc>(
      std::array{&CResistorRec::resistance, &CResistorRec::power_rating, &CResistorRec::tolerance},
      std::array{&CResistorRec::manufacturer, &CResistorRec::part_number}, "B", "a");
  EXPECT_EQ(CompareFloats(std::numeric_limits<float>::quiet_NaN(), 1.0f), 0);
  EXPECT_GT(CompareTextsExact("\xE9", "z"), 0) << "bytes compare unsigned";
  EXPECT_EQ(CompareTextsNoCase("[", "{"), '[' - '{') << "only letters fold";
}

// Each record as "maker/part", and for resistors its power rating and tolerance.
std::string Label(const CCapacitorRec& r) { return r.manufacturer + "/" + r.part_number; }
std::string Label(const CResistorRec& r) {
  char numbers[32];
  std::snprintf(numbers, sizeof numbers, " %g %g", r.power_rating, r.tolerance);
  return r.manufacturer + "/" + r.part_number + numbers;
}

template <class Doc>
std::vector<std::string> Merged(Doc& user, Doc& shipped) {
  user.MergeShippedRecords(shipped);
  std::vector<std::string> labels;
  for (const auto& record : user.records) labels.push_back(Label(*record));
  return labels;
}

using Labels = std::vector<std::string>;

// Keys ignore case for every kind; a later shipped record beats an earlier one of the same key;
// a blank user resistor gives way to a shipped one with exactly its three numbers; of equal
// neighbours the last stays.
TEST(ShippedRecordsMergeTest, ShippedRecordsReplaceTheUsersOfTheirKey) {
  CResistorDoc userR, shippedR;
  Fill(userR, Resistor("Velmor", "VZ-100", 100.0f), Resistor("Mine", "m-1", 47.0f, 0.5f),
       Resistor("mine", "M-1", 47.0f, 0.5f), Resistor("", "", 47.0f, 0.25f, 0.01f),
       Resistor("", "", 47.0f, 0.25f, 0.05f), Resistor("", "", 10.0f, 0.5f, 0.01f));
  Fill(shippedR, Resistor("VELMOR", "vz-100", 100.0f, 0.5f),
       Resistor("Kelvra", "K47", 47.0f, 0.25f, 0.01f), Resistor("Kelvra", "K10", 10.0f, 0.1f),
       Resistor("kelvra", "k10", 10.0f, 0.2f));
  EXPECT_EQ(Merged(userR, shippedR),
            (Labels{"kelvra/k10 0.2 0.01", "/ 0.5 0.01", "Kelvra/K47 0.25 0.01", "/ 0.25 0.05",
                    "Mine/m-1 0.5 0.01", "mine/M-1 0.5 0.01", "VELMOR/vz-100 0.5 0.01"}));

  CCapacitorDoc userC, shippedC;
  Fill(userC, Capacitor("Mine", "C1", 1e-6f, "X7R"), Capacitor("MINE", "c1", 1e-6f, "x7r"),
       Capacitor("Alvanta", "AC-1", 1e-7f));
  Fill(shippedC, Capacitor("ALVANTA", "ac-1", 3.3e-6f));
  EXPECT_EQ(Merged(userC, shippedC), (Labels{"Mine/C1", "ALVANTA/ac-1"}));
}

}  // namespace
