#include "payload/readonly_list.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "payload/payload_path.h"

namespace {

constexpr std::string_view kParentName = "..";
constexpr std::string_view kBlankChars = " \t\r";

// Empty when `path` can name a payload file; else why it cannot.
std::string ListedPathProblem(std::string_view path) {
  if (path.substr(0, kPayloadPathPrefix.size()) != kPayloadPathPrefix) {
    return "does not begin with .\\";
  }
  const std::vector<std::string> names = SplitPayloadPath(path);
  if (std::find(names.begin(), names.end(), kParentName) != names.end()) {
    return "holds a '..' name, which would leave the installation directory";
  }
  return std::string();
}

}  // namespace

bool ParseReadOnlyList(std::string_view text, const std::string& listName,
                       std::vector<ReadOnlyLine>* lines, std::string* err) {
  lines->clear();
  size_t lineNumber = 0;
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find_first_not_of(kBlankChars) == std::string_view::npos) continue;
    const std::string problem = ListedPathProblem(line);
    if (!problem.empty()) {
      *err = listName + ":" + std::to_string(lineNumber) + ": " + std::string(line) + " " + problem;
      return false;
    }
    lines->push_back(ReadOnlyLine{std::string(line), lineNumber});
  }
  return true;
}

bool ReadReadOnlyList(const std::filesystem::path& file, std::vector<ReadOnlyLine>* lines,
                      std::string* err) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    *err = file.string() + ": cannot open the read-only list";
    return false;
  }
  const std::string text(std::istreambuf_iterator<char>(in), {});
  if (in.bad()) {
    *err = file.string() + ": cannot read the read-only list";
    return false;
  }
  return ParseReadOnlyList(text, file.string(), lines, err);
}
