// The payload table: every file of the product, compiled into the installer as constant data.
//
// payloadgen turns a product tree into a generated source file that defines the records and
// `payloadIndex`, and one binary blob that the generated source pulls in with `.incbin`. The
// records point into the blob, so the installer writes each file straight from its own image.
//
// Layout of the blob: the stored bytes of every entry, one after the other, in index order, with
// no padding or framing; each record's `bytes` points at its own block.
//
// Stored bytes: a file of at most kMaxPlainSize bytes is stored as it is (packedSize 0); every
// larger file is stored as one gzip member (packedSize = the member's length), even when the
// member comes out longer than the file. Every member starts with exactly kGzipMemberHeader
// (deflate, no flags, time 0, extra flags 0, operating system 11), holds a deflate stream made
// at level 6 and ends with the standard trailer (CRC-32, then the length modulo 2^32, both
// little-endian). The trailer's CRC-32 is the only integrity test of payload data.
#ifndef CIRVANE_PAYLOAD_PAYLOAD_H_
#define CIRVANE_PAYLOAD_PAYLOAD_H_

#include <cstddef>
#include <cstdint>

// One file of the product.
struct PayloadEntry {
  const char* path;            // ".\" followed by the relative path with backslashes
  int32_t readOnly;            // 1: set the read-only attribute after writing; 0: leave it
  uint32_t size;               // length of the file as installed
  uint32_t packedSize;         // 0: `bytes` is the file itself; else the gzip member's length
  uint32_t tag;                // CRC-32 of the installed content; nothing reads it
  const unsigned char* bytes;  // the stored content
};

// The bytes the worker writes for an entry: the member when there is one, else the file.
inline uint32_t StoredSize(const PayloadEntry& entry) {
  return entry.packedSize != 0 ? entry.packedSize : entry.size;
}

// The ordered records the worker walks, from `first` up to (not including) `last`. Records are
// sorted by path ignoring ASCII letter case, and paths are unique ignoring case.
struct PayloadIndex {
  const PayloadEntry* const* first;
  const PayloadEntry* const* last;

  const PayloadEntry* const* begin() const { return first; }
  const PayloadEntry* const* end() const { return last; }
  size_t size() const { return static_cast<size_t>(last - first); }
};

// Files of at most this many bytes are stored plain.
constexpr uint32_t kMaxPlainSize = 1024;

// The fixed ten-byte header of every gzip member.
constexpr size_t kGzipMemberHeaderSize = 10;
constexpr unsigned char kGzipMemberHeader[kGzipMemberHeaderSize] = {0x1F, 0x8B, 0x08, 0x00, 0x00,
                                                                    0x00, 0x00, 0x00, 0x00, 0x0B};

// Longest payload path, ".\" included. The installer's paths hold at most 259 characters; this
// leaves 99 of them for the installation directory.
constexpr size_t kMaxPayloadPathLength = 160;

// The product's table, defined by the generated source that payloadgen writes.
extern const PayloadIndex payloadIndex;

// The longest entry path of that table (the first of them in index order), also generated: an
// installation directory leaves room for every file when this path joined to it still fits.
extern const char payloadLongestPath[];

#endif  // CIRVANE_PAYLOAD_PAYLOAD_H_
