#include "focus/session_bus.h"

#include <systemd/sd-bus.h>

#include <cstring>

namespace zelko {

void BusUnref::operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }

void BusMessageUnref::operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }

Result<BusPtr> OpenSessionBus(const std::string& address) {
  sd_bus* raw = nullptr;
  int r = 0;
  if (address.empty()) {
    r = sd_bus_open_user(&raw);
  } else {
    r = sd_bus_new(&raw);
    if (r >= 0) {
      BusPtr bus(raw);
      r = sd_bus_set_address(raw, address.c_str());
      if (r >= 0) r = sd_bus_set_bus_client(raw, 1);
      if (r >= 0) r = sd_bus_start(raw);
      if (r >= 0) raw = bus.release();
    }
  }
  if (r < 0) {
    return Result<BusPtr>::Failure(std::string("The session bus does not open: ") + std::strerror(-r) + ".");
  }
  BusPtr bus(raw);
  (void)sd_bus_set_method_call_timeout(raw, kBusCallDeadlineUsec);
  return bus;
}

std::string BusFailure(const std::string& what, const sd_bus_error& error, int code) {
  if (error.message != nullptr) return what + ": " + error.message;
  if (error.name != nullptr) return what + ": " + error.name;
  return what + ": " + std::strerror(code < 0 ? -code : code);
}

bool BusNameHasOwner(sd_bus* bus, const std::string& name) {
  sd_bus_error error = SD_BUS_ERROR_NULL;
  sd_bus_message* reply = nullptr;
  const int r = sd_bus_call_method(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                   "NameHasOwner", &error, &reply, "s", name.c_str());
  BusMessagePtr owned(reply);
  sd_bus_error_free(&error);
  int has = 0;
  return r >= 0 && sd_bus_message_read(reply, "b", &has) >= 0 && has != 0;
}

}  // namespace zelko
