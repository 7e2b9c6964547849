#include "platform/fake/headless_ui.h"

#include <algorithm>
#include <utility>

namespace platform {
namespace {

bool IsButton(ControlKind kind) {
  return kind == ControlKind::kDefPushButton || kind == ControlKind::kPushButton ||
         kind == ControlKind::kAutoRadioButton;
}

bool IsEdit(ControlKind kind) {
  return kind == ControlKind::kEdit || kind == ControlKind::kMultiLineEdit;
}

}  // namespace

CHeadlessWindow::CHeadlessWindow(CHeadlessUi& ui, CDialog& dialog, const SDialogTemplate& source)
    : m_ui(ui), m_dialog(dialog), m_source(source) {
  for (const SControlTemplate& control : source.controls) {
    m_controls.push_back(SHeadlessControl{control, control.text, true, false, ""});
  }
}

SHeadlessControl* CHeadlessWindow::Find(int id) {
  if (id == kIdNone) return nullptr;
  for (SHeadlessControl& control : m_controls) {
    if (control.source.id == id) return &control;
  }
  return nullptr;
}

const SHeadlessControl* CHeadlessWindow::Control(int id) const {
  return const_cast<CHeadlessWindow*>(this)->Find(id);
}

SHeadlessControl* CHeadlessWindow::Reachable(int id, const char* action,
                                             bool (*takes)(ControlKind kind)) {
  SHeadlessControl* control = Find(id);
  const char* fault = !control                       ? "no such control"
                      : !control->enabled            ? "disabled control"
                      : !takes(control->source.kind) ? "a control of another kind"
                                                     : nullptr;
  if (!fault) return control;
  m_ui.AddFault(std::string(action) + ": " + fault + " in dialog " + std::to_string(m_source.id) +
                ", control " + std::to_string(id));
  return nullptr;
}

int CHeadlessWindow::Type(int id, const std::string& text) {
  SHeadlessControl* control = Reachable(id, "type", IsEdit);
  if (!control) return 0;
  control->text = text;
  m_dialog.DispatchCommand(id, kEditChange);
  return 1;
}

int CHeadlessWindow::Click(int id) {
  SHeadlessControl* control = Reachable(id, "click", IsButton);
  if (!control) return 0;
  if (control->source.kind == ControlKind::kAutoRadioButton) CheckInGroup(*control);
  m_dialog.DispatchCommand(id, kButtonClicked);
  return 1;
}

void CHeadlessWindow::CheckInGroup(SHeadlessControl& chosen) {
  size_t index = static_cast<size_t>(&chosen - m_controls.data());
  size_t first = index;
  while (first > 0 && m_controls[first - 1].source.kind == ControlKind::kAutoRadioButton) --first;
  for (size_t i = first;
       i < m_controls.size() && m_controls[i].source.kind == ControlKind::kAutoRadioButton; ++i) {
    m_controls[i].checked = i == index;
  }
}

void CHeadlessWindow::PressEscape() { m_dialog.DispatchCommand(kIdCancel, kButtonClicked); }

int CHeadlessWindow::FireTimer(unsigned id) {
  if (m_timers.count(id) == 0) return 0;
  m_dialog.OnTimer(id);
  return 1;
}

void CHeadlessWindow::SetItemText(int id, const std::string& text) {
  SHeadlessControl* control = Find(id);
  if (!control || control->text == text) return;
  control->text = text;
  if (IsEdit(control->source.kind)) m_dialog.DispatchCommand(id, kEditChange);
}

unsigned CHeadlessWindow::SetTimer(unsigned id, unsigned milliseconds) {
  if (id == 0 || m_ui.TakeTimerFailure()) return 0;
  m_timers[id] = milliseconds;
  return id;
}

FontHandle CHeadlessWindow::MakeFont(const SFontSpec& spec) {
  if (!spec.face) return nullptr;
  m_fonts.push_back(std::make_unique<std::string>(spec.face));
  return m_fonts.back().get();
}

void CHeadlessWindow::SetItemFont(int id, FontHandle font) {
  SHeadlessControl* control = Find(id);
  if (!control || !font) return;
  control->fontFace = *static_cast<const std::string*>(font);
}

int CHeadlessWindow::ShowMessageBox(const char* text, const char* caption, unsigned style) {
  return m_ui.RecordBox(text, caption, style);
}

CHeadlessUi::CHeadlessUi(std::vector<SDialogTemplate> templates, std::vector<int> iconIds,
                         std::string applicationName)
    : m_templates(std::move(templates)),
      m_iconIds(std::move(iconIds)),
      m_applicationName(std::move(applicationName)) {}

void CHeadlessUi::Then(int templateId, Action action) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_script.push_back(SStep{templateId, std::move(action)});
}

int CHeadlessUi::ShowMessageBox(const char* text) {
  return RecordBox(text, m_applicationName.c_str(), kApplicationBoxStyle);
}

int CHeadlessUi::RecordBox(const char* text, const char* caption, unsigned style) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_boxes.push_back(SBox{text ? text : "", caption ? caption : "", style});
  return kMessageBoxOk;
}

int CHeadlessUi::RunModalDialog(CDialog& dialog) {
  auto source = std::find_if(m_templates.begin(), m_templates.end(),
                             [&](const SDialogTemplate& t) { return t.id == dialog.templateId(); });
  if (source == m_templates.end()) {
    AddFault("no template " + std::to_string(dialog.templateId()));
    return kDialogFailed;
  }
  CHeadlessWindow window(*this, dialog, *source);
  m_dialogsRun.push_back(source->id);
  dialog.AttachWindow(&window);
  dialog.OnInitDialog();
  bool finished = RunScript(window);
  dialog.AttachWindow(nullptr);
  return finished ? window.result() : kDialogFailed;
}

bool CHeadlessUi::RunScript(CHeadlessWindow& window) {
  SStep step;
  while (!window.ended()) {
    if (!TakeStep(&step)) {
      AddFault("the script ran out while dialog " + std::to_string(window.source().id) +
               " was open");
      return false;
    }
    if (step.templateId != window.source().id) {
      AddFault("a step for dialog " + std::to_string(step.templateId) + " reached dialog " +
               std::to_string(window.source().id));
      continue;
    }
    step.action(window);
  }
  return true;
}

bool CHeadlessUi::TakeStep(SStep* step) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_script.empty()) return false;
  *step = std::move(m_script.front());
  m_script.pop_front();
  return true;
}

IconHandle CHeadlessUi::LoadIconResource(int resourceId) {
  for (const int& id : m_iconIds) {
    if (id == resourceId) return &id;
  }
  return nullptr;
}

void CHeadlessUi::AddFault(const std::string& fault) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_faults.push_back(fault);
}

std::vector<CHeadlessUi::SBox> CHeadlessUi::boxes() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_boxes;
}

std::vector<std::string> CHeadlessUi::boxTexts() const {
  std::vector<std::string> texts;
  for (const SBox& box : boxes()) texts.push_back(box.text);
  return texts;
}

std::vector<std::string> CHeadlessUi::faults() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  std::vector<std::string> faults = m_faults;
  if (!m_script.empty()) faults.push_back(std::to_string(m_script.size()) + " steps left over");
  return faults;
}

}  // namespace platform
