// The service in use for each platform interface: the real one, or a test's stand-in.
#include "platform/files.h"
#include "platform/system.h"
#include "platform/ui.h"

namespace platform {
namespace {

FileSystem* g_files = nullptr;
Ui* g_ui = nullptr;
System* g_system = nullptr;

}  // namespace

FileSystem& Files() { return g_files ? *g_files : RealFiles(); }
void UseFiles(FileSystem* files) { g_files = files; }

Ui& UiService() { return g_ui ? *g_ui : RealUi(); }
void UseUi(Ui* ui) { g_ui = ui; }

System& SystemService() { return g_system ? *g_system : RealSystem(); }
void UseSystem(System* system) { g_system = system; }

}  // namespace platform
