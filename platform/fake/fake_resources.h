// A resource service for tests: serves the version block it was given.
#ifndef CIRVANE_PLATFORM_FAKE_FAKE_RESOURCES_H_
#define CIRVANE_PLATFORM_FAKE_FAKE_RESOURCES_H_

#include <utility>

#include "platform/resources.h"

namespace platform {

class CFakeResources : public CResources {
 public:
  explicit CFakeResources(std::optional<std::string> versionBlock = std::nullopt)
      : m_versionBlock(std::move(versionBlock)) {}
  std::optional<std::string> ReadVersionBlock() override { return m_versionBlock; }

 private:
  std::optional<std::string> m_versionBlock;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_FAKE_FAKE_RESOURCES_H_
