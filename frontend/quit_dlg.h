// The question asked when the user leaves the main dialog during an installation: "Yes" (IDOK)
// quits, "No", Esc and the close box (IDCANCEL) go on installing.
#ifndef CIRVANE_FRONTEND_QUIT_DLG_H_
#define CIRVANE_FRONTEND_QUIT_DLG_H_

#include "frontend/resource.h"
#include "platform/dialog.h"

class CQuitDlg : public platform::CDialog {
 public:
  CQuitDlg() : CDialog(IDD_QUIT) {}
};

#endif  // CIRVANE_FRONTEND_QUIT_DLG_H_
