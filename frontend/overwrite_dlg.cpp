#include "frontend/overwrite_dlg.h"

int COverwriteDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CheckRadioButton(IDC_OVERWRITE, IDC_UPDATE, IDC_OVERWRITE);
  return 1;
}

void COverwriteDlg::DoDataExchange(platform::CDataExchange& exchange) {
  ExchangeCheck(exchange, IDC_UPDATE, m_update);
}
