#include "engine/memory.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/message.h"
#include "platform/fake/fake_ui.h"

namespace {

#ifdef _WIN32
constexpr int kOutOfMemoryCode = kOutOfMemoryExitStatus;
#else
constexpr int kOutOfMemoryCode = kOutOfMemoryExitStatus & 0xFF;
#endif

TEST(MemoryTest, ZeroReallocKeepsOldBytesAndZeroesTheTail) {
  EXPECT_EQ(nullptr, ZeroAlloc(0));
  auto* block = static_cast<unsigned char*>(ZeroAlloc(10));
  ASSERT_NE(nullptr, block);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(0, block[i]);
  memset(block, 0xAB, 10);

  block = static_cast<unsigned char*>(ZeroRealloc(block, 100000));
  for (int i = 0; i < 10; ++i) ASSERT_EQ(0xAB, block[i]);
  for (int i = 10; i < 100000; ++i) ASSERT_EQ(0, block[i]) << "byte " << i;

  block = static_cast<unsigned char*>(ZeroRealloc(block, 5));
  block = static_cast<unsigned char*>(ZeroRealloc(block, 8));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(0xAB, block[i]);
  for (int i = 5; i < 8; ++i) EXPECT_EQ(0, block[i]) << "bytes cut off come back as zero";
  EXPECT_EQ(nullptr, ZeroRealloc(block, 0));

  block = static_cast<unsigned char*>(ZeroRealloc(nullptr, 3));
  EXPECT_EQ(0, block[2]);
  ZeroFree(block);
}

TEST(MemoryDeathTest, RunningOutOfMemoryEndsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  platform::CFakeUi ui;
  platform::UseUi(&ui);
  EXPECT_EXIT(OutOfMemory(), testing::ExitedWithCode(kOutOfMemoryCode), "");
  EXPECT_EXIT(ZeroAlloc(SIZE_MAX - 4), testing::ExitedWithCode(kOutOfMemoryCode), "");
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
