// Helpers for the component archive tests and fuzz targets: records made in one line, bytes
// written as hex pairs, and the merge done the slow, obvious way.
#ifndef CIRVANE_SYNC_ARCHIVE_TEST_SUPPORT_H_
#define CIRVANE_SYNC_ARCHIVE_TEST_SUPPORT_H_

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/files.h"
#include "sync/component_docs.h"
#include "sync/record_compare.h"
#include "sync/record_heap_sort.h"

namespace archive_test {

// "E1 01 FF FF" as bytes.
inline std::string Hex(const std::string& pairs) {
  std::string bytes;
  for (size_t i = 0; i + 1 < pairs.size(); i += 3) {
    bytes += static_cast<char>(std::stoi(pairs.substr(i, 2), nullptr, 16));
  }
  return bytes;
}

// Sets a float's bits without passing the value through a register, which could quiet a
// signalling NaN on x87.
inline void SetBits(float& field, uint32_t bits) { std::memcpy(&field, &bits, sizeof field); }

inline std::unique_ptr<CResistorRec> Resistor(const std::string& manufacturer,
                                              const std::string& partNumber, float resistance,
                                              float power = 0.25f, float tolerance = 0.01f) {
  auto record = std::make_unique<CResistorRec>();
  record->manufacturer = manufacturer;
  record->part_number = partNumber;
  record->resistance = resistance;
  record->power_rating = power;
  record->tolerance = tolerance;
  return record;
}

inline std::unique_ptr<CInductorRec> Inductor(const std::string& manufacturer,
                                              const std::string& partNumber, float inductance,
                                              float current = 1.0f) {
  auto record = std::make_unique<CInductorRec>();
  record->manufacturer = manufacturer;
  record->part_number = partNumber;
  record->inductance = inductance;
  record->current_rating = current;
  record->series_resistance = 0.05f;
  record->parallel_resistance = 2000.0f;
  record->parallel_capacitance = 2e-12f;
  return record;
}

inline std::unique_ptr<CCapacitorRec> Capacitor(const std::string& manufacturer,
                                                const std::string& partNumber, float capacitance,
                                                const std::string& technology = "X7R") {
  auto record = std::make_unique<CCapacitorRec>();
  record->manufacturer = manufacturer;
  record->part_number = partNumber;
  record->technology = technology;
  record->capacitance = capacitance;
  record->voltage_rating = 50.0f;
  record->esr = 0.01f;
  return record;
}

template <class Doc, class... Recs>
void Fill(Doc& doc, Recs... records) {
  (doc.records.push_back(std::move(records)), ...);
}

template <class Rec>
using Records = std::vector<std::unique_ptr<Rec>>;

template <class Rec>
bool Clashes(const Rec& user, const Rec& shipped) {
  if (HaveSameKey(user, shipped)) return true;
  if constexpr (std::is_same_v<Rec, CResistorRec>) return IsBlankResistorMatch(user, shipped);
  return false;
}

// The merge as first described: one walk over the whole document per shipped record, with
// deletions in place, then the same sort, then deletions of equal neighbours one by one.
template <class Rec>
void MergeByPlainWalk(Records<Rec>& user, Records<Rec>& shipped) {
  for (std::unique_ptr<Rec>& record : shipped) {
    user.erase(
        std::remove_if(user.begin(), user.end(),
                       [&](const std::unique_ptr<Rec>& mine) { return Clashes(*mine, *record); }),
        user.end());
    user.push_back(std::move(record));
  }
  shipped.clear();
  HeapSort(user, [](const std::unique_ptr<Rec>& a, const std::unique_ptr<Rec>& b) {
    return CompareRecs(*a, *b);
  });
  for (size_t i = user.size() < 2 ? 0 : user.size() - 1; i-- > 0;) {
    if (CompareRecs(*user[i], *user[i + 1]) == 0) {
      user.erase(user.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
}

}  // namespace archive_test

#endif  // CIRVANE_SYNC_ARCHIVE_TEST_SUPPORT_H_
