// Files in memory: one that reads from bytes, for feeding readers without touching the disk,
// and one that collects what is written to it.
#ifndef CIRVANE_PLATFORM_MEMORY_FILE_H_
#define CIRVANE_PLATFORM_MEMORY_FILE_H_

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "platform/files.h"

namespace platform {

class CMemoryFile : public CFile {
 public:
  // `bytes` must outlive the file.
  explicit CMemoryFile(std::string_view bytes) : m_bytes(bytes) {}

  size_t Read(void* buffer, size_t size) override {
    size_t count = std::min(size, m_bytes.size() - m_offset);
    if (count != 0) std::memcpy(buffer, m_bytes.data() + m_offset, count);
    m_offset += count;
    return count;
  }
  size_t Write(const void*, size_t) override { return 0; }
  int Flush() override { return 1; }
  int Sync() override { return 1; }
  int Close() override { return 1; }

 private:
  std::string_view m_bytes;
  size_t m_offset = 0;
};

class CStringFile : public CFile {
 public:
  size_t Read(void*, size_t) override { return 0; }
  size_t Write(const void* data, size_t size) override {
    m_bytes.append(static_cast<const char*>(data), size);
    return size;
  }
  int Flush() override { return 1; }
  int Sync() override { return 1; }
  int Close() override { return 1; }

  const std::string& bytes() const { return m_bytes; }
  // Hands the bytes over, leaving the file empty.
  std::string TakeBytes() { return std::exchange(m_bytes, std::string()); }

 private:
  std::string m_bytes;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_MEMORY_FILE_H_
