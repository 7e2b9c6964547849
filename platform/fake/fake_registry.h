// A registry for tests: an in-memory tree with the real registry's rules, seeded and inspected
// directly, that records the keys deleted and can refuse changes to a hive (no administrator
// rights).
#ifndef CIRVANE_PLATFORM_FAKE_FAKE_REGISTRY_H_
#define CIRVANE_PLATFORM_FAKE_FAKE_REGISTRY_H_

#include <set>
#include <string>
#include <vector>

#include "platform/registry_tree.h"

namespace platform {

class CFakeRegistry : public CTreeRegistry {
 public:
  // Creates the key `subKey` of `hive` and its missing parents.
  void AddKey(Hive hive, const std::string& subKey) {
    tree().Create(CRegistryTree::FullPath(hive, subKey));
  }
  // Creates the key if needed and sets one of its values.
  void SetValue(Hive hive, const std::string& subKey, const std::string& name,
                const std::string& data, ValueType type = ValueType::kString) {
    std::string path = CRegistryTree::FullPath(hive, subKey);
    tree().Create(path);
    (*tree().Find(path))[name] = RegistryValue{type, data};
  }

  bool HasKey(Hive hive, const std::string& subKey) {
    return tree().Find(CRegistryTree::FullPath(hive, subKey)) != nullptr;
  }
  // The data of a value; "<none>" when the key or the value is missing.
  std::string ValueOf(Hive hive, const std::string& subKey, const std::string& name) {
    CRegistryTree::Values* values = tree().Find(CRegistryTree::FullPath(hive, subKey));
    if (!values || values->find(name) == values->end()) return "<none>";
    return (*values)[name].data;
  }
  // How many keys there are, the hives included.
  size_t KeyCount() { return tree().keys().size(); }

  // Makes every open of a key of `hive` for anything but reading fail.
  void RefuseChanges(Hive hive) { m_refused.insert(hive); }

  // Full paths of the keys deleted so far, in order.
  const std::vector<std::string>& deleted() const { return m_deleted; }

 protected:
  bool Allows(Hive hive, KeyAccess access) override {
    return access == KeyAccess::kQueryValue || m_refused.count(hive) == 0;
  }
  void KeyDeleted(const std::string& fullPath) override { m_deleted.push_back(fullPath); }

 private:
  std::set<Hive> m_refused;
  std::vector<std::string> m_deleted;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_FAKE_FAKE_REGISTRY_H_
