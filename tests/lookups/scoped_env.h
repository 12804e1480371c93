// tests/lookups/scoped_env.h
//
// Sets environment variables for the length of a test and puts back what
// was there before, then calls tzset so the C library sees the old zone.
// Example: ScopedEnv env({{"TZ", "CST-8"}, {"LC_ALL", "en_US.UTF-8"}});
#pragma once

#include <time.h>

#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace gavrel::testing {

class ScopedEnv {
 public:
  // A value of nullopt unsets the variable.
  using Setting = std::pair<std::string, std::optional<std::string>>;

  explicit ScopedEnv(std::initializer_list<Setting> settings) {
    for (const auto& [name, value] : settings) {
      const char* old = std::getenv(name.c_str());
      saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
      Apply(name, value);
    }
    tzset();
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ~ScopedEnv() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) Apply(it->first, it->second);
    tzset();
  }

 private:
  static void Apply(const std::string& name, const std::optional<std::string>& value) {
    if (value) {
      setenv(name.c_str(), value->c_str(), 1);
    } else {
      unsetenv(name.c_str());
    }
  }

  std::vector<Setting> saved_;
};

}  // namespace gavrel::testing
