#include "integration/uninstall_log.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "engine/worker.h"
#include "platform/fake/fake_services_test.h"

namespace {

void SetInstallDir(const std::string& dir) {
  snprintf(g_installDir, sizeof g_installDir, "%s", dir.c_str());
}

using UninstallLogTest = platform::CFakeServicesTest;

TEST_F(UninstallLogTest, HoldsBothLinksWithCrLfIsRewrittenWholeAndSkipsAMissingDirectory) {
  SetInstallDir(m_dir.path());
  WriteUninstallInfo("C:\\Users\\u\\Start Menu\\Cirvane IV.lnk",
                     "C:\\Users\\u\\Desktop\\Cirvane IV.lnk");
  WriteUninstallInfo("S.lnk", "D.lnk");
  EXPECT_EQ("Link:S.lnk\r\nLink:D.lnk\r\n", platform::ReadWholeFile(m_dir / "uninstall.info"));

  SetInstallDir(m_dir / "missing");
  WriteUninstallInfo("S.lnk", "D.lnk");
  EXPECT_EQ(1u, platform::CountFiles(m_dir.path())) << "only the first log";
  EXPECT_TRUE(m_ui.boxes().empty());
}

}  // namespace
