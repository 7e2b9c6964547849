// Raw registry values for tests, through the advapi32 calls.
#include <windows.h>

#include <vector>

#include "platform/fake/scoped_raw_registry_value.h"

namespace platform {
namespace {

// Large enough for the values tests replace.
constexpr DWORD kPreviousValueCapacity = 4096;

class CMachineKey {
 public:
  explicit CMachineKey(const std::string& subKey) {
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                      &m_key) != ERROR_SUCCESS) {
      m_key = nullptr;
    }
  }
  ~CMachineKey() {
    if (m_key) RegCloseKey(m_key);
  }
  CMachineKey(const CMachineKey&) = delete;
  CMachineKey& operator=(const CMachineKey&) = delete;

  HKEY get() const { return m_key; }

 private:
  HKEY m_key = nullptr;
};

int SetValue(HKEY key, const std::string& name, DWORD type, const std::string& bytes) {
  return RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                        static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

}  // namespace

CScopedRawRegistryValue::CScopedRawRegistryValue(std::string subKey, std::string name,
                                                 RawValueType type, const std::string& bytes)
    : m_subKey(std::move(subKey)), m_name(std::move(name)) {
  CMachineKey key(m_subKey);
  if (!key.get()) return;
  std::vector<BYTE> buffer(kPreviousValueCapacity);
  DWORD size = kPreviousValueCapacity;
  DWORD previousType = REG_NONE;
  LONG found =
      RegQueryValueExA(key.get(), m_name.c_str(), nullptr, &previousType, buffer.data(), &size);
  // A value that could not be saved is not touched, so that it cannot be lost.
  if (found != ERROR_SUCCESS && found != ERROR_FILE_NOT_FOUND) return;
  if (found == ERROR_SUCCESS) {
    m_previous = SStored{previousType, std::string(buffer.begin(), buffer.begin() + size)};
  }
  m_set = SetValue(key.get(), m_name, static_cast<DWORD>(type), bytes);
}

CScopedRawRegistryValue::~CScopedRawRegistryValue() {
  CMachineKey key(m_subKey);
  if (!m_set || !key.get()) return;
  if (m_previous) {
    SetValue(key.get(), m_name, m_previous->type, m_previous->bytes);
  } else {
    RegDeleteValueA(key.get(), m_name.c_str());
  }
}

}  // namespace platform
