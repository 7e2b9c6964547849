// Any text is a registry file: reading must never crash, and what it read must survive being
// written and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/registry_export.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::CRegistryTree tree;
  platform::ParseRegistryExport(std::string_view(reinterpret_cast<const char*>(data), size), &tree);
  std::string written = platform::FormatRegistryExport(tree);
  platform::CRegistryTree reread;
  platform::ParseRegistryExport(written, &reread);
  if (platform::FormatRegistryExport(reread) != written) __builtin_trap();
  return 0;
}
