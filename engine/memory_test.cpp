#include "engine/memory.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "engine/message.h"
#include "platform/fake/fake_ui.h"

namespace {

#ifdef _WIN32
constexpr int kOutOfMemoryCode = kOutOfMemoryExitStatus;
#else
constexpr int kOutOfMemoryCode = kOutOfMemoryExitStatus & 0xFF;
#endif

TEST(MemoryDeathTest, RunningOutOfMemoryEndsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  platform::CFakeUi ui;
  platform::UseUi(&ui);
  EXPECT_EXIT(OutOfMemory(), testing::ExitedWithCode(kOutOfMemoryCode), "");
#if !defined(__SANITIZE_ADDRESS__)
  // AddressSanitizer stops an impossible allocation itself before the handler can run.
  auto failedNew = [] {
    InstallOutOfMemoryHandler();
    void* volatile block = ::operator new(SIZE_MAX / 2);
    ::operator delete(block);
  };
  EXPECT_EXIT(failedNew(), testing::ExitedWithCode(kOutOfMemoryCode), "");
#endif
}

}  // namespace
