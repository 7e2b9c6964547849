// The indexed merge against the plain walk it replaces, and the orders the merge sorts by.
#include <gtest/gtest.h>

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
using archive_test::Inductor;
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

// Each record as "maker/part" and, for resistors, its power rating and tolerance.
std::string Label(const CCapacitorRec& r) { return r.manufacturer + "/" + r.part_number; }
std::string Label(const CInductorRec& r) { return r.manufacturer + "/" + r.part_number; }
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

// The merge rules on small cases, with the result written out: keys ignore case for every
// kind; the order is by value, then by name, ignoring case for capacitors only; of equal
// neighbours the last stays; a later shipped record beats an earlier one of the same key; a
// blank user resistor gives way to a shipped one with exactly its three numbers.
TEST(ShippedRecordsMergeTest, RulesGiveTheseRecordsInThisOrder) {
  CResistorDoc userR, shippedR;
  Fill(userR, Resistor("Velmor", "VZ-100", 100.0f), Resistor("Mine", "m-1", 47.0f, 0.5f),
       Resistor("mine", "M-1", 47.0f, 0.5f), Resistor("", "", 47.0f, 0.25f, 0.01f),
       Resistor("", "", 47.0f, 0.25f, 0.05f), Resistor("", "", 10.0f, 0.5f, 0.01f),
       Resistor("", "", 10.0f, 0.25f, 0.05f));
  Fill(shippedR, Resistor("VELMOR", "vz-100", 100.0f, 0.5f),
       Resistor("Kelvra", "K47", 47.0f, 0.25f, 0.01f), Resistor("Kelvra", "K10", 10.0f, 0.1f),
       Resistor("kelvra", "k10", 10.0f, 0.2f));
  EXPECT_EQ(
      Merged(userR, shippedR),
      (Labels{"kelvra/k10 0.2 0.01", "/ 0.25 0.05", "/ 0.5 0.01", "Kelvra/K47 0.25 0.01",
              "/ 0.25 0.05", "Mine/m-1 0.5 0.01", "mine/M-1 0.5 0.01", "VELMOR/vz-100 0.5 0.01"}));

  CCapacitorDoc userC, shippedC;
  Fill(userC, Capacitor("Zeta", "Z1", 2.2e-6f, "X5R"), Capacitor("Alpha", "A1", 2.2e-6f, "X7R"),
       Capacitor("Mine", "C1", 1e-6f, "X7R"), Capacitor("MINE", "c1", 1e-6f, "x7r"),
       Capacitor("Ex", "E1", 4.7e-6f), Capacitor("Ex", "E2", 4.7e-6f),
       Capacitor("Alvanta", "AC-1", 1e-7f));
  userC.records[4]->extra_value = 1.0f;
  Fill(shippedC, Capacitor("ALVANTA", "ac-1", 3.3e-6f));
  EXPECT_EQ(Merged(userC, shippedC),
            (Labels{"Mine/C1", "Zeta/Z1", "Alpha/A1", "ALVANTA/ac-1", "Ex/E2", "Ex/E1"}));

  CInductorDoc userL, shippedL;
  Fill(userL, Inductor("A", "S2", 2e-6f), Inductor("A", "S1", 2e-6f),
       Inductor("kelvra", "L", 1e-6f), Inductor("Kelvra", "L", 1e-6f),
       Inductor("\xE9lan", "L", 1e-6f));
  userL.records[0]->series_resistance = 2.0f;
  userL.records[0]->parallel_resistance = 1.0f;
  userL.records[1]->series_resistance = 1.0f;
  userL.records[1]->parallel_resistance = 9.0f;
  Fill(shippedL, Inductor("Wurth Elektronik", "W1", 3e-6f));
  EXPECT_EQ(Merged(userL, shippedL),
            (Labels{"Kelvra/L", "kelvra/L", "\xE9lan/L", "A/S1", "A/S2", "Wurth Elektronik/W1"}));

  EXPECT_EQ(CompareFloats(std::numeric_limits<float>::quiet_NaN(), 1.0f), 0);
  EXPECT_EQ(CompareTextsNoCase("[", "{"), '[' - '{') << "only letters fold";
}

}  // namespace
