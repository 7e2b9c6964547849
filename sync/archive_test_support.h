// Helpers for the component archive tests: records made in one line, documents encoded into
// memory, and bytes written out as hex pairs.
#ifndef CIRVANE_SYNC_ARCHIVE_TEST_SUPPORT_H_
#define CIRVANE_SYNC_ARCHIVE_TEST_SUPPORT_H_

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "sync/component_docs.h"

namespace archive_test {

// A file that collects what is written to it.
class CStringFile : public platform::CFile {
 public:
  size_t Read(void*, size_t) override { return 0; }
  size_t Write(const void* data, size_t size) override {
    m_bytes.append(static_cast<const char*>(data), size);
    return size;
  }
  int Close() override { return 1; }
  const std::string& bytes() const { return m_bytes; }

 private:
  std::string m_bytes;
};

template <class Doc>
std::string Encode(Doc& doc) {
  CStringFile file;
  ComponentArchive archive(file);
  doc.Serialize(archive);
  archive.Flush();
  return file.bytes();
}

// "E1 01 FF FF" as bytes.
inline std::string Hex(const std::string& pairs) {
  std::string bytes;
  for (size_t i = 0; i + 1 < pairs.size(); i += 3) {
    bytes += static_cast<char>(std::stoi(pairs.substr(i, 2), nullptr, 16));
  }
  return bytes;
}

// Sets a float's bits without passing the value through a register, which could quiet a
// signalling NaN on x87.
inline void SetBits(float& field, uint32_t bits) { std::memcpy(&field, &bits, sizeof field); }

inline std::unique_ptr<CResistorRec> Resistor(const std::string& manufacturer,
                                              const std::string& partNumber, float resistance,
                                              float power = 0.25f, float tolerance = 0.01f) {
  auto record = std::make_unique<CResistorRec>();
  record->manufacturer = manufacturer;
  record->part_number = partNumber;
  record->resistance = resistance;
  record->power_rating = power;
  record->tolerance = tolerance;
  return record;
}

inline std::unique_ptr<CInductorRec> Inductor(const std::string& manufacturer,
                                              const std::string& partNumber, float inductance,
                                              float current = 1.0f) {
  auto record = std::make_unique<CInductorRec>();
  record->manufacturer = manufacturer;
  record->part_number = partNumber;
  record->inductance = inductance;
  record->current_rating = current;
  record->series_resistance = 0.05f;
  record->parallel_resistance = 2000.0f;
  record->parallel_capacitance = 2e-12f;
  return record;
}

inline std::unique_ptr<CCapacitorRec> Capacitor(const std::string& manufacturer,
                                                const std::string& partNumber, float capacitance,
                                                const std::string& technology = "X7R") {
  auto record = std::make_unique<CCapacitorRec>();
  record->manufacturer = manufacturer;
  record->part_number = partNumber;
  record->technology = technology;
  record->capacitance = capacitance;
  record->voltage_rating = 50.0f;
  record->current_rating = 0;
  record->esr = 0.01f;
  return record;
}

template <class Doc, class... Records>
void Fill(Doc& doc, Records... records) {
  (doc.records.push_back(std::move(records)), ...);
}

}  // namespace archive_test

#endif  // CIRVANE_SYNC_ARCHIVE_TEST_SUPPORT_H_
