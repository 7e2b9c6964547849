#include "sync/component_archive.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>

#include "platform/wide_text.h"
#include "sync/component_records.h"

namespace {

constexpr int kByteBits = 8;
constexpr uint32_t kByteMask = 0xFF;

// Serial numbers of the storing archives; each archive's differs from every earlier one's, so a
// record marked by an archive that is gone never looks written to a new one.
std::atomic<uint64_t> g_archiveSerial{0};

}  // namespace

ComponentArchive::ComponentArchive(std::string_view bytes)
    : m_loading(true), m_bytes(bytes), m_loaded{CLoaded{nullptr, nullptr}} {}

ComponentArchive::ComponentArchive(platform::CFile& file)
    : m_loading(false),
      m_file(&file),
      m_buffer(new unsigned char[kArchiveBufferSize]),
      m_serial(++g_archiveSerial) {}

ComponentArchive::~ComponentArchive() = default;

void ComponentArchive::Fail(ArchiveFault fault) {
  if (m_fault == ArchiveFault::kNone) m_fault = fault;
}

// ---- Loading

bool ComponentArchive::Take(void* out, size_t count) {
  if (ok() && count > remaining()) Fail(ArchiveFault::kEndOfData);
  if (!ok()) {
    std::memset(out, 0, count);
    return false;
  }
  std::memcpy(out, m_bytes.data() + m_position, count);
  m_position += count;
  return true;
}

uint8_t ComponentArchive::ReadU8() {
  uint8_t value;
  Take(&value, sizeof value);
  return value;
}

uint16_t ComponentArchive::ReadU16() {
  unsigned char bytes[2];
  Take(bytes, sizeof bytes);
  return static_cast<uint16_t>(bytes[0] | (bytes[1] << kByteBits));
}

uint32_t ComponentArchive::ReadU32() {
  unsigned char bytes[4];
  Take(bytes, sizeof bytes);
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << kByteBits) | bytes[i];
  return value;
}

uint32_t ComponentArchive::ReadCount() {
  uint16_t count = ReadU16();
  return count == kCountEscape ? ReadU32() : count;
}

uint32_t ComponentArchive::ReadTextLength(bool* wide) {
  *wide = false;
  uint8_t shortLength = ReadU8();
  if (shortLength != kTextLengthEscape) return shortLength;
  uint16_t length = ReadU16();
  if (length == kLongTextEscape) return ReadU32();
  if (length == kWideTextMarker) *wide = true;
  return length;
}

std::string ComponentArchive::ReadText() {
  bool wide;
  uint32_t length = ReadTextLength(&wide);
  if (wide) {
    length = ReadTextLength(&wide);
    if (wide) Fail(ArchiveFault::kBadContent);
    if (!ok()) return std::string();
    // Checked before anything is reserved: the units must all be in the file.
    if (length > remaining() / kWideUnitSize) Fail(ArchiveFault::kEndOfData);
    if (!ok()) return std::string();
    std::u16string units(length, u'\0');
    for (char16_t& unit : units) unit = ReadU16();
    return platform::ConvertWideToAnsi(units);
  }
  if (ok() && length > remaining()) Fail(ArchiveFault::kEndOfData);
  if (!ok()) return std::string();
  std::string text(m_bytes.substr(m_position, length));
  m_position += length;
  return text;
}

bool ComponentArchive::AssignLoadedIndex(const CRecordClass* recordClass, CComponentRec* object) {
  if (m_loaded.size() > kMaxArchiveIndex) Fail(ArchiveFault::kBadIndex);
  if (!ok()) return false;
  m_loaded.push_back(CLoaded{recordClass, object});
  return true;
}

const CRecordClass* ComponentArchive::ReadClassDescription() {
  uint16_t schema = ReadU16();
  uint16_t length = ReadU16();
  if (!ok()) return nullptr;
  if (length > kMaxClassNameLength || length > remaining()) {
    Fail(ArchiveFault::kClassNotFound);
    return nullptr;
  }
  std::string_view name = m_bytes.substr(m_position, length);
  m_position += length;
  const CRecordClass* recordClass = FindRecordClass(name);
  if (!recordClass) {
    Fail(ArchiveFault::kClassNotFound);
  } else if (recordClass->schema != schema) {
    Fail(ArchiveFault::kSchemaMismatch);
  }
  if (!ok() || !AssignLoadedIndex(recordClass, nullptr)) return nullptr;
  return recordClass;
}

bool ComponentArchive::ReadObject(std::unique_ptr<CComponentRec>* created,
                                  CComponentRec** referenced) {
  created->reset();
  *referenced = nullptr;
  const uint16_t shortTag = ReadU16();
  const uint32_t tag = shortTag == kLongTagEscape
                           ? ReadU32()
                           : (static_cast<uint32_t>(shortTag & kClassTagFlag) << kTagFlagShift) |
                                 (shortTag & kShortIndexMask);
  if (!ok()) return false;

  const CRecordClass* recordClass = nullptr;
  if (!(tag & kLongClassFlag)) {
    // An object reference: only index 0 (null) and indices of objects qualify.
    if (tag >= m_loaded.size() || (tag != 0 && !m_loaded[tag].object)) {
      Fail(ArchiveFault::kBadIndex);
      return false;
    }
    *referenced = m_loaded[tag].object;
    return true;
  }
  if (shortTag == kNewClassTag) {
    recordClass = ReadClassDescription();
  } else {
    const uint32_t index = tag & kLongIndexMask;
    if (index == 0 || index >= m_loaded.size() || !m_loaded[index].recordClass ||
        m_loaded[index].object) {
      Fail(ArchiveFault::kBadIndex);
    } else {
      recordClass = m_loaded[index].recordClass;
    }
  }
  if (!recordClass) return false;

  std::unique_ptr<CComponentRec> object = recordClass->create();
  if (!AssignLoadedIndex(recordClass, object.get())) return false;
  object->Serialize(*this);
  if (!ok()) return false;
  *created = std::move(object);
  return true;
}

// ---- Storing

void ComponentArchive::Put(const void* data, size_t count) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  while (ok() && count > 0) {
    if (m_buffered == kArchiveBufferSize) Flush();
    size_t part = std::min(count, kArchiveBufferSize - m_buffered);
    if (!ok()) break;
    std::memcpy(m_buffer.get() + m_buffered, bytes, part);
    m_buffered += part;
    bytes += part;
    count -= part;
  }
}

void ComponentArchive::WriteU8(uint8_t value) { Put(&value, sizeof value); }

void ComponentArchive::WriteU16(uint16_t value) {
  const unsigned char bytes[2] = {static_cast<unsigned char>(value & kByteMask),
                                  static_cast<unsigned char>(value >> kByteBits)};
  Put(bytes, sizeof bytes);
}

void ComponentArchive::WriteU32(uint32_t value) {
  unsigned char bytes[4];
  for (unsigned char& byte : bytes) {
    byte = static_cast<unsigned char>(value & kByteMask);
    value >>= kByteBits;
  }
  Put(bytes, sizeof bytes);
}

void ComponentArchive::WriteCount(size_t count) {
  if (count < kCountEscape) {
    WriteU16(static_cast<uint16_t>(count));
  } else if (count <= std::numeric_limits<uint32_t>::max()) {
    WriteU16(kCountEscape);
    WriteU32(static_cast<uint32_t>(count));
  } else {
    Fail(ArchiveFault::kTooLarge);
  }
}

void ComponentArchive::WriteText(const std::string& text) {
  const size_t length = text.size();
  if (length <= kMaxByteTextLength) {
    WriteU8(static_cast<uint8_t>(length));
  } else if (length <= kMaxWordTextLength) {
    WriteU8(kTextLengthEscape);
    WriteU16(static_cast<uint16_t>(length));
  } else if (length <= std::numeric_limits<uint32_t>::max()) {
    WriteU8(kTextLengthEscape);
    WriteU16(kLongTextEscape);
    WriteU32(static_cast<uint32_t>(length));
  } else {
    Fail(ArchiveFault::kTooLarge);
  }
  Put(text.data(), length);
}

uint32_t ComponentArchive::NextStoredIndex() {
  if (m_nextIndex > kMaxArchiveIndex) Fail(ArchiveFault::kTooLarge);
  return m_nextIndex++;
}

void ComponentArchive::WriteTag(uint32_t index, bool classReference) {
  if (index < kLongTagEscape) {
    WriteU16(static_cast<uint16_t>(classReference ? (kClassTagFlag | index) : index));
  } else {
    WriteU16(kLongTagEscape);
    WriteU32(classReference ? (kLongClassFlag | index) : index);
  }
}

void ComponentArchive::WriteObject(CComponentRec* object) {
  if (!object) {
    WriteU16(kNullTag);
    return;
  }
  if (object->m_storedBy == m_serial) {
    WriteTag(object->m_storedIndex, false);
    return;
  }
  const CRecordClass& recordClass = object->GetRecordClass();
  auto storedClass = m_storedClasses.find(&recordClass);
  if (storedClass != m_storedClasses.end()) {
    WriteTag(storedClass->second, true);
  } else {
    const std::string_view name = recordClass.name;
    WriteU16(kNewClassTag);
    WriteU16(recordClass.schema);
    WriteU16(static_cast<uint16_t>(name.size()));
    Put(name.data(), name.size());
    m_storedClasses.emplace(&recordClass, NextStoredIndex());
  }
  object->m_storedBy = m_serial;
  object->m_storedIndex = NextStoredIndex();
  object->Serialize(*this);
}

bool ComponentArchive::Flush() {
  if (ok() && m_buffered > 0) {
    if (m_file->Write(m_buffer.get(), m_buffered) != m_buffered) Fail(ArchiveFault::kWriteFailed);
    m_buffered = 0;
  }
  return ok();
}

// ---- Both directions

void ComponentArchive::ExchangeText(std::string& text) {
  if (m_loading) {
    text = ReadText();
  } else {
    WriteText(text);
  }
}

// Floats travel as their bits, through memcpy only: loading a float into an x87 register would
// quiet a signalling NaN, and the file must come back bit for bit.
void ComponentArchive::ExchangeFloat(float& value) {
  static_assert(sizeof(float) == sizeof(uint32_t), "floats are 32 bits");
  uint32_t bits;
  if (m_loading) {
    bits = ReadU32();
    std::memcpy(&value, &bits, sizeof bits);
  } else {
    std::memcpy(&bits, &value, sizeof bits);
    WriteU32(bits);
  }
}

void ComponentArchive::ExchangeInteger(uint32_t& value) {
  if (m_loading) {
    value = ReadU32();
  } else {
    WriteU32(value);
  }
}
