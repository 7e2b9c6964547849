// A POSIX program carries no resources.
#include "platform/resources.h"

namespace platform {
namespace {

class CPosixResources : public CResources {
 public:
  std::optional<std::string> ReadVersionBlock() override { return std::nullopt; }
};

}  // namespace

CResources& RealResources() {
  static CPosixResources resources;
  return resources;
}

}  // namespace platform
