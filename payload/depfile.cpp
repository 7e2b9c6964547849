#include "payload/depfile.h"

std::string EscapeForDepfile(std::string_view path) {
  std::string escaped;
  for (const char c : path) {
    if (c == ' ' || c == '#') escaped += '\\';
    if (c == '$') escaped += '$';
    escaped += c;
  }
  return escaped;
}

std::string RenderDepfile(std::string_view target, const std::vector<std::string>& deps) {
  std::string text = EscapeForDepfile(target) + ":";
  for (const std::string& dep : deps) text += " \\\n  " + EscapeForDepfile(dep);
  return text + "\n";
}
