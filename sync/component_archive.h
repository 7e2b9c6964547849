// Component archives: the tagged binary format of the four component databases standard.cap,
// standard.res, standard.ind and standard.bead. The simulator reads the same files from the same
// place, so the format is fixed byte for byte.
//
// All integers are little-endian; floats are IEEE-754 binary32, stored little-endian. There is
// no magic number, version, checksum or trailer: a file is exactly
//
//   count    u16 c                          when c < 0xFFFF
//            u16 0xFFFF, u32 c              when c >= 0xFFFF
//   c times: tag [class description] fields
//
// and bytes after the last record are not read. An empty database is the two bytes 00 00.
//
// Tags (u16 w, or the long form):
//   0xFFFF              a new object of a class described right here: u16 schema number,
//                       u16 name length n (at most 63), n bytes of class name, no terminator
//   0x8000 | i          a new object of the class with index i (1 to 0x7FFE)
//   0x7FFF, u32 t       long tag: bit 31 set, a new object of the class with index t & 0x7FFFFFFF;
//                       bit 31 clear, a reference to the object with index t
//   i (1 to 0x7FFE)     a reference to the object read before with index i
//   0                   a null reference
// A new object's fields follow its tag (and class description).
//
// Numbering: index 0 is the null reference. Every class described and every object created
// takes the next index from 1 on, in stream order; an object takes its index before its fields.
// The writer uses the short forms while an index is below 0x7FFF and the long tag from 0x7FFF
// on. A database holds distinct records of one class, so the writer produces: the count; the
// first record as 0xFFFF, schema 0, the class name's length and bytes, then its fields; every
// further record as the tag 0x8001 (bytes 01 80) and its fields. A reader also accepts a class
// described again (it takes a new index) and the long forms.
//
// Texts: a length prefix, then that many bytes in the system's code page, no terminator:
//   u8 n                    n from 0 to 254
//   u8 0xFF, u16 n          n from 255 to 65533
//   u8 0xFF, u16 0xFFFF, u32 n
//                           n from 65534 on
// A reader also accepts u8 0xFF, u16 0xFFFE (the wide marker) followed by a second prefix of the
// plain form that counts UTF-16LE code units, then twice that many bytes; the text is converted
// to the system's code page. Writers never write the marker.
//
// Record fields, in order (each record class has schema number 0):
//   "CCapacitorRec"  text manufacturer, text part_number, text technology, then seven 4-byte
//                    slots: float capacitance, float voltage_rating, float current_rating,
//                    float esr, slot 5 (a float the simulator keeps; whole numbers up to 20000
//                    in the shipped data), float extra_value, slot 7 (the integer 1 in the
//                    shipped data)
//   "CInductorRec"   text manufacturer, text part_number, float inductance, float
//                    current_rating, float series_resistance, float parallel_resistance,
//                    float parallel_capacitance (inductor and ferrite-bead databases)
//   "CResistorRec"   text manufacturer, text part_number, float resistance, float
//                    power_rating, float tolerance
//
// Example, the start of a resistor database of 481 records: E1 01 (the count), FF FF 00 00
// 0C 00 "CResistorRec", 00 00 (two empty texts), 00 00 20 41 (10.0), CD CC CC 3D (0.1),
// 0A D7 23 3C (0.01); the second record: 01 80, 00, 00, 33 33 23 41 (10.2), CD CC CC 3D,
// 0A D7 23 3C.
#ifndef CIRVANE_SYNC_COMPONENT_ARCHIVE_H_
#define CIRVANE_SYNC_COMPONENT_ARCHIVE_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/files.h"
#include "sync/archive_errors.h"

class CComponentRec;
struct CRecordClass;

// Bytes an archive collects before it writes them to its file.
constexpr size_t kArchiveBufferSize = 4096;

// Record counts.
constexpr uint16_t kCountEscape = 0xFFFF;  // a u32 count follows

// Tags.
constexpr uint16_t kNullTag = 0x0000;
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTagFlag = 0x8000;
constexpr uint16_t kLongTagEscape = 0x7FFF;  // a u32 tag follows; also the first long index
constexpr uint32_t kLongClassFlag = 0x80000000;
constexpr uint32_t kLongIndexMask = 0x7FFFFFFF;
constexpr uint32_t kShortIndexMask = 0x7FFF;
constexpr int kTagFlagShift = 16;  // the short class flag's distance to bit 31
constexpr uint32_t kMaxArchiveIndex = 0x3FFFFFFD;
constexpr size_t kMaxClassNameLength = 63;

// Text length prefixes.
constexpr size_t kMaxByteTextLength = 254;
constexpr uint8_t kTextLengthEscape = 0xFF;  // a u16 length (or marker) follows
constexpr size_t kMaxWordTextLength = 65533;
constexpr uint16_t kWideTextMarker = 0xFFFE;
constexpr uint16_t kLongTextEscape = 0xFFFF;  // a u32 length follows
constexpr size_t kWideUnitSize = 2;

// An archive over one file in one direction. Loading reads from the file's bytes; storing writes
// through a kArchiveBufferSize buffer. The first fault stops the archive: later reads give zeros
// and empty texts, later writes are dropped. Numbering starts afresh with each archive.
class ComponentArchive {
 public:
  // Loading from `bytes`, which must outlive the archive.
  explicit ComponentArchive(std::string_view bytes);
  // Storing into `file`; call Flush at the end.
  explicit ComponentArchive(platform::CFile& file);
  ~ComponentArchive();
  ComponentArchive(const ComponentArchive&) = delete;
  ComponentArchive& operator=(const ComponentArchive&) = delete;

  bool IsLoading() const { return m_loading; }
  bool IsStoring() const { return !m_loading; }
  // kNone while nothing has gone wrong.
  ArchiveFault fault() const { return m_fault; }
  bool ok() const { return m_fault == ArchiveFault::kNone; }
  // Stops the archive with `fault` unless it stopped already.
  void Fail(ArchiveFault fault);
  // Bytes not yet read (loading).
  size_t remaining() const { return m_bytes.size() - m_position; }

  uint32_t ReadCount();
  void WriteCount(size_t count);

  // Reads into or writes from the value, by the archive's direction.
  void ExchangeText(std::string& text);
  void ExchangeFloat(float& value);
  void ExchangeInteger(uint32_t& value);

  // Reads one object. A new object is made by its class's factory, numbered, read and handed
  // over in `*created`. A null reference or a reference to an object read before leaves
  // `*created` empty and sets `*referenced` (null for the null reference). false on a fault.
  bool ReadObject(std::unique_ptr<CComponentRec>* created, CComponentRec** referenced);
  // Writes `object` (null: the null reference): a reference when it was written before, else
  // its tag, its class description when the class is new, and its fields.
  void WriteObject(CComponentRec* object);

  // Writes what the buffer holds (storing); false when the archive has a fault.
  bool Flush();

 private:
  // What an index stands for while loading: a class, an object, or nothing (index 0).
  struct CLoaded {
    const CRecordClass* recordClass;
    CComponentRec* object;
  };

  bool Take(void* out, size_t count);
  uint8_t ReadU8();
  uint16_t ReadU16();
  uint32_t ReadU32();
  // Reads a plain length prefix; `*wide` tells whether the wide marker stood in its place.
  uint32_t ReadTextLength(bool* wide);
  std::string ReadText();
  const CRecordClass* ReadClassDescription();
  bool AssignLoadedIndex(const CRecordClass* recordClass, CComponentRec* object);

  void Put(const void* data, size_t count);
  void WriteU8(uint8_t value);
  void WriteU16(uint16_t value);
  void WriteU32(uint32_t value);
  void WriteText(const std::string& text);
  void WriteTag(uint32_t index, bool classReference);
  uint32_t NextStoredIndex();

  bool m_loading;
  ArchiveFault m_fault = ArchiveFault::kNone;

  std::string_view m_bytes;
  size_t m_position = 0;
  std::vector<CLoaded> m_loaded;

  platform::CFile* m_file = nullptr;
  std::unique_ptr<unsigned char[]> m_buffer;
  size_t m_buffered = 0;
  uint32_t m_nextIndex = 1;
  uint64_t m_serial = 0;  // marks the records this archive wrote
  std::unordered_map<const CRecordClass*, uint32_t> m_storedClasses;
};

#endif  // CIRVANE_SYNC_COMPONENT_ARCHIVE_H_
