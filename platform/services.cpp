// The service in use for each platform interface: the real one, or a test's stand-in.
#include "platform/files.h"
#include "platform/system.h"
#include "platform/ui.h"

namespace platform {
namespace {

CFileSystem* g_files = nullptr;
CUi* g_ui = nullptr;
CSystem* g_system = nullptr;

}  // namespace

CFileSystem& Files() { return g_files ? *g_files : RealFiles(); }
void UseFiles(CFileSystem* files) { g_files = files; }

CUi& UiService() { return g_ui ? *g_ui : RealUi(); }
void UseUi(CUi* ui) { g_ui = ui; }

CSystem& SystemService() { return g_system ? *g_system : RealSystem(); }
void UseSystem(CSystem* system) { g_system = system; }

}  // namespace platform
