#include "engine/fixture_table_test_support.h"

#include "payload/member.h"

std::string& CFixtureTable::Add(const std::string& path, const std::string& content,
                                bool readOnly) {
  std::string bytes = content;
  if (content.size() > kMaxPlainSize) {
    auto data = reinterpret_cast<const unsigned char*>(content.data());
    std::vector<unsigned char> member = MakeGzipMember(data, content.size());
    bytes.assign(member.begin(), member.end());
  }
  m_files.push_back(Stored{path, content, bytes, readOnly});
  return m_files.back().bytes;
}

const PayloadIndex& CFixtureTable::index() {
  m_entries.clear();
  m_pointers.clear();
  for (const Stored& file : m_files) {
    auto size = static_cast<uint32_t>(file.content.size());
    uint32_t packed = size > kMaxPlainSize ? static_cast<uint32_t>(file.bytes.size()) : 0;
    auto bytes = reinterpret_cast<const unsigned char*>(file.bytes.data());
    m_entries.push_back(
        PayloadEntry{file.path.c_str(), file.readOnly ? 1 : 0, size, packed, 0, bytes});
  }
  for (const PayloadEntry& entry : m_entries) m_pointers.push_back(&entry);
  m_index = PayloadIndex{m_pointers.data(), m_pointers.data() + m_pointers.size()};
  return m_index;
}
