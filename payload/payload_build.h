// Builds the payload table from a product tree and a read-only list, in memory: the records in
// table order and the blob of their stored bytes. Nothing is written; payloadgen emits the result.
#ifndef CIRVANE_PAYLOAD_PAYLOAD_BUILD_H_
#define CIRVANE_PAYLOAD_PAYLOAD_BUILD_H_

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The most stored bytes one table may hold: more would not fit beside the rest of the 32-bit
// installer's address space.
constexpr uint64_t kMaxBlobSize = uint64_t{1} << 30;

// One record of the table; `offset` is where its stored bytes begin in the blob.
struct PayloadRecord {
  std::string path;
  int32_t readOnly = 0;
  uint32_t size = 0;
  uint32_t packedSize = 0;
  uint32_t tag = 0;
  uint64_t offset = 0;
};

struct BuiltPayload {
  std::vector<PayloadRecord> records;         // sorted by path ignoring ASCII case
  std::vector<unsigned char> blob;            // every record's stored bytes, in record order
  std::vector<std::filesystem::path> inputs;  // every directory and file read, and the list
};

struct BuildOptions {
  unsigned threads = 0;  // compression threads; 0: one per core
};

// Builds the table of `tree` with the read-only paths of `readOnlyList`. Returns true and fills
// `payload`; false with `*err` naming the first file or list line the table cannot hold (see
// ScanTree), two paths equal ignoring case, or a listed path that is not in the tree.
bool BuildPayload(const std::filesystem::path& tree, const std::filesystem::path& readOnlyList,
                  const BuildOptions& options, BuiltPayload* payload, std::string* err);

#endif  // CIRVANE_PAYLOAD_PAYLOAD_BUILD_H_
