// Names and numbers for generated product files: part numbers, manufacturers and the
// engineering-notation values that SPICE text uses (14.34f, 2.2k, 1Meg).
//
// All names are invented. Values are formatted from integer digits only, so the same draw gives
// the same text on every machine.
#ifndef CIRVANE_TOOLS_VOCABULARY_H_
#define CIRVANE_TOOLS_VOCABULARY_H_

#include <cstdint>
#include <string>

#include "tools/rng.h"

// Mantissas are four digits, 1000 to 9999, standing for 1.000 to 9.999.
constexpr uint32_t kMantissaLow = 1000;
constexpr uint32_t kMantissaHigh = 9999;

// A value of 2 to 4 significant digits, mantissa/1000 * 10^exponent with the exponent in
// [lowExp, highExp] and the mantissa in [lowMantissa, highMantissa], written in engineering
// notation with a SPICE suffix (f p n u m k Meg G) or plain.
std::string MakeEngValue(CRng& rng, int lowExp, int highExp, uint32_t lowMantissa = kMantissaLow,
                         uint32_t highMantissa = kMantissaHigh);

// The value mantissa/1000 * 10^exponent (mantissa 1000 to 9999) in engineering notation, with
// trailing zeros removed: (4700, 3) gives "4.7k", (1434, -14) gives "14.34f". Values below
// 10^-15 come out in scientific notation.
std::string FormatEngValue(uint32_t mantissa, int exponent);

// The same value in scientific notation: (1434, -14) gives "1.434E-14", (1000, 3) "1E3". Used
// for values below the smallest suffix.
std::string FormatSciValue(uint32_t mantissa, int exponent);

// A part number: `prefix`, 3 to 4 digits and sometimes a letter, such as "VQ2207A".
std::string MakePartNumber(CRng& rng, const char* prefix);

// One of the invented semiconductor makers, as it appears in mfg= parameters.
const char* PickManufacturer(CRng& rng);

#endif  // CIRVANE_TOOLS_VOCABULARY_H_
