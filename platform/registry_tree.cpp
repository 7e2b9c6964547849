#include "platform/registry_tree.h"

#include <algorithm>
#include <iterator>

namespace platform {
namespace {

constexpr char kSeparator = '\\';
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7f;

struct HiveEntry {
  Hive hive;
  const char* name;
};

constexpr HiveEntry kHives[] = {
    {Hive::kLocalMachine, "HKEY_LOCAL_MACHINE"},
    {Hive::kCurrentUser, "HKEY_CURRENT_USER"},
    {Hive::kUsers, "HKEY_USERS"},
    {Hive::kClassesRoot, "HKEY_CLASSES_ROOT"},
};

unsigned char LowerAscii(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && !NoCaseLess()(a, b) && !NoCaseLess()(b, a);
}

bool HasControlCode(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    unsigned char byte = static_cast<unsigned char>(c);
    return byte < kFirstPrintable || byte == kDelete;
  });
}

bool IsValidKeyName(std::string_view name) {
  return !name.empty() && name.size() <= kMaxKeyNameLength &&
         name.find(kSeparator) == std::string_view::npos && !HasControlCode(name);
}

// 1 when `fullPath` is a hive name followed by at most kMaxKeyDepth valid key names.
bool IsValidFullPath(std::string_view fullPath) {
  size_t end = fullPath.find(kSeparator);
  if (!HiveFromName(fullPath.substr(0, end))) return false;
  for (size_t depth = 1; end != std::string_view::npos; ++depth) {
    size_t start = end + 1;
    end = fullPath.find(kSeparator, start);
    if (depth > kMaxKeyDepth || !IsValidKeyName(fullPath.substr(start, end - start))) return false;
  }
  return true;
}

}  // namespace

bool NoCaseLess::operator()(std::string_view a, std::string_view b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
}

const char* HiveName(Hive hive) {
  for (const HiveEntry& entry : kHives) {
    if (entry.hive == hive) return entry.name;
  }
  return "";
}

std::optional<Hive> HiveFromName(std::string_view name) {
  for (const HiveEntry& entry : kHives) {
    if (EqualNoCase(name, entry.name)) return entry.hive;
  }
  return std::nullopt;
}

bool IsValidValueName(std::string_view name) {
  return name.size() <= kMaxValueNameLength && !HasControlCode(name);
}

CRegistryTree::CRegistryTree() { Clear(); }

std::string CRegistryTree::FullPath(Hive hive, std::string_view subKey) {
  std::string path = HiveName(hive);
  if (!subKey.empty()) {
    path += kSeparator;
    path += subKey;
  }
  return path;
}

CRegistryTree::Values* CRegistryTree::Find(std::string_view fullPath) {
  auto found = m_keys.find(fullPath);
  return found == m_keys.end() ? nullptr : &found->second;
}

// Every key's parents exist (keys are made with them, and only keys without subkeys go), so
// only the keys below the deepest existing one are made. Making every prefix of every path
// instead would take time cubic in the depth to read the export of a deep key.
int CRegistryTree::Create(std::string_view fullPath) {
  if (!IsValidFullPath(fullPath)) return 0;
  std::string_view path = fullPath;
  while (!Find(path)) {
    m_keys.emplace(std::string(path), Values());
    const size_t parent = path.rfind(kSeparator);
    if (parent == std::string_view::npos) break;
    path = path.substr(0, parent);
  }
  return 1;
}

// Subkeys of a key sort right after the key's path with a backslash appended, so the first
// entry from there tells whether there are any.
bool CRegistryTree::HasSubKeys(std::string_view fullPath) const {
  std::string prefix = std::string(fullPath) + kSeparator;
  auto next = m_keys.lower_bound(prefix);
  return next != m_keys.end() && next->first.size() > prefix.size() &&
         EqualNoCase(std::string_view(next->first).substr(0, prefix.size()), prefix);
}

int CRegistryTree::Delete(std::string_view fullPath) {
  auto found = m_keys.find(fullPath);
  if (found == m_keys.end() || HiveFromName(fullPath) || HasSubKeys(fullPath)) return 0;
  m_keys.erase(found);
  return 1;
}

void CRegistryTree::Clear() {
  m_keys.clear();
  for (const HiveEntry& entry : kHives) m_keys.emplace(entry.name, Values());
}

std::string DwordData(uint32_t number) {
  std::string data(kDwordSize, '\0');
  for (size_t i = 0; i < kDwordSize; ++i) {
    data[i] = static_cast<char>((number >> (kBitsPerByte * i)) & 0xFF);
  }
  return data;
}

std::optional<uint32_t> DwordNumber(std::string_view data) {
  if (data.size() != kDwordSize) return std::nullopt;
  uint32_t number = 0;
  for (size_t i = 0; i < kDwordSize; ++i) {
    number |= static_cast<uint32_t>(static_cast<unsigned char>(data[i])) << (kBitsPerByte * i);
  }
  return number;
}

}  // namespace platform
