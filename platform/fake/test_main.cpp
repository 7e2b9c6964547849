// The test binary's entry point. No test may raise a real message box, which would wait for a
// click that never comes, so every box goes to a recording stand-in unless a test installs its
// own.
#include <gtest/gtest.h>

#include "platform/fake/fake_ui.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  static platform::CFakeUi quietUi;
  platform::UseUi(&quietUi);
  return RUN_ALL_TESTS();
}
