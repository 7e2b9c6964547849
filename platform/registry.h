// Registry service: keys under the four hives the installer touches, string values, the default
// (unnamed) value, and the rule that only a key without subkeys can be deleted.
//
// Key and value names are compared ignoring the case of ASCII letters and keep the case they
// were created with; subkey paths are separated by backslashes.
//
// On Windows this is the system registry. On POSIX it is one text file in the registry export
// format (platform/registry_export.h), `registry.reg` in the directory named by the environment
// variable CIRVANE_POSIX_HOME, or `$HOME/.cirvane` when that is not set. The file is read before
// every operation and written after every change. When it does not exist yet, the registry holds
// what a fresh Windows machine holds for the installer, with directories below that one in the
// backslash form of the logic: the user's shell folders "Desktop", "Start Menu" and "Programs", the
// machine's "Common Start Menu" and "Common Programs" ("All Users\Start Menu..."), the default
// user's "Programs", "ProgramFilesDir" ("Program Files") and the empty "Uninstall" key. Shortcuts
// (platform/shell.h) therefore land in "Desktop" and "Start Menu" there. HKEY_CLASSES_ROOT is a
// hive of its own, not a view of the machine's and the user's classes.
#ifndef CIRVANE_PLATFORM_REGISTRY_H_
#define CIRVANE_PLATFORM_REGISTRY_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class Hive { kLocalMachine, kCurrentUser, kUsers, kClassesRoot };

// What a key is opened for. Reading values needs kQueryValue, writing them kSetValue, creating
// subkeys kCreateSubKey; deleting a subkey needs no particular access to its parent.
enum class KeyAccess { kQueryValue, kSetValue, kCreateSubKey };

enum class ValueType {
  kString,  // REG_SZ
  kDword,   // REG_DWORD
  kOther,   // every other type
};

struct RegistryValue {
  ValueType type;
  // A string's text up to its first zero byte; the stored bytes of any other type (a number's
  // four bytes, least significant first).
  std::string data;
};

constexpr size_t kDwordSize = 4;
constexpr unsigned kBitsPerByte = 8;

// The stored bytes of the number `number`.
std::string DwordData(uint32_t number);
// The number whose stored bytes `data` are; nothing unless they are exactly kDwordSize bytes.
std::optional<uint32_t> DwordNumber(std::string_view data);

// An open key; closed when destroyed.
class CRegistryKey {
 public:
  virtual ~CRegistryKey() = default;
  // Makes sure subkey `name` exists below this key, creating it when needed; 1 on success.
  virtual int CreateSubKey(const char* name) = 0;
  // Value `name` ("" for the default value) when it exists and its stored data, a string with
  // its terminating zero, fits `capacity` bytes; nothing otherwise.
  virtual std::optional<RegistryValue> QueryValue(const char* name, size_t capacity) = 0;
  // Stores `text` as string value `name` ("" for the default value), with its terminating zero;
  // 1 on success.
  virtual int SetStringValue(const char* name, std::string_view text) = 0;
  // Stores `number` as number value (REG_DWORD) `name`; 1 on success.
  virtual int SetDwordValue(const char* name, uint32_t number) = 0;
  // Deletes subkey `name` when it has no subkeys of its own; 1 when it was deleted.
  virtual int DeleteSubKey(const char* name) = 0;
};

class CRegistry {
 public:
  virtual ~CRegistry() = default;
  // Opens `subKey` of `hive` ("" for the hive itself) for `access`; null when the key does not
  // exist or the access is refused.
  virtual std::unique_ptr<CRegistryKey> OpenKey(Hive hive, const char* subKey,
                                                KeyAccess access) = 0;
};

// The registry service in use: the real one unless a test installed another.
CRegistry& RegistryService();
// Installs `registry` as the registry service; null puts the real one back. For tests.
void UseRegistry(CRegistry* registry);
// The real registry of this target.
CRegistry& RealRegistry();

}  // namespace platform

#endif  // CIRVANE_PLATFORM_REGISTRY_H_
