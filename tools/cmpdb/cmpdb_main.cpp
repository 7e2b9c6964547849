// cmpdb's entry point. The merges report problems through message boxes; here every box becomes
// a line on stderr, so that the tool never waits for a click.
#include <cstdio>

#include "engine/memory.h"
#include "platform/ui.h"
#include "tools/cmpdb/commands.h"

namespace {

class CStderrUi : public platform::CUi {
 public:
  int ShowMessageBox(const char* text) override {
    std::fprintf(stderr, "%s\n", text);
    return platform::kMessageBoxOk;
  }
};

}  // namespace

int main(int argc, char** argv) {
  InstallOutOfMemoryHandler();
  CStderrUi ui;
  platform::UseUi(&ui);
  return RunCmpdb(std::vector<std::string>(argv + 1, argv + argc), stdout);
}
