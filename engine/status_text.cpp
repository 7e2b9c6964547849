#include "engine/status_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

void CStatusText::Clear() {
  std::lock_guard<std::mutex> lock(m_mutex);
  memset(m_text, 0, sizeof m_text);
}

void CStatusText::Set(const char* format, ...) {
  std::lock_guard<std::mutex> lock(m_mutex);
  va_list arguments;
  va_start(arguments, format);
  vsnprintf(m_text, sizeof m_text, format, arguments);
  va_end(arguments);
  if (m_listener) m_listener(m_text);
}

std::string CStatusText::Copy() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_text;
}

void CStatusText::SetListener(void (*listener)(const char* text)) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_listener = listener;
}
