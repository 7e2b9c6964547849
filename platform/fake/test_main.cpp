// The test binary's entry point. No test may raise a real message box, which would wait for a
// click that never comes, so every box goes to a recording stand-in unless a test installs its
// own. Every file operation goes through the faulty file service with no fault armed, which
// refuses read-only files as Windows does for every user, so that no test passes only because
// it runs as root. Both are put back around every test, whatever a test left installed.
#include <gtest/gtest.h>

#include "platform/fake/fake_ui.h"
#include "platform/fake/faulty_files.h"

namespace {

platform::CFakeUi g_quietUi;
platform::CFaultyFiles g_windowsFiles;

void InstallQuietServices() {
  platform::UseUi(&g_quietUi);
  platform::UseFiles(&g_windowsFiles);
}

class CQuietServicesKeeper : public testing::EmptyTestEventListener {
 public:
  void OnTestStart(const testing::TestInfo&) override { InstallQuietServices(); }
  void OnTestEnd(const testing::TestInfo&) override { InstallQuietServices(); }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  InstallQuietServices();
  testing::UnitTest::GetInstance()->listeners().Append(new CQuietServicesKeeper);  // gtest's
  return RUN_ALL_TESTS();
}
