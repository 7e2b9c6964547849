// The component database documents: one per database file, holding records of one class in
// file order. A document owns its records; a record moved into another document belongs to
// that one.
#ifndef CIRVANE_SYNC_COMPONENT_DOCS_H_
#define CIRVANE_SYNC_COMPONENT_DOCS_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sync/archive_errors.h"
#include "sync/component_archive.h"
#include "sync/component_records.h"

template <class Rec>
class CComponentDoc {
 public:
  using Record = Rec;

  // Storing: the count, then every record as an object. Loading: the count, then that many
  // entries, each of which must be a new record of Rec's class; anything else (a null or
  // repeated reference, a record of another class, a count the remaining bytes cannot hold,
  // checked before anything is reserved) is a format error, after which `records` is empty.
  void Serialize(ComponentArchive& archive);

  // Replaces the records with those of the file at `path`; true on success. The file is read
  // whole before it is decoded. An empty file gives an empty document. On failure a message
  // box says why: when the file cannot be opened the document is left as it was, otherwise it
  // is left empty.
  bool LoadFromFile(std::string_view path);
  // Replaces the records with those encoded in `bytes` (none for no bytes); kNone on success,
  // else the fault, with the document left empty. Shows nothing.
  ArchiveFault LoadFromBytes(std::string_view bytes);
  // The document encoded as SaveToFile writes it.
  std::string SaveToBytes();

  // Replaces the file at `path` (or creates it) by the document in one step: written to a new
  // file beside it, then moved over it, its read-only attribute cleared if need be
  // (CFileReplacement). True on success; else a message box says why, and the file at `path`
  // is exactly as it was.
  bool SaveToFile(std::string_view path);

  // Deletes every record.
  void DeleteRecords() { records.clear(); }

  // Moves every record of `shipped` into this document: a record of this document (or an
  // earlier shipped one) that clashes with a shipped record is deleted, then the records are
  // sorted by the kind's comparison and of each run of equal neighbours only the last is kept.
  // `shipped` is left empty. (shipped_records_merge.cpp)
  void MergeShippedRecords(CComponentDoc& shipped);

  std::vector<std::unique_ptr<Rec>> records;
};

class CCapacitorDoc : public CComponentDoc<CCapacitorRec> {};
class CInductorDoc : public CComponentDoc<CInductorRec> {};  // inductors and ferrite beads
class CResistorDoc : public CComponentDoc<CResistorRec> {};

#endif  // CIRVANE_SYNC_COMPONENT_DOCS_H_
