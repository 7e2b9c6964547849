// The licence text's shape, which the multi-line edit box needs to show it line by line, and the
// manifest the resource script carries. (The script's dialog templates are what every dialog
// test runs on: dialog_templates_test_support.h.)
#include <gtest/gtest.h>

#include <string>

#include "frontend/dialog_templates_test_support.h"
#include "frontend/licence_text.h"
#include "platform/fake/test_files.h"

namespace {

TEST(FrontendTest, LicenceTextHasTheShapeTheEditBoxNeeds) {
  std::string text(LicenceText, kLicenceTextLength);
  EXPECT_EQ('\0', LicenceText[kLicenceTextLength]);
  EXPECT_EQ(std::string::npos, text.find('\0'));
  ASSERT_GE(text.size(), 2u);
  EXPECT_NE("\r\n", text.substr(text.size() - 2)) << "CR LF between lines, none after the last";
  size_t lineStart = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\r') {
      EXPECT_EQ('\n', text[i + 1]) << "a bare CR at " << i;
    } else if (c == '\n') {
      EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "a bare LF at " << i;
      lineStart = i + 1;
    } else {
      EXPECT_TRUE(c < 0x80 || c == 0xA9) << "plain ASCII but the (c) sign, at " << i;
      EXPECT_LT(i - lineStart, 66u) << "a line wider than the box at " << i;
    }
  }
}

#ifdef CIRVANE_FRONTEND_SOURCE_DIR
TEST(FrontendTest, ManifestAsksForAdministratorRights) {
  std::string manifest =
      platform::ReadWholeFile(std::string(CIRVANE_FRONTEND_SOURCE_DIR) + "/installer.manifest");
  EXPECT_NE(std::string::npos, manifest.find("level=\"requireAdministrator\""));
  const std::string script(InstallerScriptText, kInstallerScriptTextLength);
  EXPECT_NE(std::string::npos, script.find("1 RT_MANIFEST \"installer.manifest\""));
  EXPECT_NE(std::string::npos, script.find("VALUE \"ProductVersion\", CIRVANE_PRODUCT_VERSION"));
}
#endif

}  // namespace
