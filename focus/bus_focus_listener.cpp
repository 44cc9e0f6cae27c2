#include "focus/bus_focus_listener.h"

#include <poll.h>
#include <systemd/sd-bus.h>
#include <time.h>

#include <cerrno>
#include <cmath>
#include <cstring>

#include "focus/focus_names.h"

namespace zelko {
namespace {

std::uint64_t MonotonicNowUsec() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1'000'000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000u;
}

// poll()'s timeout for sd-bus's next deadline (absolute, CLOCK_MONOTONIC).
int PollTimeoutMs(sd_bus* bus) {
  std::uint64_t until = 0;
  if (sd_bus_get_timeout(bus, &until) < 0 || until == UINT64_MAX) return -1;
  const std::uint64_t now = MonotonicNowUsec();
  if (until <= now) return 0;
  return static_cast<int>(std::min<std::uint64_t>((until - now + 999) / 1000, 60'000));
}

// The pid that may follow the app id: any integer type, or a double (a
// KWin script's numbers); nothing for none, zero or a negative one.
std::optional<std::uint32_t> ReadPid(sd_bus_message* message) {
  char type = 0;
  if (sd_bus_message_peek_type(message, &type, nullptr) <= 0) return std::nullopt;
  std::int64_t pid = 0;
  switch (type) {
    case SD_BUS_TYPE_INT32: {
      std::int32_t v = 0;
      if (sd_bus_message_read_basic(message, type, &v) < 0) return std::nullopt;
      pid = v;
      break;
    }
    case SD_BUS_TYPE_UINT32: {
      std::uint32_t v = 0;
      if (sd_bus_message_read_basic(message, type, &v) < 0) return std::nullopt;
      pid = v;
      break;
    }
    case SD_BUS_TYPE_INT64: {
      std::int64_t v = 0;
      if (sd_bus_message_read_basic(message, type, &v) < 0) return std::nullopt;
      pid = v;
      break;
    }
    case SD_BUS_TYPE_UINT64: {
      std::uint64_t v = 0;
      if (sd_bus_message_read_basic(message, type, &v) < 0) return std::nullopt;
      pid = v > UINT32_MAX ? 0 : static_cast<std::int64_t>(v);
      break;
    }
    case SD_BUS_TYPE_DOUBLE: {
      double v = 0;
      if (sd_bus_message_read_basic(message, type, &v) < 0 || !std::isfinite(v)) return std::nullopt;
      pid = v >= 1 && v <= UINT32_MAX ? static_cast<std::int64_t>(v) : 0;
      break;
    }
    default:
      return std::nullopt;
  }
  if (pid <= 0 || pid > UINT32_MAX) return std::nullopt;
  return static_cast<std::uint32_t>(pid);
}

}  // namespace

BusFocusListener::BusFocusListener(std::string bus_address) : bus_address_(std::move(bus_address)) {}

BusFocusListener::~BusFocusListener() { Close(); }

Status BusFocusListener::Open() {
  Close();
  auto bus = OpenSessionBus(bus_address_);
  if (!bus) return Status::Failure(bus.error());
  const std::string path(focus_names::kObjectPath);
  int r = sd_bus_add_object(bus->get(), &object_, path.c_str(), &BusFocusListener::OnMessage, this);
  if (r < 0) return Status::Failure(std::string("The focus object cannot be offered: ") + std::strerror(-r) + ".");
  const std::string name(focus_names::kBusName);
  r = sd_bus_request_name(bus->get(), name.c_str(), 0);
  if (r < 0) {
    object_ = sd_bus_slot_unref(object_);
    if (r == -EEXIST) {
      return Status::Failure("Another program follows the focus already: " + name + " is taken on the session bus.");
    }
    return Status::Failure("The name " + name + " cannot be claimed on the session bus: " + std::strerror(-r) + ".");
  }
  bus_ = std::move(*bus);
  return Status::Ok();
}

Status BusFocusListener::Start(FocusCallback on_change, FocusEndCallback on_end) {
  if (!bus_) return Status::Failure("The focus listener is not connected.");
  Stop();
  wake_ = std::make_unique<WakePipe>();
  if (!wake_->ok()) return Status::Failure("No pipe for the focus source's thread.");
  on_change_ = std::move(on_change);
  on_end_ = std::move(on_end);
  reported_.reset();
  reader_ = std::thread([this] { Run(); });
  return Status::Ok();
}

void BusFocusListener::Stop() {
  if (wake_) wake_->Wake();
  if (reader_.joinable()) reader_.join();
  wake_.reset();
  on_change_ = nullptr;
  on_end_ = nullptr;
}

void BusFocusListener::Close() {
  Stop();
  if (!bus_) return;
  object_ = sd_bus_slot_unref(object_);
  const std::string name(focus_names::kBusName);
  (void)sd_bus_release_name(bus_.get(), name.c_str());
  bus_.reset();
}

int BusFocusListener::OnMessage(sd_bus_message* message, void* listener, sd_bus_error* /*error*/) {
  const std::string interface(focus_names::kInterface);
  const std::string method(focus_names::kFocusChanged);
  if (sd_bus_message_is_method_call(message, interface.c_str(), method.c_str()) <= 0) return 0;  // not ours
  const char* app_id = nullptr;
  if (sd_bus_message_read_basic(message, SD_BUS_TYPE_STRING, &app_id) < 0) {
    return sd_bus_reply_method_errorf(message, SD_BUS_ERROR_INVALID_ARGS, "%s takes the app id as a string first",
                                      method.c_str());
  }
  auto* self = static_cast<BusFocusListener*>(listener);
  FocusedApp app{app_id, ReadPid(message)};
  if (self->on_change_ && self->reported_ != app) {
    self->reported_ = app;
    self->on_change_(app);
  }
  return sd_bus_reply_method_return(message, "");
}

// Until Stop wakes it, or the bus goes away and on_end hears it.
void BusFocusListener::Run() {
  if (Follow() || !on_end_) return;
  on_end_("The session bus closed the connection.");
}

// Whether Stop ended it.
bool BusFocusListener::Follow() {
  sd_bus* bus = bus_.get();
  for (;;) {
    int r = 0;
    do {
      r = sd_bus_process(bus, nullptr);
    } while (r > 0);
    if (r < 0) return false;  // disconnected
    pollfd fds[2] = {{sd_bus_get_fd(bus), static_cast<short>(sd_bus_get_events(bus)), 0},
                     {wake_->read_fd(), POLLIN, 0}};
    const int ready = poll(fds, 2, PollTimeoutMs(bus));
    if (ready < 0 && errno != EINTR) return false;
    if ((fds[1].revents & POLLIN) != 0) return true;
  }
}

}  // namespace zelko
