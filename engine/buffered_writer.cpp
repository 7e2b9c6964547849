#include "engine/buffered_writer.h"

#include <algorithm>

CBufferedWriter::CBufferedWriter(platform::CFile& file) : m_file(file) {
  m_block.reserve(kBlockSize);
}

void CBufferedWriter::Append(std::string_view bytes) {
  while (!bytes.empty() && !m_failed) {
    size_t count = std::min(bytes.size(), kBlockSize - m_block.size());
    m_block.append(bytes.data(), count);
    bytes.remove_prefix(count);
    if (m_block.size() == kBlockSize) Flush();
  }
}

int CBufferedWriter::Finish() {
  Flush();
  return !m_failed;
}

void CBufferedWriter::Flush() {
  if (!m_failed && !m_block.empty() &&
      m_file.Write(m_block.data(), m_block.size()) != m_block.size()) {
    m_failed = true;
  }
  m_block.clear();
}
