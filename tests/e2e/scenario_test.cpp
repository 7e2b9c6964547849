#include "tests/e2e/scenario.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

TEST(ScenarioTest, ReadsStepsWithAndWithoutArguments) {
  std::optional<SStep> accept = ParseStep("accept");
  ASSERT_TRUE(accept);
  EXPECT_EQ(accept->kind, StepKind::kAccept);

  // Only the first '=' separates: a box text may hold more.
  std::optional<SStep> box = ParseStep("box=a=b\\nc");
  ASSERT_TRUE(box);
  EXPECT_EQ(box->kind, StepKind::kBox);
  EXPECT_EQ(box->argument, "a=b\\nc");

  std::optional<SStep> directory = ParseStep("dir=C:\\Program Files\\x");
  ASSERT_TRUE(directory);
  EXPECT_EQ(directory->argument, "C:\\Program Files\\x");
  EXPECT_TRUE(ParseStep("dir="));  // an empty directory is a case to try

  std::optional<SStep> exit = ParseStep("exit=-1");
  ASSERT_TRUE(exit);
  EXPECT_EQ(exit->number, -1);
  EXPECT_EQ(ParseStep("states=0000111")->argument, "0000111");
}

TEST(ScenarioTest, RefusesMalformedSteps) {
  for (const char* bad : {"", "press", "accept=1", "box", "states=000011", "states=00001111",
                          "states=00001x1", "exit=", "exit=zero", "exit=1x", "exit=100000"}) {
    EXPECT_FALSE(ParseStep(bad)) << "accepted \"" << bad << "\"";
  }
}

}  // namespace
}  // namespace e2e
