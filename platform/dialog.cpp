#include "platform/dialog.h"

namespace platform {

void ExchangeText(CDataExchange& exchange, int id, std::string& value) {
  if (exchange.saving()) {
    value = exchange.window().GetItemText(id);
  } else {
    exchange.window().SetItemText(id, value);
  }
}

void ExchangeCheck(CDataExchange& exchange, int id, int& value) {
  if (exchange.saving()) {
    value = exchange.window().IsButtonChecked(id);
  } else {
    exchange.window().CheckButton(id, value != 0);
  }
}

int CDialog::UpdateData(int saving) {
  if (!m_window) return 0;
  CDataExchange exchange(*m_window, saving);
  if (saving) {
    DoDataExchange(exchange);
    return 1;
  }
  // Nested runs (a notification handler giving data again) keep the count balanced.
  ++m_givingData;
  DoDataExchange(exchange);
  --m_givingData;
  return 1;
}

void CDialog::EnableItem(int id, int enable) {
  if (m_window) m_window->EnableItem(id, enable);
}

void CDialog::CheckRadioButton(int firstId, int lastId, int checkId) {
  if (!m_window) return;
  for (int id = firstId; id <= lastId; ++id) m_window->CheckButton(id, id == checkId);
}

unsigned CDialog::SetTimer(unsigned id, unsigned milliseconds) {
  return m_window ? m_window->SetTimer(id, milliseconds) : 0;
}

int CDialog::KillTimer(unsigned id) { return m_window ? m_window->KillTimer(id) : 0; }

void CDialog::UpdateWindow() {
  if (m_window) m_window->UpdateWindow();
}

void CDialog::SetSmallIcon(IconHandle icon) {
  if (m_window) m_window->SetSmallIcon(icon);
}

int CDialog::SetItemFont(int id, const SFontSpec& spec) {
  if (!m_window) return 0;
  FontHandle font = m_window->MakeFont(spec);
  if (!font) return 0;
  m_window->SetItemFont(id, font);
  return 1;
}

int CDialog::ShowMessageBox(const char* text, const char* caption, unsigned style) {
  return m_window ? m_window->ShowMessageBox(text, caption, style) : 0;
}

void CDialog::EndDialog(int result) {
  if (m_window) m_window->EndDialog(result);
}

void CDialog::DispatchCommand(int id, int code) {
  if (m_givingData && code == kEditChange) return;
  OnCommand(id, code);
}

int CDialog::OnInitDialog() {
  UpdateData(0);
  return 1;
}

void CDialog::OnOK() {
  UpdateData(1);
  EndDialog(kIdOk);
}

void CDialog::OnCancel() { EndDialog(kIdCancel); }

void CDialog::OnCommand(int id, int code) {
  if (code != kButtonClicked) return;
  if (id == kIdOk) {
    OnOK();
  } else if (id == kIdCancel) {
    OnCancel();
  }
}

}  // namespace platform
