// The service in use for each platform interface: the real one, or a test's stand-in.
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/ui.h"

namespace platform {
namespace {

CFileSystem* g_files = nullptr;
CUi* g_ui = nullptr;
CSystem* g_system = nullptr;
CRegistry* g_registry = nullptr;
CShell* g_shell = nullptr;

}  // namespace

CFileSystem& Files() { return g_files ? *g_files : RealFiles(); }
void UseFiles(CFileSystem* files) { g_files = files; }

CUi& UiService() { return g_ui ? *g_ui : RealUi(); }
void UseUi(CUi* ui) { g_ui = ui; }

CSystem& SystemService() { return g_system ? *g_system : RealSystem(); }
void UseSystem(CSystem* system) { g_system = system; }

CRegistry& RegistryService() { return g_registry ? *g_registry : RealRegistry(); }
void UseRegistry(CRegistry* registry) { g_registry = registry; }

CShell& ShellService() { return g_shell ? *g_shell : RealShell(); }
void UseShell(CShell* shell) { g_shell = shell; }

}  // namespace platform
