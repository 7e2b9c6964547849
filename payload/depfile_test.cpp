#include "payload/depfile.h"

#include <gtest/gtest.h>

namespace {

TEST(DepfileTest, EscapesWhatMakeAndNinjaRead) {
  EXPECT_EQ(RenderDepfile("/o/t.cpp", {"/tree/a b#1$x", "/tree"}),
            "/o/t.cpp: \\\n  /tree/a\\ b\\#1$$x \\\n  /tree\n");
}

}  // namespace
