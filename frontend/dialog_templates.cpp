#include "frontend/dialog_templates.h"

#include "frontend/resource.h"
#include "platform/dialog.h"

namespace {

using platform::ControlKind;
using platform::kIdCancel;
using platform::kIdNone;
using platform::kIdOk;

constexpr const char* kDialogFont = "MS Sans Serif";
constexpr int kDialogFontPoints = 8;

platform::SDialogTemplate InstallTemplate() {
  return {IDD_INSTALL,
          "Cirvane IV Installation",
          273,
          236,
          kDialogFont,
          kDialogFontPoints,
          {
              {IDC_INSTALL_NOW, ControlKind::kDefPushButton, "Install Now", 98, 201, 77, 14},
              {kIdCancel, ControlKind::kPushButton, "Cancel", 29, 152, 58, 14},
              {IDC_LICENCE, ControlKind::kMultiLineEdit, "", 7, 20, 259, 125},
              {IDC_DIR_LABEL, ControlKind::kStaticLeft, "Installation Directory:", 7, 171, 112, 11},
              {IDC_INSTALL_DIR, ControlKind::kEdit, "", 7, 185, 207, 14},
              {IDC_BROWSE, ControlKind::kPushButton, "Browse", 216, 185, 50, 14},
              {IDC_ACCEPT, ControlKind::kPushButton, "Accept", 107, 152, 58, 14},
              {IDC_DECLINE, ControlKind::kPushButton, "Decline", 184, 152, 58, 14},
              {IDC_STATUS, ControlKind::kStaticLeft, "Static", 7, 218, 259, 14},
              {IDC_HEADING, ControlKind::kStaticCentre, "Static", 7, 2, 259, 14},
          }};
}

platform::SDialogTemplate QuitTemplate() {
  return {IDD_QUIT,
          "Cirvane IV Installation",
          186,
          57,
          kDialogFont,
          kDialogFontPoints,
          {
              {kIdOk, ControlKind::kDefPushButton, "Yes", 104, 36, 50, 14},
              {kIdCancel, ControlKind::kPushButton, "No", 23, 36, 50, 14},
              {kIdNone, ControlKind::kStaticCentre, "Reallly Quit installing Cirvane IV?", 7, 16,
               172, 14},
          }};
}

platform::SDialogTemplate OverwriteTemplate() {
  return {IDD_OVERWRITE,
          "Overwrite or Update?",
          187,
          108,
          kDialogFont,
          kDialogFontPoints,
          {
              {kIdNone, ControlKind::kStaticCentre,
               "A previous copy of Cirvane has been found.  Would you like to overwrite all files "
               "or update?",
               7, 5, 173, 26},
              {IDC_OVERWRITE, ControlKind::kAutoRadioButton, "Overwrite Installation(Recommended)",
               14, 35, 166, 12},
              {IDC_UPDATE, ControlKind::kAutoRadioButton, "Update Installation", 14, 48, 166, 12},
              {kIdOk, ControlKind::kDefPushButton, "OK", 130, 88, 50, 14},
              {kIdCancel, ControlKind::kPushButton, "Cancel", 7, 88, 50, 14},
              {kIdNone, ControlKind::kStaticCentre,
               "(Note:  Either way, it is never required to uninstall a previous version.)", 7, 63,
               173, 21},
          }};
}

}  // namespace

const std::vector<platform::SDialogTemplate>& InstallerDialogTemplates() {
  static const std::vector<platform::SDialogTemplate> templates = {
      InstallTemplate(), QuitTemplate(), OverwriteTemplate()};
  return templates;
}

std::vector<int> InstallerIconIds() { return {IDI_APP}; }
