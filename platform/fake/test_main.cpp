// The test binary's entry point. No test may raise a real message box, which would wait for a
// click that never comes, so every box goes to a recording stand-in unless a test installs its
// own; the stand-in is put back around every test, whatever a test left installed.
#include <gtest/gtest.h>

#include "platform/fake/fake_ui.h"

namespace {

platform::CFakeUi g_quietUi;

class CQuietUiKeeper : public testing::EmptyTestEventListener {
 public:
  void OnTestStart(const testing::TestInfo&) override { platform::UseUi(&g_quietUi); }
  void OnTestEnd(const testing::TestInfo&) override { platform::UseUi(&g_quietUi); }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  platform::UseUi(&g_quietUi);
  testing::UnitTest::GetInstance()->listeners().Append(new CQuietUiKeeper);  // owned by gtest
  return RUN_ALL_TESTS();
}
