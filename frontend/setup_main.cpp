// CirvaneIVSetup.exe: the installer program. It takes no command line; everything it needs is
// compiled in or asked of the user.
#include "engine/memory.h"
#include "frontend/install_app.h"

int main() {
  InstallOutOfMemoryHandler();
  CInstallApp app;
  app.InitInstance();
  return app.exitStatus();
}
