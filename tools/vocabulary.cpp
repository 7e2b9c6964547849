#include "tools/vocabulary.h"

namespace {

constexpr int kMantissaDigits = 4;
constexpr int kMinSignificant = 2;
constexpr int kDecimalBase = 10;
constexpr int kSuffixStep = 3;
// Share of values written as 1.5E-14 rather than 15f.
constexpr uint32_t kSciPercent = 10;
constexpr int kSciHighestExp = -3;  // large values are always written with a suffix

// SPICE scale suffixes from 10^-15 to 10^9, in steps of 10^3.
constexpr int kLowestSuffixExp = -15;
constexpr const char* kSuffixes[] = {"f", "p", "n", "u", "m", "", "k", "Meg", "G"};
constexpr int kSuffixCount = sizeof(kSuffixes) / sizeof(kSuffixes[0]);

constexpr const char* kManufacturers[] = {
    "Norvelle", "Tessaron", "Kirrin", "Aldmark", "Heliotek", "Bravasemi",
    "Ostrel",   "Quenbury", "Sarnet", "Maravel", "Tinholt",  "Corvane",
};

constexpr uint32_t kPartDigitsLow = 100;
constexpr uint32_t kPartDigitsHigh = 9999;
constexpr uint32_t kSuffixLetterPercent = 30;
constexpr char kPartSuffixes[] = {'A', 'B', 'C', 'L', 'S', 'Z'};

// Floor division for the negative exponents of small values.
int FloorDiv(int value, int divisor) {
  int quotient = value / divisor;
  return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

}  // namespace

std::string FormatSciValue(uint32_t mantissa, int exponent) {
  std::string digits = std::to_string(mantissa);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  if (digits.size() > 1) digits.insert(1, ".");
  return digits + "E" + std::to_string(exponent);
}

std::string FormatEngValue(uint32_t mantissa, int exponent) {
  if (exponent < kLowestSuffixExp) return FormatSciValue(mantissa, exponent);
  int suffixIndex = FloorDiv(exponent - kLowestSuffixExp, kSuffixStep);
  if (suffixIndex < 0) suffixIndex = 0;
  if (suffixIndex >= kSuffixCount) suffixIndex = kSuffixCount - 1;
  // Digits before the point: the leading digit's place above the suffix's power, plus one.
  int intDigits = exponent - (kLowestSuffixExp + suffixIndex * kSuffixStep) + 1;
  std::string digits = std::to_string(mantissa);
  while (!digits.empty() && digits.back() == '0' && static_cast<int>(digits.size()) > intDigits) {
    digits.pop_back();
  }
  if (intDigits <= 0) {
    digits.insert(0, std::string(static_cast<size_t>(-intDigits), '0'));
    digits.insert(0, ".");
  } else if (intDigits < static_cast<int>(digits.size())) {
    digits.insert(static_cast<size_t>(intDigits), ".");
  } else {
    digits.append(static_cast<size_t>(intDigits) - digits.size(), '0');
  }
  return digits + kSuffixes[suffixIndex];
}

std::string MakeEngValue(CRng& rng, int lowExp, int highExp, uint32_t lowMantissa,
                         uint32_t highMantissa) {
  uint32_t mantissa = rng.Between(lowMantissa, highMantissa);
  // Keep 2 to 4 significant digits, as hand-written libraries do.
  int drop = static_cast<int>(rng.Below(kMantissaDigits - kMinSignificant + 1));
  for (int i = 0; i < drop; ++i) mantissa /= kDecimalBase;
  for (int i = 0; i < drop; ++i) mantissa *= kDecimalBase;
  int exponent = lowExp + static_cast<int>(rng.Below(static_cast<uint32_t>(highExp - lowExp + 1)));
  if (exponent <= kSciHighestExp && rng.Chance(kSciPercent)) {
    return FormatSciValue(mantissa, exponent);
  }
  return FormatEngValue(mantissa, exponent);
}

std::string MakePartNumber(CRng& rng, const char* prefix) {
  std::string name = prefix + std::to_string(rng.Between(kPartDigitsLow, kPartDigitsHigh));
  if (rng.Chance(kSuffixLetterPercent)) name += rng.Pick(kPartSuffixes);
  return name;
}

const char* PickManufacturer(CRng& rng) { return rng.Pick(kManufacturers); }
