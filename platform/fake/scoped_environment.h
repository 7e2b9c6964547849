// An environment variable of the test process set for one scope, then put back as it was.
#ifndef CIRVANE_PLATFORM_FAKE_SCOPED_ENVIRONMENT_H_
#define CIRVANE_PLATFORM_FAKE_SCOPED_ENVIRONMENT_H_

#include <optional>
#include <string>

namespace platform {

class CScopedEnvironment {
 public:
  // Sets `name` to `value`; nothing unsets it.
  CScopedEnvironment(std::string name, const std::optional<std::string>& value);
  ~CScopedEnvironment();
  CScopedEnvironment(const CScopedEnvironment&) = delete;
  CScopedEnvironment& operator=(const CScopedEnvironment&) = delete;

 private:
  std::string m_name;
  std::optional<std::string> m_previous;
};

}  // namespace platform

#endif  // CIRVANE_PLATFORM_FAKE_SCOPED_ENVIRONMENT_H_
