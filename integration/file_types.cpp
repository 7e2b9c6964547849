#include "integration/file_types.h"

#include <memory>
#include <optional>
#include <string>

#include "engine/text_search.h"
#include "integration/registry_values.h"
#include "platform/registry.h"

namespace {

using platform::Hive;
using platform::KeyAccess;

constexpr char kDefaultIconKey[] = "\\DefaultIcon";
constexpr char kProgramIconMark[] = "\\qsim3.exe,";
constexpr char kProductMark[] = "Cirvane";
constexpr char kDefaultValue[] = "";
constexpr char kClassesRoot[] = "";

// True when the default value of HKEY_CLASSES_ROOT `keyPath` is a string holding `mark`,
// ignoring case.
bool DefaultValueHolds(const std::string& keyPath, const char* mark) {
  std::unique_ptr<platform::CRegistryKey> key = platform::RegistryService().OpenKey(
      Hive::kClassesRoot, keyPath.c_str(), KeyAccess::kQueryValue);
  if (!key) return false;
  std::optional<std::string> text = ReadStringValue(*key, kDefaultValue);
  return text && FindNoCase(text->c_str(), mark) != nullptr;
}

bool ProgIdUsesProgramIcon(const std::string& progId) {
  return DefaultValueHolds(progId + kDefaultIconKey, kProgramIconMark);
}

bool ExtensionNamesProduct(const std::string& extension) {
  return DefaultValueHolds(extension, kProductMark);
}

// Bottom-up, so each key is empty by the time its parent deletes it.
void RemoveProgId(const std::string& progId) {
  const std::string shell = progId + "\\shell";
  DeleteSubKeys(Hive::kClassesRoot, shell + "\\open\\ddeexec", {"Application"});
  DeleteSubKeys(Hive::kClassesRoot, shell + "\\open", {"ddeexec", "command"});
  DeleteSubKeys(Hive::kClassesRoot, shell + "\\print", {"ddeexec", "command"});
  DeleteSubKeys(Hive::kClassesRoot, shell + "\\printto", {"ddeexec", "command"});
  DeleteSubKeys(Hive::kClassesRoot, shell, {"open", "print", "printto"});
  DeleteSubKeys(Hive::kClassesRoot, progId, {"DefaultIcon", "shell"});
  DeleteSubKeys(Hive::kClassesRoot, kClassesRoot, {progId});
}

void RemoveExtension(const std::string& extension) {
  DeleteSubKeys(Hive::kClassesRoot, extension, {"ShellNew"});
  DeleteSubKeys(Hive::kClassesRoot, kClassesRoot, {extension});
}

}  // namespace

void RemoveOldFileTypes() {
  for (const char* progId : kProgIds) {
    if (ProgIdUsesProgramIcon(progId)) RemoveProgId(progId);
  }
  for (const char* extension : kExtensions) {
    if (ExtensionNamesProduct(extension)) RemoveExtension(extension);
  }
}
