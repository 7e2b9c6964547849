#include "engine/message.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "platform/system.h"
#include "platform/ui.h"

namespace {

std::string FormatText(const char* format, va_list arguments) {
  va_list measure;
  va_copy(measure, arguments);
  int length = vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length), '\0');
  vsnprintf(&text[0], text.size() + 1, format, arguments);
  return text;
}

}  // namespace

int ShowMessage(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::string text = FormatText(format, arguments);
  va_end(arguments);
  return platform::UiService().ShowMessageBox(text.c_str());
}

void FailAndExit(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::string text = FormatText(format, arguments);
  va_end(arguments);
  platform::UiService().ShowMessageBox(text.c_str());
  platform::SystemService().ExitProcess(kFailureExitStatus);
}
