// The executable's own resources on Windows.
#include <windows.h>

#include "platform/resources.h"

namespace platform {
namespace {

constexpr int kVersionResourceId = 1;
constexpr int kVersionResourceType = 16;  // RT_VERSION

class CWin32Resources : public CResources {
 public:
  std::optional<std::string> ReadVersionBlock() override {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(kVersionResourceId),
                                MAKEINTRESOURCEA(kVersionResourceType));
    if (!found) return std::nullopt;
    DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = size ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return std::nullopt;
    return std::string(static_cast<const char*>(bytes), size);
  }
};

}  // namespace

CResources& RealResources() {
  static CWin32Resources resources;
  return resources;
}

}  // namespace platform
