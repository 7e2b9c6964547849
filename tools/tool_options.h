// Command-line options of the host tools: "--name value" pairs only.
#ifndef CIRVANE_TOOLS_TOOL_OPTIONS_H_
#define CIRVANE_TOOLS_TOOL_OPTIONS_H_

#include <map>
#include <string>
#include <vector>

// Reads "--name value" pairs from argv[1..argc) into `values` (name without the dashes).
// Returns an empty text on success, else a message: an option not in `known`, an option
// without its value, one given twice, or a bare argument.
std::string ParseToolOptions(int argc, const char* const* argv,
                             const std::vector<std::string>& known,
                             std::map<std::string, std::string>* values);

#endif  // CIRVANE_TOOLS_TOOL_OPTIONS_H_
