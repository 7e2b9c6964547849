#include "integration/registry_values.h"

#include <memory>

std::string ReadValueText(platform::CRegistryKey& key, const char* name) {
  std::optional<platform::RegistryValue> value = key.QueryValue(name, kValueBufferSize);
  if (!value) return std::string();
  return value->data.substr(0, value->data.find('\0'));
}

std::optional<std::string> ReadStringValue(platform::CRegistryKey& key, const char* name) {
  std::optional<platform::RegistryValue> value = key.QueryValue(name, kValueBufferSize);
  if (!value || value->type != platform::ValueType::kString) return std::nullopt;
  return value->data;
}

void DeleteSubKeys(platform::Hive hive, const std::string& keyPath,
                   std::initializer_list<std::string_view> subKeys) {
  std::unique_ptr<platform::CRegistryKey> key = platform::RegistryService().OpenKey(
      hive, keyPath.c_str(), platform::KeyAccess::kCreateSubKey);
  if (!key) return;
  for (std::string_view subKey : subKeys) key->DeleteSubKey(std::string(subKey).c_str());
}
