// A read-only file over bytes in memory, for feeding readers without touching the disk.
#ifndef CIRVANE_PLATFORM_FAKE_MEMORY_FILE_H_
#define CIRVANE_PLATFORM_FAKE_MEMORY_FILE_H_

#include <algorithm>
#include <cstring>
#include <string_view>

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
  int Close() override { return 1; }

 private:
  std::string_view m_bytes;
  size_t m_offset = 0;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_FAKE_MEMORY_FILE_H_
