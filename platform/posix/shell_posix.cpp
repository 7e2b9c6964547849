// The shell on POSIX systems: shortcuts are freedesktop desktop entries (see platform/shell.h).
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "platform/posix/posix_paths.h"
#include "platform/shell.h"

namespace platform {
namespace {

constexpr std::string_view kGroupLine = "[Desktop Entry]";
constexpr std::string_view kFixedLines = "Type=Application\nVersion=1.0\n";
constexpr std::string_view kNameKey = "Name=";
constexpr std::string_view kExecKey = "Exec=";
constexpr std::string_view kPathKey = "Path=";
constexpr std::string_view kCommentKey = "Comment=";
// Starts the command line of a Windows program's entry.
constexpr std::string_view kWindowsProgramPrefix = "wine ";
constexpr std::string_view kExecQuotedCharacters = "\"`$\\";
constexpr char kFieldCodeMark = '%';
constexpr mode_t kNewDirectoryMode = 0777;
constexpr size_t kReadChunk = 4096;

// The escapes of a desktop-entry string value: backslash, line breaks, tab.
std::string EscapeValue(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '\\':
        escaped += "\\\\";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case '\t':
        escaped += "\\t";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string UnescapeValue(std::string_view text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      plain += text[i];
      continue;
    }
    char next = text[++i];
    switch (next) {
      case 'n':
        plain += '\n';
        break;
      case 'r':
        plain += '\r';
        break;
      case 't':
        plain += '\t';
        break;
      case 's':
        plain += ' ';
        break;
      default:
        plain += next;
    }
  }
  return plain;
}

// The command line of `target`: one quoted argument, run through Wine for a Windows program.
std::string ExecLine(std::string_view target) {
  std::string line = IsWindowsProgram(target) ? std::string(kWindowsProgramPrefix) : std::string();
  line += '"';
  for (char c : target) {
    if (kExecQuotedCharacters.find(c) != std::string_view::npos) line += '\\';
    if (c == kFieldCodeMark) line += kFieldCodeMark;
    line += c;
  }
  return line + '"';
}

std::string TargetOfExecLine(std::string_view line) {
  if (line.substr(0, kWindowsProgramPrefix.size()) == kWindowsProgramPrefix) {
    line.remove_prefix(kWindowsProgramPrefix.size());
  }
  if (line.size() < 2 || line.front() != '"' || line.back() != '"') return std::string(line);
  std::string target;
  for (size_t i = 1; i + 1 < line.size(); ++i) {
    if ((line[i] == '\\' || line[i] == kFieldCodeMark) && i + 2 < line.size()) ++i;
    target += line[i];
  }
  return target;
}

// The link's file name without folder and extension.
std::string EntryName(std::string_view linkPath) {
  size_t separator = linkPath.find_last_of("\\/");
  std::string_view name =
      separator == std::string_view::npos ? linkPath : linkPath.substr(separator + 1);
  size_t dot = name.rfind('.');
  return std::string(dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot));
}

void MakeParentDirectories(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    mkdir(path.substr(0, slash).c_str(), kNewDirectoryMode);
  }
}

bool WriteFile(const std::string& path, const std::string& content) {
  FILE* file = fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = fwrite(content.data(), 1, content.size(), file) == content.size();
  return fclose(file) == 0 && written;
}

bool ReadFile(const std::string& path, std::string* content) {
  FILE* file = fopen(path.c_str(), "rb");
  if (!file) return false;
  char chunk[kReadChunk];
  size_t count;
  while ((count = fread(chunk, 1, sizeof chunk, file)) > 0) content->append(chunk, count);
  bool failed = ferror(file) != 0;
  fclose(file);
  return !failed;
}

class CDesktopEntryLink : public CShellLink {
 public:
  int SetPath(const char* target) override {
    if (!*target) return 0;
    m_target = SystemPath(target);
    return 1;
  }
  int SetWorkingDirectory(const char* directory) override {
    m_directory = SystemPath(directory);
    return 1;
  }
  int SetDescription(const char* description) override {
    m_description = description;
    return 1;
  }

  int Save(const char* linkPath) override {
    std::string path = SystemPath(linkPath);
    MakeParentDirectories(path);
    return WriteFile(path, Format(EntryName(path)));
  }

 private:
  std::string Format(const std::string& name) const {
    std::string entry = std::string(kGroupLine) + "\n" + std::string(kFixedLines);
    entry += std::string(kNameKey) + EscapeValue(name) + "\n";
    if (!m_target.empty()) entry += std::string(kExecKey) + EscapeValue(ExecLine(m_target)) + "\n";
    if (!m_directory.empty()) entry += std::string(kPathKey) + EscapeValue(m_directory) + "\n";
    if (!m_description.empty()) {
      entry += std::string(kCommentKey) + EscapeValue(m_description) + "\n";
    }
    return entry;
  }

  std::string m_target;
  std::string m_directory;
  std::string m_description;
};

class CPosixShell : public CShell {
 public:
  std::unique_ptr<CShellLink> CreateLink() override {
    return std::make_unique<CDesktopEntryLink>();
  }

  std::optional<ShortcutDetails> ReadLink(const char* linkPath) override {
    std::string content;
    if (!ReadFile(SystemPath(linkPath), &content)) return std::nullopt;
    if (content.compare(0, kGroupLine.size(), kGroupLine) != 0) return std::nullopt;
    ShortcutDetails details;
    size_t start = 0;
    while (start < content.size()) {
      size_t end = std::min(content.find('\n', start), content.size());
      ReadEntryLine(std::string_view(content).substr(start, end - start), &details);
      start = end + 1;
    }
    return details;
  }

 private:
  static void ReadEntryLine(std::string_view line, ShortcutDetails* details) {
    auto valueOf = [line](std::string_view key) { return UnescapeValue(line.substr(key.size())); };
    if (line.substr(0, kExecKey.size()) == kExecKey) {
      details->target = ImportPath(TargetOfExecLine(valueOf(kExecKey)));
    } else if (line.substr(0, kPathKey.size()) == kPathKey) {
      details->workingDirectory = ImportPath(valueOf(kPathKey));
    } else if (line.substr(0, kCommentKey.size()) == kCommentKey) {
      details->description = valueOf(kCommentKey);
    }
  }
};

}  // namespace

CShell& RealShell() {
  static CPosixShell shell;
  return shell;
}

}  // namespace platform
