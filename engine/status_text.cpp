#include "engine/status_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

void StatusText::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  memset(text_, 0, sizeof text_);
}

void StatusText::Set(const char* format, ...) {
  std::lock_guard<std::mutex> lock(mutex_);
  va_list arguments;
  va_start(arguments, format);
  vsnprintf(text_, sizeof text_, format, arguments);
  va_end(arguments);
  if (listener_) listener_(text_);
}

std::string StatusText::Copy() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return text_;
}

void StatusText::SetListener(void (*listener)(const char* text)) {
  std::lock_guard<std::mutex> lock(mutex_);
  listener_ = listener;
}
