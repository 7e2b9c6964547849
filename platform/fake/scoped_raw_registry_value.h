// A value of the system registry (Windows only) holding raw bytes of a type the registry service
// never writes, for one scope, then put back as it was (or deleted when there was none).
#ifndef CIRVANE_PLATFORM_FAKE_SCOPED_RAW_REGISTRY_VALUE_H_
#define CIRVANE_PLATFORM_FAKE_SCOPED_RAW_REGISTRY_VALUE_H_

#include <optional>
#include <string>

namespace platform {

// The system's numbers of the value types.
enum class RawValueType : unsigned long {
  kExpandableString = 2,  // REG_EXPAND_SZ
  kBinary = 3,            // REG_BINARY
};

class CScopedRawRegistryValue {
 public:
  // Sets value `name` of the machine's key `subKey`, which must exist, to `bytes`.
  CScopedRawRegistryValue(std::string subKey, std::string name, RawValueType type,
                          const std::string& bytes);
  ~CScopedRawRegistryValue();
  CScopedRawRegistryValue(const CScopedRawRegistryValue&) = delete;
  CScopedRawRegistryValue& operator=(const CScopedRawRegistryValue&) = delete;

  // 1 when the value was set.
  int set() const { return m_set; }

 private:
  struct SStored {
    unsigned long type;
    std::string bytes;
  };
  std::string m_subKey;
  std::string m_name;
  std::optional<SStored> m_previous;
  int m_set = 0;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_FAKE_SCOPED_RAW_REGISTRY_VALUE_H_
