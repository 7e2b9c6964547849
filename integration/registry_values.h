// Registry reads and deletions shared by the shortcut and clean-up steps. Every failure here is
// silent: the steps that use them report nothing about the registry.
#ifndef CIRVANE_INTEGRATION_REGISTRY_VALUES_H_
#define CIRVANE_INTEGRATION_REGISTRY_VALUES_H_

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

// Size of the buffer a registry value is read into; longer values count as missing.
constexpr size_t kValueBufferSize = 260;

// The text value `name` of `key` leaves in a zeroed kValueBufferSize-byte buffer, whatever its
// type: empty when the value is missing or does not fit.
std::string ReadValueText(platform::CRegistryKey& key, const char* name);

// The text of value `name` of `key` when it is a string (REG_SZ) that fits the buffer; nothing
// otherwise.
std::optional<std::string> ReadStringValue(platform::CRegistryKey& key, const char* name);

// Opens `keyPath` of `hive` for creating subkeys and deletes `subKeys` below it, in order. A
// subkey that is missing or still has subkeys of its own stays; a key that does not open is
// skipped.
void DeleteSubKeys(platform::Hive hive, const std::string& keyPath,
                   std::initializer_list<std::string_view> subKeys);

#endif  // CIRVANE_INTEGRATION_REGISTRY_VALUES_H_
