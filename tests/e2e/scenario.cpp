#include "tests/e2e/scenario.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "tests/e2e/installer_windows.h"

namespace e2e {
namespace {

// The steps' names, with the "=" of those that take an argument.
constexpr std::string_view kSteps[] = {"states=", "accept",        "install",       "cancel",
                                       "dir=",    "type-licence=", "browse-cancel", "box=",
                                       "update",  "keep",          "exit="};

bool IsStatesText(std::string_view text) {
  return text.size() == std::size(kStateControls) &&
         text.find_first_not_of("01") == std::string_view::npos;
}

std::optional<int> ParseNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || value < -255 || value > 255) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

std::optional<SStep> ParseStep(std::string_view text) {
  size_t equals = text.find('=');
  bool hasArgument = equals != std::string_view::npos;
  std::string_view form = text.substr(0, hasArgument ? equals + 1 : text.size());
  if (std::find(std::begin(kSteps), std::end(kSteps), form) == std::end(kSteps)) {
    return std::nullopt;
  }
  SStep step{std::string(text), std::string(text.substr(0, equals)),
             hasArgument ? std::string(text.substr(equals + 1)) : std::string()};
  if (step.name == "states" && !IsStatesText(step.argument)) return std::nullopt;
  if (step.name == "exit") {
    std::optional<int> status = ParseNumber(step.argument);
    if (!status) return std::nullopt;
    step.number = *status;
  }
  return step;
}

}  // namespace e2e
