#include "platform/stdio_file.h"

namespace platform {
namespace {

class StdioFile : public File {
 public:
  StdioFile(FILE* stream, bool writing) : stream_(stream), writing_(writing) {}
  ~StdioFile() override { Close(); }

  size_t Read(void* buffer, size_t size) override {
    return stream_ ? fread(buffer, 1, size, stream_) : 0;
  }

  size_t Write(const void* data, size_t size) override {
    return stream_ ? fwrite(data, 1, size, stream_) : 0;
  }

  // A full disk often shows only when the buffer is flushed, so the flush and the close are
  // both part of the answer; for a stream being read, so is any read error on the way.
  int Close() override {
    if (!stream_) return 0;
    bool ok = !ferror(stream_) && (!writing_ || fflush(stream_) == 0);
    ok = fclose(stream_) == 0 && ok;
    stream_ = nullptr;
    return ok ? 1 : 0;
  }

 private:
  FILE* stream_;
  bool writing_;
};

}  // namespace

std::unique_ptr<File> OpenStdioFile(const char* systemPath, OpenMode mode) {
  FILE* stream = fopen(systemPath, mode == OpenMode::kRead ? "rb" : "wb");
  if (!stream) return nullptr;
  return std::make_unique<StdioFile>(stream, mode == OpenMode::kWrite);
}

}  // namespace platform
