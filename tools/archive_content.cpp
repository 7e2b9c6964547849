#include "tools/archive_content.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <set>

#include "sync/component_docs.h"
#include "tools/rng.h"

namespace {

// ---- Values

// mantissa * 10^exponent as the float strtof makes of its decimal text.
float DecimalFloat(int64_t mantissa, int exponent) {
  const std::string text = std::to_string(mantissa) + "e" + std::to_string(exponent);
  return std::strtof(text.c_str(), nullptr);
}

constexpr uint32_t kE6[] = {10, 15, 22, 33, 47, 68};
constexpr uint32_t kE12[] = {10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};
constexpr uint32_t kE24[] = {10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                             33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};
constexpr uint32_t kE96[] = {100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130, 133, 137,
                             140, 143, 147, 150, 154, 158, 162, 165, 169, 174, 178, 182, 187, 191,
                             196, 200, 205, 210, 215, 221, 226, 232, 237, 243, 249, 255, 261, 267,
                             274, 280, 287, 294, 301, 309, 316, 324, 332, 340, 348, 357, 365, 374,
                             383, 392, 402, 412, 422, 432, 442, 453, 464, 475, 487, 499, 511, 523,
                             536, 549, 562, 576, 590, 604, 619, 634, 649, 665, 681, 698, 715, 732,
                             750, 768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976};

// The three-character code of twoDigits * 10^exponent units, as printed on parts and in part
// numbers: the two digits and the count of zeros ("473" for 47000), or the digits around an R
// for a value below ten ("4R7" for 4.7).
std::string ValueCode(uint32_t twoDigits, int exponent) {
  const std::string digits = std::to_string(twoDigits);
  if (exponent < 0) return digits.substr(0, 1) + "R" + digits.substr(1);
  return digits + std::to_string(exponent);
}

// ---- Capacitors

struct CTechnology {
  const char* name;
  char code;               // the letter of the technology in part numbers
  const uint32_t* series;  // E6 or E12
  size_t seriesSize;
  int lowExponent;  // capacitance = series value * 10^exponent picofarads
  int highExponent;
  const uint32_t* voltages;  // tenths of a volt
  size_t voltageCount;
  uint32_t rippleLow;  // milliamperes; 0 when the technology has no rating
  uint32_t rippleHigh;
  uint32_t esrLow;  // milliohms
  uint32_t esrHigh;
};

constexpr uint32_t kElectrolyticVolts[] = {63, 100, 160, 250, 350, 500, 630, 1000};
constexpr uint32_t kTantalumVolts[] = {40, 63, 100, 160, 200, 250, 350, 500};
constexpr uint32_t kX5rVolts[] = {40, 63, 100, 160, 250, 350, 500};
constexpr uint32_t kX7rVolts[] = {160, 250, 500, 1000, 2000, 2500, 6300};
// Lifetimes in hours at the rated temperature, kept by the simulator in slot 5.
constexpr uint32_t kLifetimes[] = {1000, 2000, 3000, 4000, 5000, 6000, 8000, 10000, 12000, 20000};

constexpr CTechnology kTechnologies[] = {
    {"Al electrolytic", 'E', kE6, std::size(kE6), 5, 8, kElectrolyticVolts,
     std::size(kElectrolyticVolts), 20, 3500, 15, 3000},
    {"Tantalum", 'T', kE6, std::size(kE6), 4, 7, kTantalumVolts, std::size(kTantalumVolts), 50,
     2000, 20, 6000},
    {"X5R", 'R', kE12, std::size(kE12), 2, 6, kX5rVolts, std::size(kX5rVolts), 0, 0, 2, 20},
    {"X7R", 'X', kE12, std::size(kE12), 1, 5, kX7rVolts, std::size(kX7rVolts), 0, 0, 3, 50},
};

struct CMaker {
  const char* name;
  const char* prefix;
};

constexpr CMaker kCapacitorMakers[] = {
    {"Alvanta", "AV"},          {"Norenza", "NZ"},  {"Kelvra", "KC"}, {"Tessaro", "TS"},
    {"Wurth Elektronik", "WC"}, {"WE eiSos", "WC"}, {"Vexmar", "VX"},
};
constexpr char kToleranceLetters[] = {'J', 'K', 'M'};
constexpr int kPicoExponent = -12;
constexpr int kMilliExponent = -3;
constexpr int kTenthExponent = -1;

std::unique_ptr<CCapacitorRec> MakeCapacitor(CRng& rng) {
  const CTechnology& technology = rng.Pick(kTechnologies);
  const CMaker& maker = rng.Pick(kCapacitorMakers);
  const uint32_t digits =
      technology.series[rng.Below(static_cast<uint32_t>(technology.seriesSize))];
  const int exponent = static_cast<int>(
      rng.Between(static_cast<uint32_t>(technology.lowExponent), technology.highExponent));
  const uint32_t volts =
      technology.voltages[rng.Below(static_cast<uint32_t>(technology.voltageCount))];

  auto record = std::make_unique<CCapacitorRec>();
  record->manufacturer = maker.name;
  record->technology = technology.name;
  record->part_number = std::string(maker.prefix) + technology.code + ValueCode(digits, exponent) +
                        rng.Pick(kToleranceLetters) + std::to_string(volts / 10 + 1000).substr(1);
  record->capacitance = DecimalFloat(digits, exponent + kPicoExponent);
  record->voltage_rating = DecimalFloat(volts, kTenthExponent);
  if (technology.rippleHigh > 0) {
    record->current_rating =
        DecimalFloat(rng.Between(technology.rippleLow, technology.rippleHigh), kMilliExponent);
  }
  record->esr = DecimalFloat(rng.Between(technology.esrLow, technology.esrHigh), kMilliExponent);
  if (technology.code == 'E') {
    const float lifetime = DecimalFloat(rng.Pick(kLifetimes), 0);
    std::memcpy(&record->slot5, &lifetime, sizeof lifetime);
  }
  return record;
}

// ---- Resistors

constexpr size_t kE96Decades = 5;  // 10 ohms to 976 kilohms, then 1 megohm
constexpr int kE96FirstExponent = -1;
constexpr uint32_t kGenericPower = 100;    // milliwatts
constexpr uint32_t kGenericTolerance = 1;  // per cent
constexpr uint32_t kNamedTolerance = 5;
constexpr int kPercentExponent = -2;
constexpr uint32_t kNamedPowers[] = {63, 100, 125, 250, 500, 1000};
constexpr const char* kPackages[] = {"0402", "0603", "0805", "1206", "2512"};
constexpr CMaker kResistorMakers[] = {
    {"Velmor", "VR"}, {"Ohmtek Passive", "OP"}, {"Rescora", "RC"}, {"Kelvra", "KR"}};
constexpr int kLowResistorExponent = -1;  // 1 ohm
constexpr int kHighResistorExponent = 5;  // 9.1 megohms

class CResistorMaker {
 public:
  std::unique_ptr<CResistorRec> Next(CRng& rng) {
    auto record = std::make_unique<CResistorRec>();
    if (m_generic <= kE96Decades * std::size(kE96)) {
      const size_t decade = m_generic / std::size(kE96);
      const uint32_t digits = kE96[m_generic % std::size(kE96)];
      record->resistance = DecimalFloat(digits, kE96FirstExponent + static_cast<int>(decade));
      record->power_rating = DecimalFloat(kGenericPower, kMilliExponent);
      record->tolerance = DecimalFloat(kGenericTolerance, kPercentExponent);
      ++m_generic;
      return record;
    }
    const CMaker& maker = rng.Pick(kResistorMakers);
    const uint32_t digits = rng.Pick(kE24);
    const int exponent =
        static_cast<int>(rng.Between(0, kHighResistorExponent - kLowResistorExponent)) +
        kLowResistorExponent;
    record->manufacturer = maker.name;
    record->part_number =
        std::string(maker.prefix) + rng.Pick(kPackages) + "-" + ValueCode(digits, exponent) + "J";
    record->resistance = DecimalFloat(digits, exponent);
    record->power_rating = DecimalFloat(rng.Pick(kNamedPowers), kMilliExponent);
    record->tolerance = DecimalFloat(kNamedTolerance, kPercentExponent);
    return record;
  }

 private:
  size_t m_generic = 0;
};

// ---- Inductors and beads

constexpr CMaker kInductorMakers[] = {
    {"Wurth Elektronik", "7447"}, {"WE eiSos", "7447"}, {"Kelvra Magnetics", "KLP"},
    {"Coilonix", "CX"},           {"Tessaro", "TSL"},
};
constexpr CMaker kBeadMakers[] = {
    {"Wurth Elektronik", "7427"},
    {"WE eiSos", "7427"},
    {"Kelvra Magnetics", "KFB"},
    {"Coilonix", "CXB"},
};
// Impedances at 100 MHz, in ohms.
constexpr uint32_t kBeadImpedances[] = {30, 60, 120, 220, 330, 470, 600, 1000, 1500, 2200};
constexpr const char* kBeadSeries[] = {"S", "H", "M", "L", "T"};
constexpr int kMicroExponent = -6;
constexpr int kNanoExponent = -9;
constexpr int kFemtoExponent = -15;
constexpr uint32_t kInductorDecades = 3;  // 1 uH to 680 uH
constexpr uint32_t kLargestSize = 5;      // package sizes: larger carries more, resists less

std::unique_ptr<CInductorRec> MakeInductor(CRng& rng) {
  const CMaker& maker = rng.Pick(kInductorMakers);
  const uint32_t step = rng.Below(static_cast<uint32_t>(kInductorDecades * std::size(kE6)));
  const uint32_t digits = kE6[step % std::size(kE6)];
  const int exponent = static_cast<int>(step / std::size(kE6));
  const uint32_t size = rng.Between(1, kLargestSize);

  auto record = std::make_unique<CInductorRec>();
  record->manufacturer = maker.name;
  record->part_number = std::string(maker.prefix) + std::to_string(size * 11) +
                        ValueCode(digits, exponent - 1) + std::to_string(rng.Between(0, 9));
  record->inductance = DecimalFloat(digits, exponent + kMicroExponent - 1);
  record->current_rating = DecimalFloat(size * 9000 / (step + 3) + rng.Below(50), kMilliExponent);
  record->series_resistance = DecimalFloat((step + 1) * (step + 1) * 6 / size + 2, kMilliExponent);
  record->parallel_resistance = DecimalFloat(400 * (step + 1) + rng.Below(400), 0);
  record->parallel_capacitance = DecimalFloat(rng.Between(500, 15000), kFemtoExponent);
  return record;
}

std::unique_ptr<CInductorRec> MakeBead(CRng& rng) {
  const CMaker& maker = rng.Pick(kBeadMakers);
  const uint32_t impedance = rng.Pick(kBeadImpedances);
  const char* package = rng.Pick(kPackages);

  auto record = std::make_unique<CInductorRec>();
  record->manufacturer = maker.name;
  record->part_number = std::string(maker.prefix) + package + std::to_string(impedance) +
                        rng.Pick(kBeadSeries) + std::to_string(rng.Between(10, 99));
  record->inductance = DecimalFloat(impedance * 2 + rng.Below(200), kNanoExponent);
  record->current_rating =
      DecimalFloat(rng.Between(200, 6000) * 60 / (impedance / 20 + 60), kMilliExponent);
  record->series_resistance = DecimalFloat(impedance / 4 + rng.Between(5, 40), kMilliExponent);
  record->parallel_resistance = DecimalFloat(impedance + rng.Below(impedance / 5 + 1), 0);
  record->parallel_capacitance = DecimalFloat(rng.Between(200, 2000), kFemtoExponent);
  return record;
}

// ---- Filling an archive to its size

// Bytes of a text in the archive, with its length prefix.
size_t TextBytes(const std::string& text) {
  if (text.size() <= kMaxByteTextLength) return 1 + text.size();
  if (text.size() <= kMaxWordTextLength) return 3 + text.size();
  return 7 + text.size();
}

constexpr size_t kCountBytes = 2;
constexpr size_t kTagBytes = 2;
constexpr size_t kClassHeaderBytes = 6;  // tag, schema, name length
constexpr size_t kFloatBytes = 4;
constexpr size_t kMostRecords = kCountEscape - 1;  // keeps the count in its short form

size_t RecordBytes(const CCapacitorRec& r) {
  return TextBytes(r.manufacturer) + TextBytes(r.part_number) + TextBytes(r.technology) +
         7 * kFloatBytes;
}
size_t RecordBytes(const CInductorRec& r) {
  return TextBytes(r.manufacturer) + TextBytes(r.part_number) + 5 * kFloatBytes;
}
size_t RecordBytes(const CResistorRec& r) {
  return TextBytes(r.manufacturer) + TextBytes(r.part_number) + 3 * kFloatBytes;
}

constexpr char kOrderCodeCharacters[] = "ABCDEFGHJKLMNPRSTUVWXYZ0123456789";

// Lengthens `partNumber` by `count` characters of an order code ("-" and letters or digits).
void AppendOrderCode(std::string& partNumber, size_t count, CRng& rng) {
  for (size_t i = 0; i < count; ++i) {
    partNumber += (i == 0 && count > 1) ? '-'
                                        : kOrderCodeCharacters[rng.Below(static_cast<uint32_t>(
                                              sizeof kOrderCodeCharacters - 1))];
  }
}

// The key a merge matches records by: maker and part number, letters folded, every spelling of
// the maker that inductor records are normalised to counted as one; empty for a record without
// maker or part number.
template <class Rec>
std::string KeyOf(const Rec& record) {
  if (record.manufacturer.empty() || record.part_number.empty()) return std::string();
  const std::string maker =
      IsWurthManufacturer(record.manufacturer) ? kWurthManufacturer : record.manufacturer;
  std::string key = maker + '\n' + record.part_number;
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

// Records drawn again in a row before a database counts as full: the vocabulary is large, so
// this ends only a database far larger than any the product ships.
constexpr int kMostRedraws = 1000;

// Lengthens part numbers from the last record backwards by `spare` bytes in all, each staying
// short enough for its one-byte length prefix; returns what did not fit (0 unless the records
// are very few).
template <class Doc>
size_t AbsorbSpareBytes(Doc& doc, size_t spare, CRng& rng) {
  for (size_t i = doc.records.size(); i-- > 0 && spare > 0;) {
    std::string& partNumber = doc.records[i]->part_number;
    if (partNumber.size() >= kMaxByteTextLength) continue;
    const size_t count = std::min(spare, kMaxByteTextLength - partNumber.size());
    AppendOrderCode(partNumber, count, rng);
    spare -= count;
  }
  return spare;
}

template <class Doc, class Next>
std::string FillArchive(size_t size, CRng& rng, Next next) {
  using Rec = typename Doc::Record;
  size_t used = kCountBytes + kClassHeaderBytes + std::strlen(Rec::kClass.name);
  Doc doc;
  std::set<std::string> keys;  // a shipped database names each part once
  int redraws = 0;
  while (doc.records.size() < kMostRecords && redraws < kMostRedraws) {
    std::unique_ptr<Rec> record = next();
    const std::string key = KeyOf(*record);
    if (!key.empty() && !keys.insert(key).second) {
      ++redraws;
      continue;
    }
    redraws = 0;
    const size_t bytes = RecordBytes(*record) + (doc.records.empty() ? 0 : kTagBytes);
    if (used + bytes > size) break;
    used += bytes;
    doc.records.push_back(std::move(record));
  }
  if (doc.records.empty()) return std::string(size, '\0');
  const size_t left = AbsorbSpareBytes(doc, size - used, rng);
  return doc.SaveToBytes() + std::string(left, '\0');  // bytes after the last record are not read
}

}  // namespace

std::string MakeComponentArchive(const std::string& kind, size_t size, uint64_t seed) {
  CRng rng(seed);
  if (kind == "cap") {
    return FillArchive<CCapacitorDoc>(size, rng, [&] { return MakeCapacitor(rng); });
  }
  if (kind == "res") {
    CResistorMaker maker;
    return FillArchive<CResistorDoc>(size, rng, [&] { return maker.Next(rng); });
  }
  if (kind == "bead") return FillArchive<CInductorDoc>(size, rng, [&] { return MakeBead(rng); });
  return FillArchive<CInductorDoc>(size, rng, [&] { return MakeInductor(rng); });
}
