// A registry held in memory: the store behind the POSIX registry and the tests' fake.
//
// Keys are named by their full path, the hive's export name first
// ("HKEY_CLASSES_ROOT\.asc\ShellNew"), with at most kMaxKeyDepth key names below the hive, as
// on Windows. A key name is 1 to kMaxKeyNameLength characters without backslashes or control
// codes; a value name is at most kMaxValueNameLength characters without control codes ("" is
// the default value).
#ifndef CIRVANE_PLATFORM_REGISTRY_TREE_H_
#define CIRVANE_PLATFORM_REGISTRY_TREE_H_

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace platform {

constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxKeyDepth = 512;
constexpr size_t kMaxValueNameLength = 16383;

// Orders texts ignoring the case of ASCII letters.
struct NoCaseLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

// The export name of a hive ("HKEY_LOCAL_MACHINE").
const char* HiveName(Hive hive);
// The hive whose export name `name` is, ignoring case; nothing for any other text.
std::optional<Hive> HiveFromName(std::string_view name);

class CRegistryTree {
 public:
  using Values = std::map<std::string, RegistryValue, NoCaseLess>;
  using Keys = std::map<std::string, Values, NoCaseLess>;

  CRegistryTree();

  // The full path of `subKey` of `hive` ("" for the hive itself).
  static std::string FullPath(Hive hive, std::string_view subKey);

  // The values of the key at `fullPath`; null when there is no such key.
  Values* Find(std::string_view fullPath);
  // Creates the key at `fullPath` and every missing key above it; 1 when it exists afterwards,
  // 0 when the path is not a valid key path below a hive.
  int Create(std::string_view fullPath);
  // 1 when the key at `fullPath` has at least one subkey.
  bool HasSubKeys(std::string_view fullPath) const;
  // Deletes the key at `fullPath` when it exists, is no hive and has no subkeys; 1 when deleted.
  int Delete(std::string_view fullPath);
  // Removes every key and value; the hives stay, empty.
  void Clear();

  // Every key, each parent before its subkeys.
  const Keys& keys() const { return m_keys; }

 private:
  Keys m_keys;
};

// 1 when `name` may name a value.
bool IsValidValueName(std::string_view name);

// A registry service over a CRegistryTree. Derived classes keep the tree in a store (Reload,
// Persist) or watch what is done to it (KeyDeleted, Allows).
class CTreeRegistry : public CRegistry {
 public:
  std::unique_ptr<CRegistryKey> OpenKey(Hive hive, const char* subKey, KeyAccess access) override;

  CRegistryTree& tree() { return m_tree; }

 protected:
  friend class CTreeRegistryKey;
  // Brings the tree up to date before an operation; 0 when the store cannot be read.
  virtual int Reload() { return 1; }
  // Keeps the tree after a change; 0 when the store refused it.
  virtual int Persist() { return 1; }
  // Whether keys of `hive` may be opened for `access`.
  virtual bool Allows(Hive hive, KeyAccess access) {
    (void)hive;
    (void)access;
    return true;
  }
  // Told after the key at `fullPath` was deleted.
  virtual void KeyDeleted(const std::string& fullPath) { (void)fullPath; }

 private:
  CRegistryTree m_tree;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_REGISTRY_TREE_H_
