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
// (user records in their order, then shipped records in theirs), and the heap sort sees the
// same comparisons, so it leaves them in the same order too.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

#include "sync/component_docs.h"
#include "sync/record_compare.h"
#include "sync/record_heap_sort.h"

namespace {

constexpr unsigned char kCaseDistance = 'a' - 'A';
constexpr uint64_t kHashBasis = 0xCBF29CE484222325ull;  // FNV-1a
constexpr uint64_t kHashPrime = 0x100000001B3ull;
constexpr size_t kSmallestTable = 16;
// The index tables hold a third more slots than keys: full enough to stay small (a table that
// fits the processor's cache is much faster), empty enough for short probes.
constexpr size_t kSpareShare = 3;
constexpr int kHashBits = 32;

uint64_t HashBytes(uint64_t hash, const char* text, bool foldCase) {
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
    unsigned char byte = *c;
    if (foldCase && byte >= 'A' && byte <= 'Z')
      byte = static_cast<unsigned char>(byte + kCaseDistance);
    hash = (hash ^ byte) * kHashPrime;
  }
  return hash;
}

// Folds the hash into 32 well-mixed bits; the low ones pick the slot.
uint32_t Finish(uint64_t hash) {
  hash ^= hash >> 33;
  hash *= 0xFF51AFD7ED558CCDull;
  return static_cast<uint32_t>(hash ^ (hash >> 33));
}

// The part's key: manufacturer and part number up to their first NUL, ignoring ASCII case. A
// record with either text empty has no key.
struct CNameKey {
  template <class Rec>
  static bool Has(const Rec& record) {
    return !IsBlankText(record.manufacturer.c_str()) && !IsBlankText(record.part_number.c_str());
  }
  template <class Rec>
  static uint32_t Hash(const Rec& record) {
    uint64_t hash = HashBytes(kHashBasis, record.manufacturer.c_str(), true);
    hash = (hash ^ 0) * kHashPrime;  // the texts' border
    return Finish(HashBytes(hash, record.part_number.c_str(), true));
  }
  template <class Rec>
  static bool Equal(const Rec& a, const Rec& b) {
    return HaveSameKey(a, b);
  }
};

// A resistor's three numbers under float equality: -0 hashes as +0, and numbers with a NaN
// have no key, since a NaN equals nothing.
struct CNumbersKey {
  static bool Has(const CResistorRec& record) {
    return !std::isnan(record.resistance) && !std::isnan(record.power_rating) &&
           !std::isnan(record.tolerance);
  }
  static uint32_t Hash(const CResistorRec& record) {
    uint64_t hash = kHashBasis;
    for (float value : {record.resistance, record.power_rating, record.tolerance}) {
      if (value == 0) value = 0;
      uint32_t bits;
      std::memcpy(&bits, &value, sizeof bits);
      hash = (hash ^ bits) * kHashPrime;
    }
    return Finish(hash);
  }
  static bool Equal(const CResistorRec& a, const CResistorRec& b) {
    return a.resistance == b.resistance && a.power_rating == b.power_rating &&
           a.tolerance == b.tolerance;
  }
};

// For each key of the shipped records, the last position that holds it, counted from 1 so that
// 0 means "none". An open-addressing table of hashes; a slot's key is that of a shipped record
// it names, which settles hash collisions.
template <class Rec, class Key>
class CLastPositionIndex {
 public:
  explicit CLastPositionIndex(const std::vector<std::unique_ptr<Rec>>& shipped)
      : m_shipped(shipped) {
    m_slots.assign(std::max(kSmallestTable, shipped.size() + shipped.size() / kSpareShare + 1),
                   CSlot{});
    for (size_t i = 0; i < shipped.size(); ++i) {
      if (!Key::Has(*shipped[i])) continue;
      const uint32_t hash = Key::Hash(*shipped[i]);
      CSlot& slot = m_slots[Probe(*shipped[i], hash)];
      slot = CSlot{hash, static_cast<uint32_t>(i + 1), static_cast<uint32_t>(i)};
    }
  }

  // The last position (from 1) of a shipped record with the key of `record`; 0 when none.
  size_t LastPosition(const Rec& record) const {
    return Key::Has(record) ? m_slots[Probe(record, Key::Hash(record))].last : 0;
  }

 private:
  // Twelve bytes, so that the table of a large database stays small.
  struct CSlot {
    uint32_t hash = 0;
    uint32_t last = 0;  // 0: the slot is free
    uint32_t sample = 0;
  };

  // Linear probing from the slot the hash scales to; the table always has free slots.
  size_t Probe(const Rec& record, uint32_t hash) const {
    const size_t size = m_slots.size();
    for (size_t at = static_cast<size_t>((static_cast<uint64_t>(hash) * size) >> kHashBits);;
         at = at + 1 == size ? 0 : at + 1) {
      const CSlot& slot = m_slots[at];
      if (slot.last == 0) return at;
      if (slot.hash == hash && Key::Equal(record, *m_shipped[slot.sample])) return at;
    }
  }

  const std::vector<std::unique_ptr<Rec>>& m_shipped;
  std::vector<CSlot> m_slots;
};

template <class Rec>
class CClashIndex {
 public:
  explicit CClashIndex(const std::vector<std::unique_ptr<Rec>>& shipped)
      : m_names(shipped), m_numbers(shipped) {}

  // 1 when a shipped record at a position after `position` (counted from 1; 0 for a user
  // record) clashes with `record`.
  bool ClashesAfter(const Rec& record, size_t position) const {
    if (m_names.LastPosition(record) > position) return true;
    if constexpr (std::is_same_v<Rec, CResistorRec>) {
      return IsBlankText(record.manufacturer.c_str()) && IsBlankText(record.part_number.c_str()) &&
             m_numbers.LastPosition(record) > position;
    }
    return false;
  }

 private:
  // The blank rule's index exists for resistors only; for the other kinds it stays empty.
  struct CNoNumbers {
    explicit CNoNumbers(const std::vector<std::unique_ptr<Rec>>&) {}
  };
  using NumbersIndex = std::conditional_t<std::is_same_v<Rec, CResistorRec>,
                                          CLastPositionIndex<Rec, CNumbersKey>, CNoNumbers>;

  CLastPositionIndex<Rec, CNameKey> m_names;
  NumbersIndex m_numbers;
};

// A record's position with the numbers the record is ordered by first, so that the sort and
// the search for equal neighbours mostly read one small array instead of the records.
template <class Rec>
struct CSortEntry {
  decltype(SortNumbers(std::declval<const Rec&>())) numbers;
  uint32_t position;  // a document's records are counted in 32 bits
};

// Sorts `records` by the kind's order and keeps only the last of each run of records that
// compare equal: walking from the next-to-last position down, a record is deleted when it
// compares equal to the nearest record after it that stayed.
template <class Rec>
void SortAndRemoveEqualRuns(std::vector<std::unique_ptr<Rec>>& records) {
  std::vector<CSortEntry<Rec>> entries;
  entries.reserve(records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    entries.push_back(CSortEntry<Rec>{SortNumbers(*records[i]), static_cast<uint32_t>(i)});
  }
  const auto compare = [&records](const CSortEntry<Rec>& a, const CSortEntry<Rec>& b) {
    if (int c = CompareSortNumbers(a.numbers, b.numbers)) return c;
    return CompareNames(*records[a.position], *records[b.position]);
  };
  HeapSort(entries, compare);
  for (size_t kept = entries.size() - 1, i = kept; i-- > 0;) {
    if (compare(entries[i], entries[kept]) == 0) {
      records[entries[i].position].reset();
    } else {
      kept = i;
    }
  }
  std::vector<std::unique_ptr<Rec>> sorted;
  sorted.reserve(records.size());
  for (const CSortEntry<Rec>& entry : entries) {
    if (records[entry.position]) sorted.push_back(std::move(records[entry.position]));
  }
  records = std::move(sorted);
}

}  // namespace

template <class Rec>
void CComponentDoc<Rec>::MergeShippedRecords(CComponentDoc& shipped) {
  // The index refers to the shipped records, so they stay in place until every one is judged.
  std::vector<std::unique_ptr<Rec>> merged;
  merged.reserve(records.size() + shipped.records.size());
  std::vector<bool> shippedSurvives(shipped.records.size());
  {
    const CClashIndex<Rec> index(shipped.records);
    for (std::unique_ptr<Rec>& record : records) {
      if (!index.ClashesAfter(*record, 0)) merged.push_back(std::move(record));
    }
    for (size_t i = 0; i < shipped.records.size(); ++i) {
      shippedSurvives[i] = !index.ClashesAfter(*shipped.records[i], i + 1);
    }
  }
  for (size_t i = 0; i < shipped.records.size(); ++i) {
    if (shippedSurvives[i]) merged.push_back(std::move(shipped.records[i]));
  }
  records = std::move(merged);  // deletes the records that were replaced
  shipped.records.clear();
  if (!records.empty()) SortAndRemoveEqualRuns(records);
}

template void CComponentDoc<CCapacitorRec>::MergeShippedRecords(CComponentDoc&);
template void CComponentDoc<CInductorRec>::MergeShippedRecords(CComponentDoc&);
template void CComponentDoc<CResistorRec>::MergeShippedRecords(CComponentDoc&);
