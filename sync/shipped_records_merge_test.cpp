// The indexed merge against the plain walk it replaces, and the orders the merge sorts by.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <numeric>
#include <random>
#include <type_traits>

#include "sync/archive_test_support.h"
#include "sync/component_docs.h"
#include "sync/record_compare.h"

namespace {

using archive_test::Capacitor;
using archive_test::Fill;
using archive_test::MergeByPlainWalk;
using archive_test::Resistor;

// A record drawn from small pools, so that keys, blank texts, equal numbers, NaNs, signed zeros
// and NUL bytes meet often.
template <class Rec>
std::unique_ptr<Rec> RandomRecord(std::mt19937& random) {
  static const char* const kTexts[] = {
      "",   "",   "Velmor", "VELMOR", "WE eiSos", "Wurth Elektronik",
      "P1", "p1", "X-10",   "x-10",   "X7R",      "x7r"};
  static const float kNumbers[] = {0.0f,    -0.0f, 1.0f,
                                   2.2e-6f, 47.0f, std::numeric_limits<float>::quiet_NaN()};
  auto below = [&](size_t bound) {
    return std::uniform_int_distribution<size_t>(0, bound - 1)(random);
  };
  auto text = [&] {
    return kTexts[below(std::size(kTexts))] + std::string("\0tail", below(12) ? 0 : 5);
  };
  auto number = [&] { return kNumbers[below(std::size(kNumbers))]; };
  auto record = std::make_unique<Rec>();
  record->manufacturer = text();
  record->part_number = text();
  if constexpr (std::is_same_v<Rec, CCapacitorRec>) {
    record->technology = text();
    record->capacitance = number();
    record->voltage_rating = number();
    record->slot5 = static_cast<uint32_t>(below(3));
  } else if constexpr (std::is_same_v<Rec, CInductorRec>) {
    record->inductance = number();
    record->series_resistance = number();
  } else {
    record->resistance = number();
    record->power_rating = number();
    record->tolerance = number();
  }
  return record;
}

// Random pairs merged by the index and by the plain walk, both from the same bytes; the
// encoded results hold every field and the order, bit for bit.
template <class Doc>
void ExpectIndexAgreesWithPlainWalk(uint32_t seed) {
  std::mt19937 random(seed);
  for (int pair = 0; pair < 1500; ++pair) {
    Doc made[2];  // the user's, and the shipped one with at least one record
    for (size_t d = 0; d < 2; ++d) {
      for (size_t i = 0, count = d + random() % 40; i < count; ++i) {
        made[d].records.push_back(RandomRecord<typename Doc::Record>(random));
      }
    }
    Doc user, shipped, plainUser, plainShipped;
    user.LoadFromBytes(made[0].SaveToBytes());
    plainUser.LoadFromBytes(made[0].SaveToBytes());
    shipped.LoadFromBytes(made[1].SaveToBytes());
    plainShipped.LoadFromBytes(made[1].SaveToBytes());
    user.MergeShippedRecords(shipped);
    MergeByPlainWalk(plainUser.records, plainShipped.records);
    EXPECT_TRUE(shipped.records.empty());
    ASSERT_EQ(user.SaveToBytes(), plainUser.SaveToBytes())
        << "pair " << pair << " of seed " << seed;
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
  std::iota(inOrder.begin(), inOrder.end(), 0);
  EXPECT_EQ(inOrder, order);
}

// Capacitor texts compare ignoring case ("a" before "B"), the others exactly ("B" before "a").
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
