#include "sync/component_records.h"

#include "engine/text_search.h"
#include "sync/component_archive.h"

namespace {

template <class Rec>
std::unique_ptr<CComponentRec> CreateRecord() {
  return std::make_unique<Rec>();
}

constexpr const char* kWurthSpellings[] = {"Wurth Elektronik", "WE eiSos"};

}  // namespace

const CRecordClass CCapacitorRec::kClass = {"CCapacitorRec", kRecordSchema,
                                            &CreateRecord<CCapacitorRec>};
const CRecordClass CInductorRec::kClass = {"CInductorRec", kRecordSchema,
                                           &CreateRecord<CInductorRec>};
const CRecordClass CResistorRec::kClass = {"CResistorRec", kRecordSchema,
                                           &CreateRecord<CResistorRec>};

const CRecordClass* FindRecordClass(std::string_view name) {
  for (const CRecordClass* recordClass :
       {&CCapacitorRec::kClass, &CInductorRec::kClass, &CResistorRec::kClass}) {
    if (name == recordClass->name) return recordClass;
  }
  return nullptr;
}

void CCapacitorRec::Serialize(ComponentArchive& archive) {
  archive.ExchangeText(manufacturer);
  archive.ExchangeText(part_number);
  archive.ExchangeText(technology);
  archive.ExchangeFloat(capacitance);
  archive.ExchangeFloat(voltage_rating);
  archive.ExchangeFloat(current_rating);
  archive.ExchangeFloat(esr);
  archive.ExchangeInteger(slot5);
  archive.ExchangeFloat(extra_value);
  archive.ExchangeInteger(slot7);
}

void CInductorRec::Serialize(ComponentArchive& archive) {
  archive.ExchangeText(manufacturer);
  archive.ExchangeText(part_number);
  archive.ExchangeFloat(inductance);
  archive.ExchangeFloat(current_rating);
  archive.ExchangeFloat(series_resistance);
  archive.ExchangeFloat(parallel_resistance);
  archive.ExchangeFloat(parallel_capacitance);
  if (archive.IsLoading() && IsWurthManufacturer(manufacturer)) {
    manufacturer = kWurthManufacturer;
  }
}

void CResistorRec::Serialize(ComponentArchive& archive) {
  archive.ExchangeText(manufacturer);
  archive.ExchangeText(part_number);
  archive.ExchangeFloat(resistance);
  archive.ExchangeFloat(power_rating);
  archive.ExchangeFloat(tolerance);
}

int IsWurthManufacturer(const std::string& manufacturer) {
  for (const char* spelling : kWurthSpellings) {
    if (FindNoCase(manufacturer.c_str(), spelling)) return 1;
  }
  return 0;
}
