#include "tests/e2e/scenario.h"

#include <cstdlib>

namespace e2e {
namespace {

struct SStepName {
  const char* name;
  StepKind kind;
  bool takesArgument;
};

constexpr SStepName kStepNames[] = {
    {"states", StepKind::kStates, true},
    {"accept", StepKind::kAccept, false},
    {"decline", StepKind::kDecline, false},
    {"install", StepKind::kInstall, false},
    {"cancel", StepKind::kCancel, false},
    {"dir", StepKind::kDirectory, true},
    {"type-licence", StepKind::kTypeLicence, true},
    {"browse-cancel", StepKind::kBrowseCancel, false},
    {"box", StepKind::kBox, true},
    {"overwrite", StepKind::kOverwrite, false},
    {"update", StepKind::kUpdate, false},
    {"keep", StepKind::kKeep, false},
    {"exit", StepKind::kExit, true},
};

bool IsStatesText(std::string_view text) {
  return text.size() == kStateCount && text.find_first_not_of("01") == std::string_view::npos;
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
  std::string_view name = text.substr(0, equals);
  bool hasArgument = equals != std::string_view::npos;
  for (const SStepName& known : kStepNames) {
    if (name != known.name) continue;
    if (hasArgument != known.takesArgument) return std::nullopt;
    SStep step{std::string(text), known.kind,
               hasArgument ? std::string(text.substr(equals + 1)) : std::string()};
    if (step.kind == StepKind::kStates && !IsStatesText(step.argument)) return std::nullopt;
    if (step.kind == StepKind::kExit) {
      std::optional<int> status = ParseNumber(step.argument);
      if (!status) return std::nullopt;
      step.number = *status;
    }
    return step;
  }
  return std::nullopt;
}

}  // namespace e2e
