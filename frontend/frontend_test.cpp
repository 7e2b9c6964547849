// The licence text's shape, and the installer's templates as the host without windows builds them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "frontend/dialog_templates.h"
#include "frontend/licence_text.h"
#include "frontend/resource.h"
#include "platform/dialog.h"
#include "platform/fake/fake_ui.h"
#include "platform/fake/headless_ui.h"

namespace {

using platform::CHeadlessUi;
using platform::CHeadlessWindow;

constexpr size_t kLicenceLines = 47;
constexpr size_t kLicenceBytes = 2556;
constexpr size_t kLongestLicenceLine = 66;
constexpr unsigned char kCopyrightSign = 0xA9;

std::vector<std::string> SplitAtCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

TEST(FrontendTest, LicenceTextHasTheShapeTheEditBoxNeeds) {
  std::string text(LicenceText, kLicenceTextLength);
  EXPECT_EQ(kLicenceBytes, text.size());
  EXPECT_EQ('\0', LicenceText[kLicenceTextLength]);
  EXPECT_EQ(std::string::npos, text.find('\0'));
  std::vector<std::string> lines = SplitAtCrLf(text);
  EXPECT_EQ(kLicenceLines, lines.size()) << "CR LF between lines, none after the last";
  size_t longest = 0;
  for (const std::string& line : lines) {
    EXPECT_EQ(std::string::npos, line.find_first_of("\r\n")) << "a bare CR or LF in: " << line;
    longest = std::max(longest, line.size());
  }
  EXPECT_EQ(kLongestLicenceLine, longest);
  std::vector<unsigned char> high;
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) high.push_back(static_cast<unsigned char>(c));
  }
  EXPECT_EQ(std::vector<unsigned char>{kCopyrightSign}, high) << "plain ASCII but one (c) sign";
}

TEST(FrontendTest, HeadlessHostBuildsTheInstallerTemplates) {
  CHeadlessUi ui(InstallerDialogTemplates(), InstallerIconIds());
  platform::UseUi(&ui);
  EXPECT_NE(nullptr, ui.LoadIconResource(IDI_APP));

  platform::CDialog main(IDD_INSTALL);
  ui.Then(IDD_INSTALL, [](CHeadlessWindow& window) {
    EXPECT_EQ(std::string("Cirvane IV Installation"), window.source().caption);
    EXPECT_EQ("Installation Directory:", window.Text(IDC_DIR_LABEL));
    EXPECT_EQ(platform::ControlKind::kDefPushButton, window.Control(IDC_INSTALL_NOW)->source.kind);
    EXPECT_EQ(1, window.Type(IDC_LICENCE, "typed")) << "the licence box is not read-only";
  });
  ui.Click(IDD_INSTALL, IDC_ACCEPT);
  ui.Click(IDD_INSTALL, IDC_DECLINE);
  ui.PressEscape(IDD_INSTALL);
  EXPECT_EQ(platform::kIdCancel, main.DoModal());

  platform::CDialog overwrite(IDD_OVERWRITE);
  ui.Click(IDD_OVERWRITE, IDC_OVERWRITE);
  ui.Click(IDD_OVERWRITE, IDC_UPDATE);
  ui.Then(IDD_OVERWRITE, [](CHeadlessWindow& window) {
    EXPECT_FALSE(window.Checked(IDC_OVERWRITE)) << "the two radio buttons form one group";
    EXPECT_TRUE(window.Checked(IDC_UPDATE));
  });
  ui.Click(IDD_OVERWRITE, platform::kIdOk);
  EXPECT_EQ(platform::kIdOk, overwrite.DoModal());

  platform::CDialog quit(IDD_QUIT);
  ui.Click(IDD_QUIT, platform::kIdOk);
  EXPECT_EQ(platform::kIdOk, quit.DoModal()) << "Yes is IDOK";

  EXPECT_TRUE(ui.faults().empty()) << ui.faults()[0];
  static platform::CFakeUi quiet;
  platform::UseUi(&quiet);
}

}  // namespace
