#include "frontend/dialog_templates_test_support.h"

#include <deque>
#include <map>
#include <sstream>
#include <string>

#include "frontend/resource.h"
#include "platform/dialog.h"

namespace {

using platform::ControlKind;

// One statement of the script: its fields between commas, each a list of tokens (a string keeps
// its quotes; "A | B" gives A, |, B).
using Field = std::vector<std::string>;

std::vector<Field> SplitFields(const std::string& line) {
  std::vector<Field> fields(1);
  for (size_t i = 0; i < line.size();) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == ',') {
      fields.emplace_back();
      ++i;
    } else {
      size_t end = c == '"'   ? line.find('"', i + 1) + 1
                   : c == '|' ? i + 1
                              : line.find_first_of(" \t\r,|\"", i);
      if (end == 0 || end == std::string::npos) end = line.size();
      fields.back().push_back(line.substr(i, end - i));
      i = end;
    }
  }
  return fields;
}

class CScriptReader {
 public:
  CScriptReader() {
    m_symbols = {{"IDOK", platform::kIdOk}, {"IDCANCEL", platform::kIdCancel}};
    std::istringstream header(std::string(ResourceHeaderText, kResourceHeaderTextLength));
    for (std::string line; std::getline(header, line);) {
      std::istringstream words(line);
      std::string hash, name, value;
      if (words >> hash >> name >> value && hash == "#define") m_symbols[name] = Value(value);
    }
  }

  std::vector<platform::SDialogTemplate> ReadDialogs(const std::string& script) {
    std::vector<platform::SDialogTemplate> dialogs;
    bool inDialog = false;
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line);) {
      std::vector<Field> fields = SplitFields(line);
      const Field& head = fields[0];
      if (head.size() >= 2 && head[1] == "DIALOGEX") {
        dialogs.push_back(
            {Value(head[0]), "", Value(fields[2].at(0)), Value(fields[3].at(0)), "", 0, {}});
        inDialog = true;
      } else if (!inDialog || head.empty() || head[0] == "STYLE" || head[0] == "EXSTYLE" ||
                 head[0] == "BEGIN") {
        continue;
      } else if (head[0] == "CAPTION") {
        dialogs.back().caption = Text(head.at(1));
      } else if (head[0] == "FONT") {
        dialogs.back().fontPointSize = Value(head.at(1));
        dialogs.back().fontFace = Text(fields.at(1).at(0));
      } else if (head[0] == "END") {
        inDialog = false;
      } else {
        dialogs.back().controls.push_back(ReadControl(fields));
      }
    }
    return dialogs;
  }

 private:
  int Value(std::string token) {
    auto found = m_symbols.find(token);
    if (found != m_symbols.end()) return found->second;
    if (token.front() == '(') token = token.substr(1, token.size() - 2);
    return std::stoi(token);
  }

  // The text between the quotes, kept for as long as the program runs.
  const char* Text(const std::string& quoted) {
    return m_texts.emplace_back(quoted.substr(1, quoted.size() - 2)).c_str();
  }

  // The statements the installer's script uses:
  //   PUSHBUTTON|DEFPUSHBUTTON|LTEXT|CTEXT "text", id, x, y, w, h
  //   EDITTEXT id, x, y, w, h [, styles]
  //   CONTROL "text", id, "Button", BS_AUTORADIOBUTTON, x, y, w, h
  platform::SControlTemplate ReadControl(const std::vector<Field>& fields) {
    const std::string statement = fields[0].at(0);
    static const std::map<std::string, ControlKind> kKinds = {
        {"DEFPUSHBUTTON", ControlKind::kDefPushButton},
        {"PUSHBUTTON", ControlKind::kPushButton},
        {"LTEXT", ControlKind::kStaticLeft},
        {"CTEXT", ControlKind::kStaticCentre},
        {"EDITTEXT", ControlKind::kEdit},
        {"CONTROL", ControlKind::kAutoRadioButton}};
    platform::SControlTemplate control{};
    control.kind = kKinds.at(statement);
    size_t place = statement == "CONTROL" ? 4 : 2;
    if (statement == "EDITTEXT") {
      control.id = Value(fields[0].at(1));
      control.text = "";
      place = 1;
      if (fields.size() > 5 && fields[5].at(0) == "ES_MULTILINE") {
        control.kind = ControlKind::kMultiLineEdit;
      }
    } else {
      control.text = Text(fields[0].at(1));
      control.id = Value(fields.at(1).at(0));
    }
    for (int* number : {&control.x, &control.y, &control.width, &control.height}) {
      *number = Value(fields.at(place++).at(0));
    }
    return control;
  }

  std::map<std::string, int> m_symbols;
  std::deque<std::string> m_texts;
};

}  // namespace

const std::vector<platform::SDialogTemplate>& InstallerDialogTemplates() {
  static CScriptReader reader;
  static const std::vector<platform::SDialogTemplate> templates =
      reader.ReadDialogs(std::string(InstallerScriptText, kInstallerScriptTextLength));
  return templates;
}

std::vector<int> InstallerIconIds() { return {IDI_APP}; }
