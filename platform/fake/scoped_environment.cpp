#include "platform/fake/scoped_environment.h"

#include <cstdlib>
#include <utility>

namespace platform {
namespace {

void Assign(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
  // An empty value removes the variable, from the runtime's copy and the system's alike.
  _putenv_s(name.c_str(), value ? value->c_str() : "");
#else
  if (value) {
    setenv(name.c_str(), value->c_str(), 1);
  } else {
    unsetenv(name.c_str());
  }
#endif
}

}  // namespace

CScopedEnvironment::CScopedEnvironment(std::string name, const std::optional<std::string>& value)
    : m_name(std::move(name)) {
  const char* previous = getenv(m_name.c_str());
  if (previous) m_previous = previous;
  Assign(m_name, value);
}

CScopedEnvironment::~CScopedEnvironment() { Assign(m_name, m_previous); }

}  // namespace platform
