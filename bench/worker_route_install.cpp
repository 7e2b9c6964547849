#include "bench/worker_route_install.h"

#include <zlib.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench/bench_files.h"

namespace {

// The worker's buffer sizes: one gzread, one chunk of the copy back.
constexpr unsigned kGzipReadSize = 16384;
constexpr size_t kCopyChunkSize = 1024;

// Closes the gzip stream when it goes out of scope.
struct GzipCloser {
  void operator()(gzFile_s* stream) const { gzclose(stream); }
};
using GzipStream = std::unique_ptr<gzFile_s, GzipCloser>;

bool GunzipToFile(const std::string& input, const std::string& output) {
  GzipStream gzip(gzopen(input.c_str(), "rb"));
  if (!gzip) return false;
  Stream file(fopen(output.c_str(), "wb"));
  if (!file) return false;
  std::vector<char> buffer(kGzipReadSize);
  int count;
  while ((count = gzread(gzip.get(), buffer.data(), kGzipReadSize)) > 0) {
    size_t size = static_cast<size_t>(count);
    if (fwrite(buffer.data(), 1, size, file.get()) != size) return false;
  }
  return count == 0 && CloseWritten(std::move(file)) && gzclose(gzip.release()) == Z_OK;
}

bool CopyFile(const std::string& source, const std::string& destination) {
  Stream input(fopen(source.c_str(), "rb"));
  if (!input) return false;
  Stream output(fopen(destination.c_str(), "wb"));
  if (!output) return false;
  char chunk[kCopyChunkSize];
  size_t count;
  while ((count = fread(chunk, 1, sizeof chunk, input.get())) > 0) {
    if (fwrite(chunk, 1, count, output.get()) != count) return false;
  }
  return !ferror(input.get()) && CloseWritten(std::move(output));
}

bool GunzipInPlace(const std::string& target, const std::string& temp) {
  if (!GunzipToFile(target, temp) || !CopyFile(temp, target)) return false;
  return remove(temp.c_str()) == 0;
}

bool InstallEntry(const PayloadEntry& entry, const std::string& target, const std::string& temp) {
  if (!WriteWholeFile(target, entry.bytes, StoredSize(entry))) return false;
  if (entry.packedSize != 0 && !GunzipInPlace(target, temp)) return false;
  return entry.readOnly != 1 || MakeReadOnly(target);
}

}  // namespace

bool InstallByWorkerRoute(const PayloadIndex& index, const std::string& directory,
                          const std::string& tempDirectory, std::string* error) {
  unsigned counter = 0;
  for (const PayloadEntry* entry : index) {
    std::string target = TargetPath(directory, *entry);
    std::string temp = tempDirectory + "/tmp" + std::to_string(++counter);
    if (!InstallEntry(*entry, target, temp)) {
      *error = "could not install " + target;
      return false;
    }
  }
  return true;
}
