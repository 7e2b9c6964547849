// How component records are ordered and when two of them name the same part.
//
// Texts are compared up to their first NUL byte, as unsigned bytes; the shorter of two texts
// that agree up to its end orders first. Numbers are compared by value.
#ifndef CIRVANE_SYNC_RECORD_COMPARE_H_
#define CIRVANE_SYNC_RECORD_COMPARE_H_

#include <array>
#include <cstddef>

#include "sync/component_records.h"

// The sign of a - b: -1, +1, or 0 when equal, when either is a NaN, or for the same infinity.
inline int CompareFloats(float a, float b) {
  if (a < b) return -1;
  if (a > b) return 1;
  return 0;
}

// Text comparisons, negative, zero or positive: exact bytes, or with A-Z folded to a-z.
int CompareTextsExact(const char* a, const char* b);
int CompareTextsNoCase(const char* a, const char* b);

// Records ordered by value first, then by name. Each returns the first non-zero comparison of:
// capacitance, voltage_rating, current_rating, esr, extra_value, then technology, manufacturer,
// part_number ignoring case (so records differing only in letter case are equal);
int CompareCapacitorRecs(const CCapacitorRec& a, const CCapacitorRec& b);
// inductance, current_rating, series_resistance, parallel_resistance, parallel_capacitance,
// then manufacturer, part_number exactly;
int CompareInductorRecs(const CInductorRec& a, const CInductorRec& b);
// resistance, power_rating, tolerance, then manufacturer, part_number exactly.
int CompareResistorRecs(const CResistorRec& a, const CResistorRec& b);

// The two halves of each order, for sorts that keep the numbers beside the record references:
// the numbers compared first, in order, and the comparison of the texts that decides between
// records whose numbers compare equal. CompareCapacitorRecs(a, b) is
// CompareSortNumbers(SortNumbers(a), SortNumbers(b)), or CompareNames(a, b) when that is 0.
std::array<float, 5> SortNumbers(const CCapacitorRec& record);
std::array<float, 5> SortNumbers(const CInductorRec& record);
std::array<float, 3> SortNumbers(const CResistorRec& record);
int CompareNames(const CCapacitorRec& a, const CCapacitorRec& b);
int CompareNames(const CInductorRec& a, const CInductorRec& b);
int CompareNames(const CResistorRec& a, const CResistorRec& b);

template <size_t N>
int CompareSortNumbers(const std::array<float, N>& a, const std::array<float, N>& b) {
  for (size_t i = 0; i < N; ++i) {
    if (int c = CompareFloats(a[i], b[i])) return c;
  }
  return 0;
}

// The comparison of each kind under one name, for code written once for all kinds.
inline int CompareRecs(const CCapacitorRec& a, const CCapacitorRec& b) {
  return CompareCapacitorRecs(a, b);
}
inline int CompareRecs(const CInductorRec& a, const CInductorRec& b) {
  return CompareInductorRecs(a, b);
}
inline int CompareRecs(const CResistorRec& a, const CResistorRec& b) {
  return CompareResistorRecs(a, b);
}

// 1 when both texts are non-empty and equal ignoring ASCII case: half of a part's key.
int SameKeyText(const char* a, const char* b);
// 1 when `text` is null or empty.
int IsBlankText(const char* text);

// 1 when `user` clashes with `shipped`: a shipped record replaces a user record with the same
// manufacturer and part number (SameKeyText on both).
template <class Rec>
int HaveSameKey(const Rec& user, const Rec& shipped) {
  return SameKeyText(user.manufacturer.c_str(), shipped.manufacturer.c_str()) &&
         SameKeyText(user.part_number.c_str(), shipped.part_number.c_str());
}

// Resistors clash in one more way: a user record with neither manufacturer nor part number is
// replaced by a shipped record with exactly its three numbers (float equality; a NaN equals
// nothing), whatever the shipped record's texts.
int IsBlankResistorMatch(const CResistorRec& user, const CResistorRec& shipped);

#endif  // CIRVANE_SYNC_RECORD_COMPARE_H_
