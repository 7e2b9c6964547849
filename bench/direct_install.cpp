#include "bench/direct_install.h"

#include <zlib.h>

#include <utility>
#include <vector>

#include "bench/bench_files.h"

namespace {

// Bytes inflated per write.
constexpr size_t kInflateChunkSize = 16384;
// inflateInit2 window bits that take a gzip header and trailer.
constexpr int kGzipWindowBits = 31;

// One inflate stream for the whole run, reset for each member.
class Inflater {
 public:
  Inflater() : ready_(inflateInit2(&stream_, kGzipWindowBits) == Z_OK), chunk_(kInflateChunkSize) {}
  ~Inflater() {
    if (ready_) inflateEnd(&stream_);
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  // Inflates the member of `entry` into `file`; true when the whole member was valid and
  // every byte was written.
  bool InflateInto(const PayloadEntry& entry, FILE* file) {
    if (!ready_ || inflateReset(&stream_) != Z_OK) return false;
    stream_.next_in = const_cast<Bytef*>(entry.bytes);
    stream_.avail_in = entry.packedSize;
    int status = Z_OK;
    while (status != Z_STREAM_END) {
      stream_.next_out = chunk_.data();
      stream_.avail_out = static_cast<uInt>(chunk_.size());
      status = inflate(&stream_, Z_NO_FLUSH);
      if (status != Z_OK && status != Z_STREAM_END) return false;
      size_t produced = chunk_.size() - stream_.avail_out;
      if (fwrite(chunk_.data(), 1, produced, file) != produced) return false;
    }
    return true;
  }

 private:
  z_stream stream_ = {};
  bool ready_;
  std::vector<unsigned char> chunk_;
};

bool WriteEntry(const PayloadEntry& entry, const std::string& path, Inflater* inflater) {
  if (entry.packedSize == 0) return WriteWholeFile(path, entry.bytes, entry.size);
  Stream file = OpenCreatingDirectories(path);
  if (!file) return false;
  bool written = inflater->InflateInto(entry, file.get());
  return CloseWritten(std::move(file)) && written;
}

}  // namespace

bool InstallDirect(const PayloadIndex& index, const std::string& directory, std::string* error) {
  Inflater inflater;
  for (const PayloadEntry* entry : index) {
    std::string path = TargetPath(directory, *entry);
    bool ok = WriteEntry(*entry, path, &inflater) && (entry->readOnly != 1 || MakeReadOnly(path));
    if (!ok) {
      *error = "could not install " + path;
      return false;
    }
  }
  return true;
}
