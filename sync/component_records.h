// The records of the component databases: one class per kind of part, each with its class
// name and schema number as the archive writes them (the byte layout is in component_archive.h).
//
// Texts are byte strings in the system's code page; numbers are 32-bit floats, which the
// installer only compares. The ferrite-bead database holds CInductorRec records too.
#ifndef CIRVANE_SYNC_COMPONENT_RECORDS_H_
#define CIRVANE_SYNC_COMPONENT_RECORDS_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class ComponentArchive;
class CComponentRec;

// A record class as an archive knows it.
struct CRecordClass {
  const char* name;  // written into the file, exactly
  uint16_t schema;
  std::unique_ptr<CComponentRec> (*create)();  // an empty record: empty texts, numbers 0
};

// Schema number of every record class.
constexpr uint16_t kRecordSchema = 0;

// The least a record takes in a file: a short tag, one length byte per text and four bytes
// per number slot.
constexpr size_t kShortTagBytes = 2;
constexpr size_t kNumberSlotBytes = 4;
constexpr size_t MinimumRecordBytes(size_t texts, size_t slots) {
  return kShortTagBytes + texts + slots * kNumberSlotBytes;
}

// The record class called `name`, compared exactly; null when no record class has that name.
const CRecordClass* FindRecordClass(std::string_view name);

class CComponentRec {
 public:
  CComponentRec() = default;
  // A copy is a record of its own: it has not been written by any archive.
  CComponentRec(const CComponentRec&) {}
  CComponentRec& operator=(const CComponentRec&) { return *this; }
  virtual ~CComponentRec() = default;

  virtual const CRecordClass& GetRecordClass() const = 0;
  // Reads or writes the record's fields, by the archive's direction.
  virtual void Serialize(ComponentArchive& archive) = 0;

 private:
  friend class ComponentArchive;
  // The storing archive (by its serial number, never 0) that numbered this record last, and the
  // index it gave: lets an archive see in constant time whether it has written the record.
  uint64_t m_storedBy = 0;
  uint32_t m_storedIndex = 0;
};

// What the simulator keeps in slot 7 of every capacitor record.
constexpr uint32_t kCapacitorSlot7Default = 1;

class CCapacitorRec : public CComponentRec {
 public:
  static const CRecordClass kClass;
  static constexpr size_t kMinimumBytes = MinimumRecordBytes(3, 7);
  const CRecordClass& GetRecordClass() const override { return kClass; }
  void Serialize(ComponentArchive& archive) override;

  std::string manufacturer;
  std::string part_number;
  std::string technology;    // "Al electrolytic", "Tantalum", "X5R", "X7R" in the shipped data
  float capacitance = 0;     // farads
  float voltage_rating = 0;  // volts
  float current_rating = 0;  // amperes
  float esr = 0;             // ohms
  float extra_value = 0;
  // Slots 5 and 7 belong to the simulator: kept as read, bit for bit, and written back, so
  // that a merge does not lose them. Slot 5 holds a float, slot 7 an integer.
  uint32_t slot5 = 0;
  uint32_t slot7 = kCapacitorSlot7Default;
};

class CInductorRec : public CComponentRec {
 public:
  static const CRecordClass kClass;
  static constexpr size_t kMinimumBytes = MinimumRecordBytes(2, 5);
  const CRecordClass& GetRecordClass() const override { return kClass; }
  // Reading normalises the manufacturer (see IsWurthManufacturer).
  void Serialize(ComponentArchive& archive) override;

  std::string manufacturer;
  std::string part_number;
  float inductance = 0;            // henries
  float current_rating = 0;        // amperes
  float series_resistance = 0;     // ohms
  float parallel_resistance = 0;   // ohms
  float parallel_capacitance = 0;  // farads
};

class CResistorRec : public CComponentRec {
 public:
  static const CRecordClass kClass;
  static constexpr size_t kMinimumBytes = MinimumRecordBytes(2, 3);
  const CRecordClass& GetRecordClass() const override { return kClass; }
  void Serialize(ComponentArchive& archive) override;

  std::string manufacturer;
  std::string part_number;
  float resistance = 0;    // ohms
  float power_rating = 0;  // watts
  float tolerance = 0;     // a fraction: 0.01 is one per cent
};

// The one spelling of the maker whose parts come under several names.
constexpr char kWurthManufacturer[] = "Wurth Elektronik";

// 1 when `manufacturer` (up to its first NUL) contains "Wurth Elektronik" or "WE eiSos",
// ignoring ASCII case. An inductor record read with such a manufacturer gets
// kWurthManufacturer instead, so that all spellings share one key.
int IsWurthManufacturer(const std::string& manufacturer);

#endif  // CIRVANE_SYNC_COMPONENT_RECORDS_H_
