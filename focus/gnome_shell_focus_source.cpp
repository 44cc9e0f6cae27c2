#include "focus/gnome_shell_focus_source.h"

#include <systemd/sd-bus.h>

#include <cstring>

#include "focus/focus_names.h"
#include "focus/session_bus.h"

namespace zelko {
namespace {

// GNOME Shell's extension states (ExtensionState in its extensionUtils.js).
constexpr int kStateActive = 1;
constexpr int kStateInactive = 2;
constexpr int kStateError = 3;
constexpr int kStateOutOfDate = 4;

// The "state" entry of GetExtensionInfo's a{sv} (a double); nothing when
// the dictionary is empty (Shell does not know the extension) or has none.
Result<std::optional<int>> ReadExtensionState(sd_bus_message* reply) {
  using Answer = Result<std::optional<int>>;
  std::optional<int> state;
  if (sd_bus_message_enter_container(reply, SD_BUS_TYPE_ARRAY, "{sv}") < 0) {
    return Answer::Failure("GNOME Shell answered GetExtensionInfo with something else than a{sv}.");
  }
  for (;;) {
    const int entered = sd_bus_message_enter_container(reply, SD_BUS_TYPE_DICT_ENTRY, "sv");
    if (entered < 0) return Answer::Failure("GNOME Shell's extension info does not read.");
    if (entered == 0) break;
    const char* key = nullptr;
    if (sd_bus_message_read_basic(reply, SD_BUS_TYPE_STRING, &key) < 0) {
      return Answer::Failure("GNOME Shell's extension info does not read.");
    }
    const char* contents = nullptr;
    char type = 0;
    if (std::strcmp(key, "state") == 0 && sd_bus_message_peek_type(reply, &type, &contents) > 0 &&
        sd_bus_message_enter_container(reply, SD_BUS_TYPE_VARIANT, contents) > 0) {
      double d = 0;
      std::int32_t i = 0;
      std::uint32_t u = 0;
      if (contents[0] == SD_BUS_TYPE_DOUBLE && sd_bus_message_read_basic(reply, 'd', &d) >= 0) {
        state = static_cast<int>(d);
      } else if (contents[0] == SD_BUS_TYPE_INT32 && sd_bus_message_read_basic(reply, 'i', &i) >= 0) {
        state = i;
      } else if (contents[0] == SD_BUS_TYPE_UINT32 && sd_bus_message_read_basic(reply, 'u', &u) >= 0) {
        state = static_cast<int>(u);
      } else {
        (void)sd_bus_message_skip(reply, contents);
      }
      (void)sd_bus_message_exit_container(reply);
    } else {
      (void)sd_bus_message_skip(reply, "v");
    }
    (void)sd_bus_message_exit_container(reply);
  }
  (void)sd_bus_message_exit_container(reply);
  return state;
}

// Fails with the line to show when the extension does not run.
Status CheckExtension(sd_bus* bus) {
  const std::string uuid(focus_names::kGnomeExtensionUuid);
  sd_bus_error error = SD_BUS_ERROR_NULL;
  sd_bus_message* raw = nullptr;
  const int r = sd_bus_call_method(bus, "org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell.Extensions",
                                   "GetExtensionInfo", &error, &raw, "s", uuid.c_str());
  BusMessagePtr reply(raw);
  if (r < 0) {
    const std::string why = BusFailure("GNOME Shell does not answer on the session bus", error, r);
    sd_bus_error_free(&error);
    return Status::Failure(why + ".");
  }
  const auto state = ReadExtensionState(reply.get());
  if (!state) return Status::Failure(state.error());
  const std::string problem = GnomeExtensionProblem(*state);
  return problem.empty() ? Status::Ok() : Status::Failure(problem);
}

}  // namespace

std::string GnomeExtensionProblem(std::optional<int> state) {
  const std::string uuid(focus_names::kGnomeExtensionUuid);
  const std::string enable = "gnome-extensions enable " + uuid;
  if (!state) {
    return "GNOME Shell does not know the extension " + uuid +
           " (it comes with the zelko77 package): log out and in once, then run `" + enable + "`.";
  }
  switch (*state) {
    case kStateActive:
      return {};
    case kStateInactive:
      return "The GNOME Shell extension " + uuid + " is not enabled: run `" + enable + "`.";
    case kStateError:
      return "The GNOME Shell extension " + uuid +
             " failed to start: `gnome-extensions info " + uuid + "` says why.";
    case kStateOutOfDate:
      return "The GNOME Shell extension " + uuid + " does not support this version of GNOME Shell.";
    default:
      return "The GNOME Shell extension " + uuid + " is not running (state " + std::to_string(*state) +
             "): run `" + enable + "`.";
  }
}

GnomeShellFocusSource::GnomeShellFocusSource(std::string bus_address)
    : bus_address_(std::move(bus_address)), listener_(bus_address_) {}

GnomeShellFocusSource::~GnomeShellFocusSource() { Stop(); }

std::string GnomeShellFocusSource::Describe() const {
  return "GNOME Shell on Wayland (the extension " + std::string(focus_names::kGnomeExtensionUuid) + ")";
}

Status GnomeShellFocusSource::Start(FocusCallback on_change, FocusEndCallback on_end) {
  Stop();
  if (Status opened = listener_.Open(); !opened) return opened;
  if (Status runs = CheckExtension(listener_.bus()); !runs) {
    listener_.Close();
    return runs;
  }
  return listener_.Start(std::move(on_change), std::move(on_end));
}

void GnomeShellFocusSource::Stop() { listener_.Close(); }

Status GnomeShellFocusSource::ExtensionRuns(const std::string& bus_address) {
  auto bus = OpenSessionBus(bus_address);
  if (!bus) return Status::Failure(bus.error());
  return CheckExtension(bus->get());
}

}  // namespace zelko
