// The registry service over an in-memory tree: key handles that name their key by path, so a
// key deleted behind a handle's back makes the handle's calls fail, as on Windows.
#include <string>
#include <utility>

#include "platform/registry_tree.h"

namespace platform {

class CTreeRegistryKey : public CRegistryKey {
 public:
  CTreeRegistryKey(CTreeRegistry& registry, std::string fullPath, KeyAccess access)
      : m_registry(registry), m_fullPath(std::move(fullPath)), m_access(access) {}

  int CreateSubKey(const char* name) override {
    if (m_access != KeyAccess::kCreateSubKey || !m_registry.Reload()) return 0;
    CRegistryTree& tree = m_registry.tree();
    std::string subKey = SubKeyPath(name);
    if (!tree.Find(m_fullPath)) return 0;
    if (tree.Find(subKey)) return 1;
    return tree.Create(subKey) && m_registry.Persist();
  }

  std::optional<RegistryValue> QueryValue(const char* name, size_t capacity) override {
    if (m_access != KeyAccess::kQueryValue || !m_registry.Reload()) return std::nullopt;
    CRegistryTree::Values* values = m_registry.tree().Find(m_fullPath);
    if (!values) return std::nullopt;
    auto found = values->find(std::string_view(name));
    if (found == values->end()) return std::nullopt;
    const RegistryValue& value = found->second;
    size_t stored = value.data.size() + (value.type == ValueType::kString ? 1 : 0);
    if (stored > capacity) return std::nullopt;
    if (value.type != ValueType::kString) return value;
    return RegistryValue{ValueType::kString, value.data.substr(0, value.data.find('\0'))};
  }

  int SetStringValue(const char* name, std::string_view text) override {
    return SetValue(name, RegistryValue{ValueType::kString, std::string(text)});
  }

  int SetDwordValue(const char* name, uint32_t number) override {
    return SetValue(name, RegistryValue{ValueType::kDword, DwordData(number)});
  }

  int DeleteSubKey(const char* name) override {
    if (!m_registry.Reload()) return 0;
    std::string subKey = SubKeyPath(name);
    if (!m_registry.tree().Delete(subKey) || !m_registry.Persist()) return 0;
    m_registry.KeyDeleted(subKey);
    return 1;
  }

 private:
  std::string SubKeyPath(const char* name) const { return m_fullPath + '\\' + name; }

  int SetValue(const char* name, RegistryValue value) {
    if (m_access != KeyAccess::kSetValue || !IsValidValueName(name)) return 0;
    if (!m_registry.Reload()) return 0;
    CRegistryTree::Values* values = m_registry.tree().Find(m_fullPath);
    if (!values) return 0;
    (*values)[name] = std::move(value);
    return m_registry.Persist();
  }

  CTreeRegistry& m_registry;
  std::string m_fullPath;
  KeyAccess m_access;
};

std::unique_ptr<CRegistryKey> CTreeRegistry::OpenKey(Hive hive, const char* subKey,
                                                     KeyAccess access) {
  if (!Allows(hive, access) || !Reload()) return nullptr;
  std::string fullPath = CRegistryTree::FullPath(hive, subKey);
  if (!m_tree.Find(fullPath)) return nullptr;
  return std::make_unique<CTreeRegistryKey>(*this, fullPath, access);
}

}  // namespace platform
