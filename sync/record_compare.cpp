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

int CompareFloats(float a, float b) {
  if (a < b) return -1;
  if (a > b) return 1;
  return 0;
}

int CompareTextsExact(const char* a, const char* b) { return CompareTexts(a, b, Same); }

int CompareTextsNoCase(const char* a, const char* b) { return CompareTexts(a, b, FoldCase); }

int CompareCapacitorRecs(const CCapacitorRec& a, const CCapacitorRec& b) {
  if (int c = CompareFloats(a.capacitance, b.capacitance)) return c;
  if (int c = CompareFloats(a.voltage_rating, b.voltage_rating)) return c;
  if (int c = CompareFloats(a.current_rating, b.current_rating)) return c;
  if (int c = CompareFloats(a.esr, b.esr)) return c;
  if (int c = CompareFloats(a.extra_value, b.extra_value)) return c;
  if (int c = CompareTextsNoCase(a.technology.c_str(), b.technology.c_str())) return c;
  if (int c = CompareTextsNoCase(a.manufacturer.c_str(), b.manufacturer.c_str())) return c;
  return CompareTextsNoCase(a.part_number.c_str(), b.part_number.c_str());
}

int CompareInductorRecs(const CInductorRec& a, const CInductorRec& b) {
  if (int c = CompareFloats(a.inductance, b.inductance)) return c;
  if (int c = CompareFloats(a.current_rating, b.current_rating)) return c;
  if (int c = CompareFloats(a.series_resistance, b.series_resistance)) return c;
  if (int c = CompareFloats(a.parallel_resistance, b.parallel_resistance)) return c;
  if (int c = CompareFloats(a.parallel_capacitance, b.parallel_capacitance)) return c;
  if (int c = CompareTextsExact(a.manufacturer.c_str(), b.manufacturer.c_str())) return c;
  return CompareTextsExact(a.part_number.c_str(), b.part_number.c_str());
}

int CompareResistorRecs(const CResistorRec& a, const CResistorRec& b) {
  if (int c = CompareFloats(a.resistance, b.resistance)) return c;
  if (int c = CompareFloats(a.power_rating, b.power_rating)) return c;
  if (int c = CompareFloats(a.tolerance, b.tolerance)) return c;
  if (int c = CompareTextsExact(a.manufacturer.c_str(), b.manufacturer.c_str())) return c;
  return CompareTextsExact(a.part_number.c_str(), b.part_number.c_str());
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
