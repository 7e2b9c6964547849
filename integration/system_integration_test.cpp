// The ini lookup against this target's real system service: under Wine WINDIR names the Windows
// directory; natively it is the one of the Wine prefix. (The real registry keeps the rules of the
// tests' fake one: platform/registry_test.cpp; the real shortcuts: platform/shell_test.cpp.)
#include <gtest/gtest.h>

#include <string>

#include "engine/files.h"
#include "integration/ini_file.h"
#include "platform/fake/scoped_environment.h"
#include "platform/fake/test_files.h"
#include "platform/system.h"

namespace {

TEST(SystemIntegrationTest, IniLookupTakesTheWindowsDirectoryUnderWine) {
  if (!platform::RealSystem().IsWineEnvironment()) GTEST_SKIP() << "not under Wine";
  platform::CScopedTempDir dir;
  const std::string windows = dir / "drive_c\\windows";
  int budget = 0;
  CreateDirectoryTree(windows, &budget);
  ASSERT_TRUE(platform::WriteWholeFile(windows + "\\qsim3.ini", "[Options]\r\n"));
#ifdef _WIN32
  platform::CScopedEnvironment windir("WINDIR", windows);
#else
  platform::CScopedEnvironment prefix("WINEPREFIX", platform::SystemPathForTest(dir.path()));
#endif
  EXPECT_EQ(windows + "\\qsim3.ini", FindIniFile());
}

}  // namespace
