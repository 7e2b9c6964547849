// Turns the files of the tree into their stored form, on every core: a file of at most
// kMaxPlainSize bytes as it is, any larger one as a gzip member that has been inflated back and
// compared with the file.
#ifndef CIRVANE_PAYLOAD_FILE_PACK_H_
#define CIRVANE_PAYLOAD_FILE_PACK_H_

#include <cstdint>
#include <string>
#include <vector>

#include "payload/tree_scan.h"

// One file in its stored form.
struct PackedFile {
  std::vector<unsigned char> stored;  // the file itself, or its gzip member
  uint32_t size = 0;                  // length of the file
  uint32_t packedSize = 0;            // 0: stored plain; else the member's length
  uint32_t tag = 0;                   // CRC-32 of the file
};

// Reads `file` and packs it. Returns true and fills `packed`; false with `*err` naming the file
// when it cannot be read, changed since the scan, or its member does not inflate back to it.
bool PackFile(const TreeFile& file, PackedFile* packed, std::string* err);

// Packs every file on `threads` threads (0: one per core). Returns true with `packed[i]` holding
// `files[i]`, the same whatever the scheduling; false with `*err` from the first failing file in
// the order of `files`.
bool PackFiles(const std::vector<TreeFile>& files, unsigned threads,
               std::vector<PackedFile>* packed, std::string* err);

#endif  // CIRVANE_PAYLOAD_FILE_PACK_H_
