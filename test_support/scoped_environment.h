// Environment variables set (or cleared) for one scope and put back as they
// were when it ends, in the reverse order of setting.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace zelko::testing_support {

class ScopedEnvironment {
 public:
  ScopedEnvironment() = default;
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  // Null clears the variable.
  void Set(const std::string& name, const char* value);
  void Set(const std::string& name, const std::string& value) { Set(name, value.c_str()); }

 private:
  struct Saved {
    std::string name;
    std::optional<std::string> value;
  };
  std::vector<Saved> saved_;
};

}  // namespace zelko::testing_support
