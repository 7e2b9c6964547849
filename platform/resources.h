// Resources of the program itself: its version resource.
#ifndef CIRVANE_PLATFORM_RESOURCES_H_
#define CIRVANE_PLATFORM_RESOURCES_H_

#include <optional>
#include <string>

namespace platform {

class CResources {
 public:
  virtual ~CResources() = default;
  // The bytes of the program's version resource (type RT_VERSION, id 1) as the system keeps it:
  // a VS_VERSIONINFO block whose keys and string values are UTF-16LE. Nothing when the program
  // has none, it is empty or it cannot be loaded.
  virtual std::optional<std::string> ReadVersionBlock() = 0;
};

// The resource service in use: the real one unless a test installed another.
CResources& ResourcesService();
// Installs `resources` as the resource service; null puts the real one back. For tests.
void UseResources(CResources* resources);
// The real resource service of this target (the POSIX build's program has no resources).
CResources& RealResources();

}  // namespace platform

#endif  // CIRVANE_PLATFORM_RESOURCES_H_
