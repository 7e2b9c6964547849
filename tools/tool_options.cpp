#include "tools/tool_options.h"

#include <algorithm>

std::string ParseToolOptions(int argc, const char* const* argv,
                             const std::vector<std::string>& known,
                             std::map<std::string, std::string>* values) {
  values->clear();
  for (int i = 1; i < argc; i += 2) {
    std::string arg = argv[i];
    if (arg.rfind("--", 0) != 0) return "unexpected argument '" + arg + "'";
    std::string name = arg.substr(2);
    if (std::find(known.begin(), known.end(), name) == known.end()) {
      return "unknown option '" + arg + "'";
    }
    if (i + 1 >= argc) return "option '" + arg + "' needs a value";
    if (!values->emplace(name, argv[i + 1]).second) return "option '" + arg + "' given twice";
  }
  return "";
}
