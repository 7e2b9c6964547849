// Starting another program on POSIX: the quoted program path of the logic's backslash form, its
// arguments and its working directory reach the new process.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/fake/test_files.h"
#include "platform/system.h"

namespace {

constexpr int kWaitSteps = 100;
constexpr auto kWaitStep = std::chrono::milliseconds(50);

// The content of `path` once it holds a whole second line; "" when it never does.
std::string WaitForTwoLines(const std::string& path) {
  for (int step = 0; step < kWaitSteps; ++step) {
    std::string text = platform::ReadWholeFile(path);
    if (std::count(text.begin(), text.end(), '\n') >= 2) return text;
    std::this_thread::sleep_for(kWaitStep);
  }
  return "";
}

TEST(PosixSystemTest, StartsTheQuotedProgramInItsWorkingDirectory) {
  platform::CScopedTempDir dir;
  std::string script = dir / "Cirvane IV\\qsim3 stand-in.sh";
  std::filesystem::create_directory(platform::SystemPathForTest(dir / "Cirvane IV"));
  ASSERT_EQ(1, platform::WriteWholeFile(script,
                                        "#!/bin/sh\npwd > started.txt\necho \"$1\" >> "
                                        "started.txt\n"));
  std::filesystem::permissions(platform::SystemPathForTest(script),
                               std::filesystem::perms::owner_all);

  platform::CSystem& system = platform::RealSystem();
  EXPECT_EQ(1, system.StartProcess("\"" + script + "\" -uninstall", dir.path()));
  std::string started = WaitForTwoLines(dir / "started.txt");
  std::string expected =
      std::filesystem::canonical(platform::SystemPathForTest(dir.path())).string() +
      "\n-uninstall\n";
  EXPECT_EQ(expected, started);

  EXPECT_EQ(0, system.StartProcess("", dir.path())) << "no program named";
  EXPECT_EQ(0, system.StartProcess("\"\" x", dir.path()));
}

}  // namespace
