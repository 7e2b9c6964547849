#include "platform/stdio_file.h"

namespace platform {
namespace {

class CStdioFile : public CFile {
 public:
  CStdioFile(FILE* stream, bool writing) : m_stream(stream), m_writing(writing) {}
  ~CStdioFile() override { Close(); }

  size_t Read(void* buffer, size_t size) override {
    return m_stream ? fread(buffer, 1, size, m_stream) : 0;
  }

  size_t Write(const void* data, size_t size) override {
    return m_stream ? fwrite(data, 1, size, m_stream) : 0;
  }

  int Flush() override { return m_stream && fflush(m_stream) == 0; }

  int Sync() override { return m_stream && !ferror(m_stream) && CommitStream(m_stream); }

  // A full disk often shows only when the buffer is flushed, so the flush and the close are
  // both part of the answer; for a stream being read, so is any read error on the way.
  int Close() override {
    if (!m_stream) return 0;
    bool ok = !ferror(m_stream) && (!m_writing || fflush(m_stream) == 0);
    ok = fclose(m_stream) == 0 && ok;
    m_stream = nullptr;
    return ok ? 1 : 0;
  }

 private:
  FILE* m_stream;
  bool m_writing;
};

}  // namespace

std::unique_ptr<CFile> WrapStdioFile(FILE* stream, bool writing) {
  if (!stream) return nullptr;
  return std::make_unique<CStdioFile>(stream, writing);
}

}  // namespace platform
