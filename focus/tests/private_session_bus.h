// A private session bus for tests: dbus-daemon on an address it picks
// itself, gone with the object. Every wait has a deadline.
#pragma once
#include <sys/types.h>

#include <memory>
#include <string>

#include "base/result.h"

namespace zelko::testing_support {

class PrivateSessionBus {
 public:
  // The bus once it accepts connections, or why it did not start.
  static Result<std::unique_ptr<PrivateSessionBus>> Start();
  ~PrivateSessionBus();
  PrivateSessionBus(const PrivateSessionBus&) = delete;
  PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

  const std::string& address() const { return address_; }

 private:
  PrivateSessionBus(pid_t pid, std::string address) : pid_(pid), address_(std::move(address)) {}
  pid_t pid_;
  std::string address_;
};

}  // namespace zelko::testing_support
