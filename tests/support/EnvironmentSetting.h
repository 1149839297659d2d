#pragma once

#include <cstdlib>
#include <optional>
#include <string>

// Sets an environment variable (or unsets it, for nullptr) while it lives,
// and gives back what was there before.
class EnvironmentSetting {
 public:
  EnvironmentSetting(const char* name, const char* value) : name_(name) {
    if (const char* before = std::getenv(name)) before_ = before;
    Set(value);
  }
  ~EnvironmentSetting() { Set(before_ ? before_->c_str() : nullptr); }
  EnvironmentSetting(const EnvironmentSetting&) = delete;
  EnvironmentSetting& operator=(const EnvironmentSetting&) = delete;

 private:
  void Set(const char* value) {
#ifdef _WIN32
    _putenv_s(name_.c_str(), value ? value : "");
#else
    value ? setenv(name_.c_str(), value, 1) : unsetenv(name_.c_str());
#endif
  }

  std::string name_;
  std::optional<std::string> before_;
};
