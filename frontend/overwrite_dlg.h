// The question asked when the installation directory already holds the simulator: overwrite
// every file (the preselected choice) or update, merging the user's component databases.
#ifndef CIRVANE_FRONTEND_OVERWRITE_DLG_H_
#define CIRVANE_FRONTEND_OVERWRITE_DLG_H_

#include "frontend/resource.h"
#include "platform/dialog.h"

class COverwriteDlg : public platform::CDialog {
 public:
  COverwriteDlg() : CDialog(IDD_OVERWRITE) {}

  // After the dialog ended with OK: 1 when "Update Installation" was checked, 0 for
  // "Overwrite Installation(Recommended)".
  int m_update = 0;

  // Checks "Overwrite Installation(Recommended)".
  int OnInitDialog() override;

 protected:
  void DoDataExchange(platform::CDataExchange& exchange) override;
};

#endif  // CIRVANE_FRONTEND_OVERWRITE_DLG_H_
