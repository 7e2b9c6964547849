#include "sync/record_compare.h"

namespace {

constexpr unsigned char kCaseDistance = 'a' - 'A';

unsigned char FoldCase(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + kCaseDistance) : c;
}

template <class Fold>
int CompareTexts(const char* a, const char* b, Fold fold) {
  const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
  const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
  for (;; ++x, ++y) {
    const int cx = fold(*x);
    const int cy = fold(*y);
    if (cx != cy || cx == 0) return cx - cy;
  }
}

unsigned char Same(unsigned char c) { return c; }

}  // namespace

int CompareTextsExact(const char* a, const char* b) { return CompareTexts(a, b, Same); }

int CompareTextsNoCase(const char* a, const char* b) { return CompareTexts(a, b, FoldCase); }

std::array<float, 5> SortNumbers(const CCapacitorRec& r) {
  return {r.capacitance, r.voltage_rating, r.current_rating, r.esr, r.extra_value};
}

std::array<float, 5> SortNumbers(const CInductorRec& r) {
  return {r.inductance, r.current_rating, r.series_resistance, r.parallel_resistance,
          r.parallel_capacitance};
}

std::array<float, 3> SortNumbers(const CResistorRec& r) {
  return {r.resistance, r.power_rating, r.tolerance};
}

int CompareNames(const CCapacitorRec& a, const CCapacitorRec& b) {
  if (int c = CompareTextsNoCase(a.technology.c_str(), b.technology.c_str())) return c;
  if (int c = CompareTextsNoCase(a.manufacturer.c_str(), b.manufacturer.c_str())) return c;
  return CompareTextsNoCase(a.part_number.c_str(), b.part_number.c_str());
}

int CompareNames(const CInductorRec& a, const CInductorRec& b) {
  if (int c = CompareTextsExact(a.manufacturer.c_str(), b.manufacturer.c_str())) return c;
  return CompareTextsExact(a.part_number.c_str(), b.part_number.c_str());
}

int CompareNames(const CResistorRec& a, const CResistorRec& b) {
  if (int c = CompareTextsExact(a.manufacturer.c_str(), b.manufacturer.c_str())) return c;
  return CompareTextsExact(a.part_number.c_str(), b.part_number.c_str());
}

namespace {

template <class Rec>
int CompareRecords(const Rec& a, const Rec& b) {
  if (int c = CompareSortNumbers(SortNumbers(a), SortNumbers(b))) return c;
  return CompareNames(a, b);
}

}  // namespace

int CompareCapacitorRecs(const CCapacitorRec& a, const CCapacitorRec& b) {
  return CompareRecords(a, b);
}

int CompareInductorRecs(const CInductorRec& a, const CInductorRec& b) {
  return CompareRecords(a, b);
}

int CompareResistorRecs(const CResistorRec& a, const CResistorRec& b) {
  return CompareRecords(a, b);
}

int SameKeyText(const char* a, const char* b) {
  return !IsBlankText(a) && !IsBlankText(b) && CompareTextsNoCase(a, b) == 0;
}

int IsBlankText(const char* text) { return !text || *text == '\0'; }

int IsBlankResistorMatch(const CResistorRec& user, const CResistorRec& shipped) {
  return IsBlankText(user.manufacturer.c_str()) && IsBlankText(user.part_number.c_str()) &&
         user.resistance == shipped.resistance && user.power_rating == shipped.power_rating &&
         user.tolerance == shipped.tolerance;
}
