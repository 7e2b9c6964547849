#include "platform/registry_export.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace platform {
namespace {

constexpr char kEscape = '\\';
constexpr char kQuote = '"';
constexpr char kDefaultValueName = '@';
constexpr char kComment = ';';
constexpr char kKeyOpen = '[';
constexpr char kKeyClose = ']';
constexpr char kContinuation = '\\';
constexpr std::string_view kStringBytesPrefix = "hex(1):";
constexpr std::string_view kDwordPrefix = "dword:";
constexpr size_t kDwordDigits = 8;
constexpr size_t kDwordTextSize = kDwordDigits + 1;  // and the terminating zero of snprintf
constexpr std::string_view kDeleteMarker = "-";
constexpr std::string_view kBlanks = " \t";
constexpr size_t kHexByteTextSize = 3;  // two digits and the terminating zero of snprintf
constexpr int kHexBase = 16;
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7f;

bool IsControlCode(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  return byte < kFirstPrintable || byte == kDelete;
}

std::string_view TrimBlanks(std::string_view text) {
  size_t start = text.find_first_not_of(kBlanks);
  if (start == std::string_view::npos) return {};
  size_t end = text.find_last_not_of(kBlanks);
  return text.substr(start, end - start + 1);
}

std::string Quote(std::string_view text) {
  std::string quoted(1, kQuote);
  for (char c : text) {
    if (c == kEscape || c == kQuote) quoted += kEscape;
    quoted += c;
  }
  quoted += kQuote;
  return quoted;
}

std::string StringBytes(std::string_view text) {
  std::string written(kStringBytesPrefix);
  char digits[kHexByteTextSize];
  for (char c : text) {
    snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(c));
    written += digits;
    written += ',';
  }
  return written + "00";
}

std::string DwordText(const std::string& data) {
  char digits[kDwordTextSize];
  snprintf(digits, sizeof digits, "%08lx",
           static_cast<unsigned long>(DwordNumber(data).value_or(0)));
  return std::string(kDwordPrefix) + digits;
}

std::string FormatValue(const std::string& name, const RegistryValue& value) {
  std::string line = name.empty() ? std::string(1, kDefaultValueName) : Quote(name);
  line += '=';
  if (value.type == ValueType::kOther) return line + value.data;
  if (value.type == ValueType::kDword) return line + DwordText(value.data);
  bool plain = std::none_of(value.data.begin(), value.data.end(), IsControlCode);
  return line + (plain ? Quote(value.data) : StringBytes(value.data));
}

// Reads a quoted text at the start of `text`; `rest` receives what follows the closing quote.
std::optional<std::string> ReadQuoted(std::string_view text, std::string_view* rest) {
  if (text.empty() || text.front() != kQuote) return std::nullopt;
  std::string unquoted;
  for (size_t i = 1; i < text.size(); ++i) {
    if (text[i] == kQuote) {
      *rest = text.substr(i + 1);
      return unquoted;
    }
    if (text[i] == kEscape && i + 1 < text.size()) ++i;
    unquoted += text[i];
  }
  return std::nullopt;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The text of `hex(1):` bytes, up to the first zero byte; nothing when a byte is malformed.
std::optional<std::string> ReadStringBytes(std::string_view bytes) {
  std::string text;
  bool ended = false;
  while (!bytes.empty()) {
    size_t comma = bytes.find(',');
    std::string_view byte = TrimBlanks(bytes.substr(0, comma));
    if (byte.size() != 2 || HexDigit(byte[0]) < 0 || HexDigit(byte[1]) < 0) return std::nullopt;
    char c = static_cast<char>(HexDigit(byte[0]) * kHexBase + HexDigit(byte[1]));
    ended = ended || c == '\0';
    if (!ended) text += c;
    bytes = comma == std::string_view::npos ? std::string_view() : bytes.substr(comma + 1);
  }
  return text;
}

// The number of `dword:` and exactly eight hexadecimal digits; nothing for any other text.
std::optional<RegistryValue> ReadDword(std::string_view digits) {
  if (digits.size() != kDwordDigits) return std::nullopt;
  uint32_t number = 0;
  for (char c : digits) {
    if (HexDigit(c) < 0) return std::nullopt;
    number = number * kHexBase + static_cast<uint32_t>(HexDigit(c));
  }
  return RegistryValue{ValueType::kDword, DwordData(number)};
}

std::optional<RegistryValue> ReadData(std::string_view data) {
  if (!data.empty() && data.front() == kQuote) {
    std::string_view rest;
    std::optional<std::string> text = ReadQuoted(data, &rest);
    if (!text || !TrimBlanks(rest).empty()) return std::nullopt;
    // A string's text ends at its first zero byte, as when it is read from the registry.
    return RegistryValue{ValueType::kString, text->substr(0, text->find('\0'))};
  }
  if (data.substr(0, kStringBytesPrefix.size()) == kStringBytesPrefix) {
    std::optional<std::string> text = ReadStringBytes(data.substr(kStringBytesPrefix.size()));
    if (!text) return std::nullopt;
    return RegistryValue{ValueType::kString, *text};
  }
  if (data.substr(0, kDwordPrefix.size()) == kDwordPrefix) {
    std::optional<RegistryValue> number = ReadDword(data.substr(kDwordPrefix.size()));
    if (number) return number;
  }
  // Data kept as written must stay on its line as it is.
  if (data.empty() || data == kDeleteMarker ||
      std::any_of(data.begin(), data.end(), IsControlCode)) {
    return std::nullopt;
  }
  return RegistryValue{ValueType::kOther, std::string(data)};
}

// Splits a value line into its name and its data (blanks around the `=` dropped); false when
// the line has no readable name followed by `=`.
bool SplitValueLine(std::string_view line, std::string* name, std::string_view* data) {
  std::string_view rest;
  if (line.front() == kDefaultValueName) {
    name->clear();
    rest = line.substr(1);
  } else {
    std::optional<std::string> quoted = ReadQuoted(line, &rest);
    if (!quoted) return false;
    *name = *quoted;
  }
  rest = TrimBlanks(rest);
  if (rest.empty() || rest.front() != '=') return false;
  *data = TrimBlanks(rest.substr(1));
  return true;
}

// Reads one value line into `values`; unreadable lines change nothing.
void ReadValueLine(std::string_view line, CRegistryTree::Values* values) {
  std::string name;
  std::string_view data;
  if (!SplitValueLine(line, &name, &data) || !IsValidValueName(name)) return;
  std::optional<RegistryValue> value = ReadData(data);
  if (value) (*values)[name] = *value;
}

// The key line's values, or null when the line names no valid key.
CRegistryTree::Values* ReadKeyLine(std::string_view line, CRegistryTree* tree) {
  if (line.back() != kKeyClose) return nullptr;
  std::string_view path = line.substr(1, line.size() - 2);
  return tree->Create(path) ? tree->Find(path) : nullptr;
}

// Splits `text` into logical lines: CR LF read as LF, continuation lines joined.
class CLineReader {
 public:
  explicit CLineReader(std::string_view text) : m_text(text) {}

  bool Next(std::string* line) {
    if (m_position >= m_text.size()) return false;
    line->assign(TrimBlanks(NextPhysical()));
    while (EndsWithContinuation(*line)) {
      line->pop_back();
      if (m_position < m_text.size()) *line += TrimBlanks(NextPhysical());
      line->assign(TrimBlanks(*line));
    }
    return true;
  }

 private:
  std::string_view NextPhysical() {
    size_t end = std::min(m_text.find('\n', m_position), m_text.size());
    std::string_view physical = m_text.substr(m_position, end - m_position);
    m_position = end + 1;
    if (!physical.empty() && physical.back() == '\r') physical.remove_suffix(1);
    return physical;
  }

  // A continuation backslash ends a value line whose data is not in double quotes.
  static bool EndsWithContinuation(const std::string& line) {
    if (line.empty() || line.back() != kContinuation || line.front() == kKeyOpen) return false;
    std::string name;
    std::string_view data;
    return SplitValueLine(line, &name, &data) && (data.empty() || data.front() != kQuote);
  }

  std::string_view m_text;
  size_t m_position = 0;
};

}  // namespace

std::string FormatRegistryExport(const CRegistryTree& tree) {
  std::string text(kExportHeader);
  text += '\n';
  for (const auto& [path, values] : tree.keys()) {
    text += '\n';
    text += kKeyOpen + path + kKeyClose + '\n';
    for (const auto& [name, value] : values) text += FormatValue(name, value) + '\n';
  }
  return text;
}

void ParseRegistryExport(std::string_view text, CRegistryTree* tree) {
  tree->Clear();
  CRegistryTree::Values* values = nullptr;
  CLineReader reader(text);
  std::string line;
  while (reader.Next(&line)) {
    if (line.empty() || line.front() == kComment || line == kExportHeader) continue;
    if (line.front() == kKeyOpen) {
      values = ReadKeyLine(line, tree);
    } else if (values) {
      ReadValueLine(line, values);
    }
  }
}

}  // namespace platform
