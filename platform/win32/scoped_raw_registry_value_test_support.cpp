// Raw registry values for tests, through the advapi32 calls.
#include <windows.h>

#include <memory>
#include <type_traits>
#include <vector>

#include "platform/fake/scoped_raw_registry_value.h"

namespace platform {
namespace {

// Large enough for the values tests replace.
constexpr DWORD kPreviousValueCapacity = 4096;

using MachineKey = std::unique_ptr<std::remove_pointer_t<HKEY>, decltype(&RegCloseKey)>;

// The machine's key `subKey` opened for reading and setting values, or null.
MachineKey OpenMachineKey(const std::string& subKey) {
  HKEY key = nullptr;
  LONG opened =
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
  return MachineKey(opened == ERROR_SUCCESS ? key : nullptr, &RegCloseKey);
}

int SetValue(HKEY key, const std::string& name, DWORD type, const std::string& bytes) {
  return RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                        static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

}  // namespace

CScopedRawRegistryValue::CScopedRawRegistryValue(std::string subKey, std::string name,
                                                 RawValueType type, const std::string& bytes)
    : m_subKey(std::move(subKey)), m_name(std::move(name)) {
  MachineKey key = OpenMachineKey(m_subKey);
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
  MachineKey key = OpenMachineKey(m_subKey);
  if (!m_set || !key.get()) return;
  if (m_previous) {
    SetValue(key.get(), m_name, m_previous->type, m_previous->bytes);
  } else {
    RegDeleteValueA(key.get(), m_name.c_str());
  }
}

}  // namespace platform
