#include "engine/text_search.h"

#include <cstring>

namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

const char* FindNoCase(const char* text, const char* pattern) {
  if (!text || !pattern || *pattern == '\0') return nullptr;
  const size_t length = std::strlen(pattern);
  for (const char* p = text; *p != '\0'; ++p) {
    size_t i = 0;
    while (i < length && p[i] != '\0' && UpperAscii(p[i]) == UpperAscii(pattern[i])) ++i;
    if (i == length) return p;
  }
  return nullptr;
}
