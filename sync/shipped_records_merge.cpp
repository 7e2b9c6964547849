// The merge proper: every shipped record goes into the user's document, replacing the records it
// clashes with, and the result is sorted and freed of runs of equal records.
//
// The result is that of the plain walk: for each shipped record in order, delete every record
// of the document (the user's and the shipped ones appended so far) that clashes with it, then
// append it. A record therefore survives exactly when no shipped record that came after it
// clashes with it: a user record when no shipped record at all does, the shipped record at
// position j when none after j does. Instead of walking the document once per shipped record,
// an index maps each key to the last shipped position that holds it, so the cost grows with
// n log n rather than with n times m. The survivors keep the order the walk leaves them in
// (user records in their order, then shipped records in theirs), so the sort that follows sees
// the same array.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <unordered_map>

#include "sync/component_docs.h"
#include "sync/record_compare.h"
#include "sync/record_heap_sort.h"

namespace {

constexpr unsigned char kCaseDistance = 'a' - 'A';

// The key text of a record: both key texts up to their first NUL, letters folded, joined by a
// NUL (which neither can hold); empty when either text is empty, since such a record has no key.
template <class Rec>
std::string FoldedKey(const Rec& record) {
  const char* manufacturer = record.manufacturer.c_str();
  const char* partNumber = record.part_number.c_str();
  if (IsBlankText(manufacturer) || IsBlankText(partNumber)) return std::string();
  std::string key = manufacturer;
  key += '\0';
  key += partNumber;
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + kCaseDistance);
  }
  return key;
}

// A resistor's three numbers as a key of exact float equality: -0 counts as +0, and numbers
// with a NaN have no key, since a NaN equals nothing.
using NumbersKey = std::array<uint32_t, 3>;

struct CNumbersKeyHash {
  size_t operator()(const NumbersKey& key) const {
    uint64_t hash = 0xCBF29CE484222325ull;
    for (uint32_t part : key) hash = (hash ^ part) * 0x100000001B3ull;
    return static_cast<size_t>(hash ^ (hash >> 32));
  }
};

uint32_t EqualityBits(float value) {
  if (value == 0) value = 0;  // -0 becomes +0
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

bool GetNumbersKey(const CResistorRec& record, NumbersKey* key) {
  const float numbers[] = {record.resistance, record.power_rating, record.tolerance};
  for (size_t i = 0; i < key->size(); ++i) {
    if (std::isnan(numbers[i])) return false;
    (*key)[i] = EqualityBits(numbers[i]);
  }
  return true;
}

// Where the shipped records' keys last occur, as positions counted from 1, so that 0 can stand
// for "before every shipped record".
template <class Rec>
class CClashIndex {
 public:
  static constexpr bool kBlankRule = std::is_same_v<Rec, CResistorRec>;

  explicit CClashIndex(const std::vector<std::unique_ptr<Rec>>& shipped) {
    m_lastByKey.reserve(shipped.size());
    for (size_t i = 0; i < shipped.size(); ++i) {
      std::string key = FoldedKey(*shipped[i]);
      if (!key.empty()) m_lastByKey[key] = i + 1;
      if constexpr (kBlankRule) {
        NumbersKey numbers;
        if (GetNumbersKey(*shipped[i], &numbers)) m_lastByNumbers[numbers] = i + 1;
      }
    }
  }

  // 1 when a shipped record at a position after `position` clashes with `record`.
  bool ClashesAfter(const Rec& record, size_t position) const {
    std::string key = FoldedKey(record);
    if (!key.empty()) {
      auto found = m_lastByKey.find(key);
      if (found != m_lastByKey.end() && found->second > position) return true;
    }
    if constexpr (kBlankRule) {
      NumbersKey numbers;
      if (IsBlankText(record.manufacturer.c_str()) && IsBlankText(record.part_number.c_str()) &&
          GetNumbersKey(record, &numbers)) {
        auto found = m_lastByNumbers.find(numbers);
        if (found != m_lastByNumbers.end() && found->second > position) return true;
      }
    }
    return false;
  }

 private:
  std::unordered_map<std::string, size_t> m_lastByKey;
  std::unordered_map<NumbersKey, size_t, CNumbersKeyHash> m_lastByNumbers;
};

// Of each run of records that compare equal, keeps only the last: walking from the next-to-last
// position down, a record is deleted when it compares equal to the nearest record after it that
// stayed. One pass, then one compaction.
template <class Rec>
void RemoveEqualRuns(std::vector<std::unique_ptr<Rec>>& records) {
  if (records.size() < 2) return;
  const Rec* kept = records.back().get();
  for (size_t i = records.size() - 1; i-- > 0;) {
    if (CompareRecs(*records[i], *kept) == 0) {
      records[i].reset();
    } else {
      kept = records[i].get();
    }
  }
  size_t out = 0;
  for (std::unique_ptr<Rec>& record : records) {
    if (record) records[out++] = std::move(record);
  }
  records.resize(out);
}

}  // namespace

template <class Rec>
void CComponentDoc<Rec>::MergeShippedRecords(CComponentDoc& shipped) {
  const CClashIndex<Rec> index(shipped.records);
  std::vector<std::unique_ptr<Rec>> merged;
  merged.reserve(records.size() + shipped.records.size());
  for (std::unique_ptr<Rec>& record : records) {
    if (!index.ClashesAfter(*record, 0)) merged.push_back(std::move(record));
  }
  for (size_t i = 0; i < shipped.records.size(); ++i) {
    if (!index.ClashesAfter(*shipped.records[i], i + 1)) {
      merged.push_back(std::move(shipped.records[i]));
    }
  }
  records = std::move(merged);  // deletes the records that were replaced
  shipped.records.clear();
  HeapSort(records, [](const Rec& a, const Rec& b) { return CompareRecs(a, b); });
  RemoveEqualRuns(records);
}

template void CComponentDoc<CCapacitorRec>::MergeShippedRecords(CComponentDoc&);
template void CComponentDoc<CInductorRec>::MergeShippedRecords(CComponentDoc&);
template void CComponentDoc<CResistorRec>::MergeShippedRecords(CComponentDoc&);
