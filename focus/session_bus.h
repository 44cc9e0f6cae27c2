// The session bus through sd-bus: a connection of our own (to the user's
// session bus or to an address, as tests give), calls with a short
// deadline, and sd-bus's errors in words.
#pragma once
#include <systemd/sd-bus.h>

#include <cstdint>
#include <memory>
#include <string>

#include "base/result.h"

namespace zelko {

struct BusUnref {
  void operator()(sd_bus* bus) const;
};
using BusPtr = std::unique_ptr<sd_bus, BusUnref>;

struct BusMessageUnref {
  void operator()(sd_bus_message* message) const;
};
using BusMessagePtr = std::unique_ptr<sd_bus_message, BusMessageUnref>;

// How long a call to the desktop may take before it counts as unanswered.
inline constexpr std::uint64_t kBusCallDeadlineUsec = 3'000'000;

// address: a D-Bus address ("unix:path=…"); empty for the user's session
// bus ($DBUS_SESSION_BUS_ADDRESS or the one of the login session).
Result<BusPtr> OpenSessionBus(const std::string& address);

// "what failed: the bus's reason" from an sd-bus error and return code.
std::string BusFailure(const std::string& what, const sd_bus_error& error, int code);

// Whether some connection owns `name` on this bus.
bool BusNameHasOwner(sd_bus* bus, const std::string& name);

}  // namespace zelko
