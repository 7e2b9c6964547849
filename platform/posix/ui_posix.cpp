// Message boxes on POSIX systems: the text goes to the standard error stream, prefixed with the
// program's name, and counts as answered with OK.
#include <cstdio>

#include "platform/ui.h"

extern "C" const char* program_invocation_short_name;

namespace platform {
namespace {

class CPosixUi : public CUi {
 public:
  int ShowMessageBox(const char* text) override {
    fprintf(stderr, "[%s] %s\n", program_invocation_short_name, text);
    fflush(stderr);
    return kMessageBoxOk;
  }
};

}  // namespace

CUi& RealUi() {
  static CPosixUi ui;
  return ui;
}

}  // namespace platform
