// The registry on Windows: the system registry through the advapi32 calls.
#include <windows.h>

#include <vector>

#include "platform/registry.h"

namespace platform {
namespace {

HKEY RootKey(Hive hive) {
  switch (hive) {
    case Hive::kLocalMachine:
      return HKEY_LOCAL_MACHINE;
    case Hive::kCurrentUser:
      return HKEY_CURRENT_USER;
    case Hive::kUsers:
      return HKEY_USERS;
    case Hive::kClassesRoot:
      break;
  }
  return HKEY_CLASSES_ROOT;
}

REGSAM AccessMask(KeyAccess access) {
  switch (access) {
    case KeyAccess::kQueryValue:
      return KEY_QUERY_VALUE;
    case KeyAccess::kSetValue:
      return KEY_SET_VALUE;
    case KeyAccess::kCreateSubKey:
      break;
  }
  return KEY_CREATE_SUB_KEY;
}

class CWin32RegistryKey : public CRegistryKey {
 public:
  explicit CWin32RegistryKey(HKEY key) : m_key(key) {}
  ~CWin32RegistryKey() override { RegCloseKey(m_key); }
  CWin32RegistryKey(const CWin32RegistryKey&) = delete;
  CWin32RegistryKey& operator=(const CWin32RegistryKey&) = delete;

  // Only makes sure the subkey exists: the new key is closed at once.
  int CreateSubKey(const char* name) override {
    HKEY created;
    if (RegCreateKeyExA(m_key, name, 0, nullptr, 0, 0, nullptr, &created, nullptr) !=
        ERROR_SUCCESS) {
      return 0;
    }
    RegCloseKey(created);
    return 1;
  }

  std::optional<RegistryValue> QueryValue(const char* name, size_t capacity) override {
    std::vector<BYTE> buffer(capacity, 0);
    DWORD size = static_cast<DWORD>(capacity);
    DWORD type = REG_NONE;
    if (RegQueryValueExA(m_key, name, nullptr, &type, buffer.data(), &size) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    std::string data(reinterpret_cast<const char*>(buffer.data()), size);
    if (type == REG_DWORD) return RegistryValue{ValueType::kDword, data};
    if (type != REG_SZ) return RegistryValue{ValueType::kOther, data};
    return RegistryValue{ValueType::kString, data.substr(0, data.find('\0'))};
  }

  int SetStringValue(const char* name, std::string_view text) override {
    std::string data(text);
    return RegSetValueExA(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
  }

  int SetDwordValue(const char* name, uint32_t number) override {
    std::string data = DwordData(number);
    return RegSetValueExA(m_key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
  }

  int DeleteSubKey(const char* name) override {
    return RegDeleteKeyA(m_key, name) == ERROR_SUCCESS;
  }

 private:
  HKEY m_key;
};

class CWin32Registry : public CRegistry {
 public:
  std::unique_ptr<CRegistryKey> OpenKey(Hive hive, const char* subKey, KeyAccess access) override {
    HKEY key;
    if (RegOpenKeyExA(RootKey(hive), subKey, 0, AccessMask(access), &key) != ERROR_SUCCESS) {
      return nullptr;
    }
    return std::make_unique<CWin32RegistryKey>(key);
  }
};

}  // namespace

CRegistry& RealRegistry() {
  static CWin32Registry registry;
  return registry;
}

}  // namespace platform
