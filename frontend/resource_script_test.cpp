// The resource script, read as text, against the description the host without windows uses; and
// the manifest the script names.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "frontend/dialog_templates.h"
#include "frontend/resource.h"
#include "platform/dialog.h"

namespace {

using platform::ControlKind;

const std::string kSourceDir = CIRVANE_FRONTEND_SOURCE_DIR;

std::string ReadSource(const std::string& name) {
  std::ifstream file(kSourceDir + "/" + name, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

// A statement of the script: its fields between commas, each a list of tokens (strings keep
// their quotes, "A | B" gives A, |, B).
using Field = std::vector<std::string>;

std::vector<Field> SplitFields(const std::string& line) {
  std::vector<Field> fields(1);
  for (size_t i = 0; i < line.size();) {
    char c = line[i];
    if (isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == ',') {
      fields.emplace_back();
      ++i;
    } else if (c == '"') {
      size_t end = line.find('"', i + 1);
      if (end == std::string::npos) end = line.size() - 1;
      fields.back().push_back(line.substr(i, end - i + 1));
      i = end + 1;
    } else if (c == '|') {
      fields.back().push_back("|");
      ++i;
    } else {
      size_t end = line.find_first_of(" \t,|\"", i);
      if (end == std::string::npos) end = line.size();
      fields.back().push_back(line.substr(i, end - i));
      i = end;
    }
  }
  return fields;
}

struct SScriptControl {
  std::string statement;
  platform::SControlTemplate control;
  std::set<std::string> styles;
  std::string text;
};

struct SScriptDialog {
  int width = 0, height = 0;
  std::string caption, fontFace;
  int fontPoints = 0;
  std::vector<SScriptControl> controls;
};

class CScriptReader {
 public:
  CScriptReader() {
    m_symbols = {{"IDOK", platform::kIdOk}, {"IDCANCEL", platform::kIdCancel}};
    std::istringstream header(ReadSource("resource.h"));
    for (std::string line; std::getline(header, line);) {
      std::istringstream words(line);
      std::string hash, name, value;
      if (words >> hash >> name >> value && hash == "#define") m_symbols[name] = Number(value);
    }
  }

  std::map<int, SScriptDialog> ReadDialogs(const std::string& script) {
    std::map<int, SScriptDialog> dialogs;
    SScriptDialog* current = nullptr;
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line);) {
      std::vector<Field> fields = SplitFields(line);
      Field& head = fields[0];
      if (head.empty() || head[0][0] == '#' || head[0].rfind("//", 0) == 0) continue;
      if (head.size() >= 2 && head[1] == "DIALOGEX") {
        current = &dialogs[Value(head[0])];
        current->width = Value(fields[2].at(0));
        current->height = Value(fields[3].at(0));
      } else if (current && (head[0] == "STYLE" || head[0] == "EXSTYLE")) {
        continue;
      } else if (current && head[0] == "CAPTION") {
        current->caption = Unquote(head.at(1));
      } else if (current && head[0] == "FONT") {
        current->fontPoints = Value(head.at(1));
        current->fontFace = Unquote(fields.at(1).at(0));
      } else if (current && head[0] == "END") {
        current = nullptr;
      } else if (current && head[0] != "BEGIN") {
        current->controls.push_back(ReadControl(fields));
      }
    }
    return dialogs;
  }

 private:
  static int Number(const std::string& text) {
    std::string digits = text;
    digits.erase(std::remove(digits.begin(), digits.end(), '('), digits.end());
    digits.erase(std::remove(digits.begin(), digits.end(), ')'), digits.end());
    return std::stoi(digits);
  }

  int Value(const std::string& token) {
    auto found = m_symbols.find(token);
    return found != m_symbols.end() ? found->second : Number(token);
  }

  static std::string Unquote(const std::string& token) {
    return token.size() >= 2 ? token.substr(1, token.size() - 2) : token;
  }

  static std::set<std::string> Styles(const Field& field) {
    std::set<std::string> styles;
    for (const std::string& token : field) {
      if (token != "|") styles.insert(token);
    }
    return styles;
  }

  // Fields of the kinds the installer uses:
  //   PUSHBUTTON|DEFPUSHBUTTON|LTEXT|CTEXT "text", id, x, y, w, h
  //   EDITTEXT id, x, y, w, h [, styles]
  //   CONTROL "text", id, "class", styles, x, y, w, h
  SScriptControl ReadControl(std::vector<Field>& fields) {
    SScriptControl read;
    Field& head = fields[0];
    read.statement = head.at(0);
    size_t place = 2;
    if (read.statement == "EDITTEXT") {
      read.control.id = Value(head.at(1));
      place = 1;
      if (fields.size() > 5) read.styles = Styles(fields[5]);
    } else {
      read.text = Unquote(head.at(1));
      read.control.id = Value(fields.at(1).at(0));
    }
    if (read.statement == "CONTROL") {
      read.styles = Styles(fields.at(3));
      read.styles.insert(Unquote(fields.at(2).at(0)));
      place = 4;
    }
    int* numbers[] = {&read.control.x, &read.control.y, &read.control.width, &read.control.height};
    for (int* number : numbers) *number = Value(fields.at(place++).at(0));
    read.control.kind = KindOf(read);
    return read;
  }

  static ControlKind KindOf(const SScriptControl& read) {
    const std::string& statement = read.statement;
    if (statement == "DEFPUSHBUTTON") return ControlKind::kDefPushButton;
    if (statement == "PUSHBUTTON") return ControlKind::kPushButton;
    if (statement == "LTEXT") return ControlKind::kStaticLeft;
    if (statement == "CTEXT") return ControlKind::kStaticCentre;
    if (statement == "EDITTEXT") {
      return read.styles.count("ES_MULTILINE") ? ControlKind::kMultiLineEdit : ControlKind::kEdit;
    }
    if (read.styles.count("Button") && read.styles.count("BS_AUTORADIOBUTTON")) {
      return ControlKind::kAutoRadioButton;
    }
    ADD_FAILURE() << "a control the description has no kind for: " << statement;
    return ControlKind::kPushButton;
  }

  std::map<std::string, int> m_symbols;
};

TEST(ResourceScriptTest, TemplatesMatchTheHeadlessDescription) {
  std::map<int, SScriptDialog> script = CScriptReader().ReadDialogs(ReadSource("installer.rc"));
  ASSERT_EQ(InstallerDialogTemplates().size(), script.size());
  for (const platform::SDialogTemplate& described : InstallerDialogTemplates()) {
    SCOPED_TRACE("template " + std::to_string(described.id));
    ASSERT_EQ(1u, script.count(described.id));
    const SScriptDialog& dialog = script[described.id];
    EXPECT_EQ(described.caption, dialog.caption);
    EXPECT_EQ(described.fontFace, dialog.fontFace);
    EXPECT_EQ(described.fontPointSize, dialog.fontPoints);
    EXPECT_EQ((std::vector<int>{described.width, described.height}),
              (std::vector<int>{dialog.width, dialog.height}));
    ASSERT_EQ(described.controls.size(), dialog.controls.size());
    for (size_t i = 0; i < dialog.controls.size(); ++i) {
      const platform::SControlTemplate& want = described.controls[i];
      const SScriptControl& got = dialog.controls[i];
      SCOPED_TRACE("control " + std::to_string(i) + " (" + got.statement + ")");
      EXPECT_EQ(want.id, got.control.id);
      EXPECT_EQ(want.kind, got.control.kind);
      EXPECT_EQ(want.text, got.text);
      EXPECT_EQ(
          (std::vector<int>{want.x, want.y, want.width, want.height}),
          (std::vector<int>{got.control.x, got.control.y, got.control.width, got.control.height}));
    }
  }
}

TEST(ResourceScriptTest, ManifestAsksForAdministratorRights) {
  std::string manifest = ReadSource("installer.manifest");
  EXPECT_NE(std::string::npos, manifest.find("level=\"requireAdministrator\""));
  std::string script = ReadSource("installer.rc");
  EXPECT_NE(std::string::npos, script.find("1 RT_MANIFEST \"installer.manifest\""));
  EXPECT_NE(std::string::npos, script.find("VALUE \"ProductVersion\", CIRVANE_PRODUCT_VERSION"));
}

}  // namespace
