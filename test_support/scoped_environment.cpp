#include "test_support/scoped_environment.h"

#include <cstdlib>

namespace zelko::testing_support {
namespace {

void Put(const std::string& name, const char* value) {
#ifdef _WIN32
  ::_putenv_s(name.c_str(), value ? value : "");
#else
  if (value) {
    ::setenv(name.c_str(), value, 1);
  } else {
    ::unsetenv(name.c_str());
  }
#endif
}

}  // namespace

void ScopedEnvironment::Set(const std::string& name, const char* value) {
  const char* old = std::getenv(name.c_str());
  saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
  Put(name, value);
}

ScopedEnvironment::~ScopedEnvironment() {
  for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) Put(it->name, it->value ? it->value->c_str() : nullptr);
}

}  // namespace zelko::testing_support
