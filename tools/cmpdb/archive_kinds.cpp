#include "tools/cmpdb/archive_kinds.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "engine/files.h"
#include "sync/component_docs.h"

namespace {

constexpr char kFieldSeparator = '\t';
constexpr char kLineEnd = '\n';
constexpr char kCarriageReturn = '\r';
constexpr size_t kReadBlockSize = 4096;
constexpr int kDecimal = 10;
constexpr int kHexadecimal = 16;
// Extra columns a capacitor line may carry: slot 5 and slot 7.
constexpr size_t kCapacitorSlotColumns = 2;
// A number written as its bits: the prefix, then at most this many hexadecimal digits.
constexpr char kBitsPrefix[] = "0x";
constexpr size_t kBitsPrefixLength = sizeof kBitsPrefix - 1;
constexpr size_t kMaxBitsDigits = 8;
constexpr size_t kBitsTextSize = sizeof "0x12345678";
// Floats whose decimal text would not give the same bits back: every NaN (its sign and payload
// would be lost) and negative zero (whose sign a decimal text drops on some systems).
constexpr uint32_t kExponentMask = 0x7F800000u;
constexpr uint32_t kMantissaMask = 0x007FFFFFu;
constexpr uint32_t kNegativeZero = 0x80000000u;

// A float's bits, copied without loading it as a float: on x87 that would quiet a signalling
// NaN.
uint32_t BitsOf(const float& value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

bool NeedsBitsForm(uint32_t bits) {
  bool isNan = (bits & kExponentMask) == kExponentMask && (bits & kMantissaMask) != 0;
  return isNan || bits == kNegativeZero;
}

using Fields = std::vector<std::string>;

// ---- Printing

class CLinePrinter {
 public:
  explicit CLinePrinter(std::FILE* out) : m_out(out) {}
  ~CLinePrinter() { std::fputc(kLineEnd, m_out); }

  void Text(const std::string& text) {
    Separate();
    std::fwrite(text.data(), 1, text.size(), m_out);
  }
  // %.9g gives every other float back exactly.
  void Number(uint32_t bits) {
    Separate();
    if (NeedsBitsForm(bits)) {
      char text[kBitsTextSize];
      std::snprintf(text, sizeof text, "%s%08lx", kBitsPrefix, static_cast<unsigned long>(bits));
      std::fputs(text, m_out);
      return;
    }
    float value;
    std::memcpy(&value, &bits, sizeof value);
    std::fprintf(m_out, "%.9g", static_cast<double>(value));
  }
  void Number(const float& value) { Number(BitsOf(value)); }
  void Whole(uint32_t value) {
    Separate();
    std::fprintf(m_out, "%lu", static_cast<unsigned long>(value));
  }

 private:
  void Separate() {
    if (!m_first) std::fputc(kFieldSeparator, m_out);
    m_first = false;
  }

  std::FILE* m_out;
  bool m_first = true;
};

void PrintRecord(std::FILE* out, const CCapacitorRec& record) {
  CLinePrinter line(out);
  line.Text(record.manufacturer);
  line.Text(record.part_number);
  line.Text(record.technology);
  for (const float* value : {&record.capacitance, &record.voltage_rating, &record.current_rating,
                             &record.esr, &record.extra_value}) {
    line.Number(*value);
  }
  line.Number(record.slot5);
  line.Whole(record.slot7);
}

void PrintRecord(std::FILE* out, const CInductorRec& record) {
  CLinePrinter line(out);
  line.Text(record.manufacturer);
  line.Text(record.part_number);
  for (const float* value : {&record.inductance, &record.current_rating, &record.series_resistance,
                             &record.parallel_resistance, &record.parallel_capacitance}) {
    line.Number(*value);
  }
}

void PrintRecord(std::FILE* out, const CResistorRec& record) {
  CLinePrinter line(out);
  line.Text(record.manufacturer);
  line.Text(record.part_number);
  for (const float* value : {&record.resistance, &record.power_rating, &record.tolerance}) {
    line.Number(*value);
  }
}

template <class Doc>
int DumpArchive(const std::string& path, std::FILE* out) {
  Doc doc;
  if (!doc.LoadFromFile(path)) {
    std::fprintf(stderr, "cmpdb: cannot read %s\n", path.c_str());
    return 0;
  }
  for (const auto& record : doc.records) PrintRecord(out, *record);
  return 1;
}

// ---- Parsing

// Reads fields in order, remembering the first problem.
class CFieldReader {
 public:
  explicit CFieldReader(const Fields& fields) : m_fields(fields) {}

  std::string Text() { return m_next < m_fields.size() ? m_fields[m_next++] : std::string(); }

  // The bits of a number: given as such after kBitsPrefix, else those of the decimal float.
  uint32_t NumberBits() {
    const std::string field = Text();
    if (field.compare(0, kBitsPrefixLength, kBitsPrefix) == 0) return Bits(field);
    char* end = nullptr;
    const float value = field.empty() ? 0 : std::strtof(field.c_str(), &end);
    if (field.empty() || *end != '\0') Complain("'" + field + "' is not a number");
    return BitsOf(value);
  }

  // Sets `field` from the next number without passing its bits through a float.
  void Number(float& field) {
    const uint32_t bits = NumberBits();
    std::memcpy(&field, &bits, sizeof field);
  }

  uint32_t Integer() {
    const std::string field = Text();
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(field.c_str(), &end, kDecimal);
    if (field.empty() || *end != '\0' || field[0] == '-' || errno != 0 ||
        value > std::numeric_limits<uint32_t>::max()) {
      Complain("'" + field + "' is not a whole number from 0 to 4294967295");
    }
    return static_cast<uint32_t>(value);
  }

  const std::string& problem() const { return m_problem; }

 private:
  uint32_t Bits(const std::string& field) {
    const std::string digits = field.substr(kBitsPrefixLength);
    if (digits.empty() || digits.size() > kMaxBitsDigits ||
        digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
      Complain("'" + field + "' is not a float's bits (0x and up to 8 hexadecimal digits)");
      return 0;
    }
    return static_cast<uint32_t>(std::strtoul(digits.c_str(), nullptr, kHexadecimal));
  }

  void Complain(const std::string& problem) {
    if (m_problem.empty()) m_problem = problem;
  }

  const Fields& m_fields;
  size_t m_next = 0;
  std::string m_problem;
};

std::string CountProblem(size_t expected, size_t found) {
  return "expected " + std::to_string(expected) + " fields, found " + std::to_string(found);
}

// Each returns the problem with the line, empty when it describes a record.
std::string ParseRecord(const Fields& fields, CCapacitorRec* record) {
  constexpr size_t kFields = 8;
  if (fields.size() != kFields && fields.size() != kFields + kCapacitorSlotColumns) {
    return CountProblem(kFields, fields.size()) + " (or " +
           std::to_string(kFields + kCapacitorSlotColumns) + " with slots 5 and 7)";
  }
  CFieldReader reader(fields);
  record->manufacturer = reader.Text();
  record->part_number = reader.Text();
  record->technology = reader.Text();
  reader.Number(record->capacitance);
  reader.Number(record->voltage_rating);
  reader.Number(record->current_rating);
  reader.Number(record->esr);
  reader.Number(record->extra_value);
  if (fields.size() > kFields) {
    record->slot5 = reader.NumberBits();
    record->slot7 = reader.Integer();
  }
  return reader.problem();
}

std::string ParseRecord(const Fields& fields, CInductorRec* record) {
  constexpr size_t kFields = 7;
  if (fields.size() != kFields) return CountProblem(kFields, fields.size());
  CFieldReader reader(fields);
  record->manufacturer = reader.Text();
  record->part_number = reader.Text();
  reader.Number(record->inductance);
  reader.Number(record->current_rating);
  reader.Number(record->series_resistance);
  reader.Number(record->parallel_resistance);
  reader.Number(record->parallel_capacitance);
  return reader.problem();
}

std::string ParseRecord(const Fields& fields, CResistorRec* record) {
  constexpr size_t kFields = 5;
  if (fields.size() != kFields) return CountProblem(kFields, fields.size());
  CFieldReader reader(fields);
  record->manufacturer = reader.Text();
  record->part_number = reader.Text();
  reader.Number(record->resistance);
  reader.Number(record->power_rating);
  reader.Number(record->tolerance);
  return reader.problem();
}

Fields SplitFields(const std::string& line) {
  Fields fields(1);
  for (char c : line) {
    if (c == kFieldSeparator) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

bool ReadTextFile(const std::string& path, std::string* text) {
  std::unique_ptr<platform::CFile> file = OpenForRead(path);
  if (!file) return false;
  char block[kReadBlockSize];
  size_t count;
  while ((count = file->Read(block, sizeof block)) > 0) text->append(block, count);
  return file->Close() == 1;
}

// Fills `doc` from the lines of `text`; false after saying on stderr which line is wrong.
template <class Doc>
bool ParseDocument(const std::string& tsv, const std::string& text, Doc* doc) {
  using Rec = typename Doc::Record;
  size_t lineNumber = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find(kLineEnd, start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == kCarriageReturn) line.pop_back();
    if (line.empty()) continue;
    auto record = std::make_unique<Rec>();
    const std::string problem = ParseRecord(SplitFields(line), record.get());
    if (!problem.empty()) {
      std::fprintf(stderr, "cmpdb: %s line %s: %s\n", tsv.c_str(),
                   std::to_string(lineNumber).c_str(), problem.c_str());
      return false;
    }
    doc->records.push_back(std::move(record));
  }
  return true;
}

template <class Doc>
int BuildArchive(const std::string& tsv, const std::string& output) {
  std::string text;
  if (!ReadTextFile(tsv, &text)) {
    std::fprintf(stderr, "cmpdb: cannot read %s\n", tsv.c_str());
    return 0;
  }
  Doc doc;
  if (!ParseDocument(tsv, text, &doc)) return 0;
  if (!doc.SaveToFile(output)) {
    std::fprintf(stderr, "cmpdb: cannot write %s\n", output.c_str());
    return 0;
  }
  return 1;
}

}  // namespace

int DumpCapacitorArchive(const std::string& path, std::FILE* out) {
  return DumpArchive<CCapacitorDoc>(path, out);
}

int DumpInductorArchive(const std::string& path, std::FILE* out) {
  return DumpArchive<CInductorDoc>(path, out);
}

int DumpResistorArchive(const std::string& path, std::FILE* out) {
  return DumpArchive<CResistorDoc>(path, out);
}

int BuildCapacitorArchive(const std::string& tsv, const std::string& output) {
  return BuildArchive<CCapacitorDoc>(tsv, output);
}

int BuildInductorArchive(const std::string& tsv, const std::string& output) {
  return BuildArchive<CInductorDoc>(tsv, output);
}

int BuildResistorArchive(const std::string& tsv, const std::string& output) {
  return BuildArchive<CResistorDoc>(tsv, output);
}
