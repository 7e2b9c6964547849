#include "frontend/install_app.h"

#include <optional>

#include "engine/message.h"
#include "frontend/install_dlg.h"
#include "frontend/licence_text.h"
#include "frontend/product_version.h"
#include "platform/resources.h"

std::string g_productVersion;
std::string g_companyName;

int CInstallApp::InitInstance() {
  std::optional<std::string> block = platform::ResourcesService().ReadVersionBlock();
  g_productVersion = block ? ReadProductVersion(*block) : std::string();
  g_companyName = block ? ReadCompanyName(*block) : std::string();
  CInstallDlg dialog;
  dialog.m_licence.assign(LicenceText, kLicenceTextLength);
  if (dialog.DoModal() == platform::kDialogFailed) m_exitStatus = kFailureExitStatus;
  return 0;
}
