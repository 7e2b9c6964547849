// The resource service in use.
#include "platform/resources.h"

namespace platform {
namespace {

CResources* g_resources = nullptr;

}  // namespace

CResources& ResourcesService() { return g_resources ? *g_resources : RealResources(); }
void UseResources(CResources* resources) { g_resources = resources; }

}  // namespace platform
