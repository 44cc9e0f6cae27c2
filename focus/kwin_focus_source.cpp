#include "focus/kwin_focus_source.h"

#include <systemd/sd-bus.h>

#include <system_error>

#include "focus/focus_names.h"
#include "focus/session_bus.h"

namespace zelko {
namespace {

constexpr const char* kKWin = "org.kde.KWin";
constexpr const char* kScripting = "/Scripting";
constexpr const char* kScriptingInterface = "org.kde.kwin.Scripting";
constexpr const char* kScriptInterface = "org.kde.kwin.Script";

// Runs the loaded script `id`: Plasma 6 offers it as /Scripting/Script<id>,
// Plasma 5 as /<id>.
Status RunScript(sd_bus* bus, std::int32_t id) {
  std::string why;
  for (const std::string& path : {std::string(kScripting) + "/Script" + std::to_string(id), "/" + std::to_string(id)}) {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    const int r = sd_bus_call_method(bus, kKWin, path.c_str(), kScriptInterface, "run", &error, nullptr, "");
    if (r >= 0) return Status::Ok();
    why = BusFailure("KWin did not run the focus script", error, r);
    sd_bus_error_free(&error);
  }
  return Status::Failure(why + ".");
}

}  // namespace

KWinFocusSource::KWinFocusSource(std::filesystem::path script, std::string bus_address)
    : script_(std::move(script)), bus_address_(std::move(bus_address)), listener_(bus_address_) {}

KWinFocusSource::~KWinFocusSource() { Stop(); }

std::string KWinFocusSource::Describe() const {
  return "KDE Plasma on Wayland (the KWin script " + script_.string() + ")";
}

Status KWinFocusSource::Start(FocusCallback on_change, FocusEndCallback on_end) {
  Stop();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(script_, ec)) {
    return Status::Failure("The KWin focus script " + script_.string() + " is missing: reinstall zelko77.");
  }
  // The name first, so that the script's first report finds it.
  if (Status opened = listener_.Open(); !opened) return opened;
  if (Status loaded = LoadScript(); !loaded) {
    listener_.Close();
    return loaded;
  }
  return listener_.Start(std::move(on_change), std::move(on_end));
}

void KWinFocusSource::Stop() {
  listener_.Stop();
  UnloadScript();
  listener_.Close();
}

Status KWinFocusSource::LoadScript() {
  sd_bus* bus = listener_.bus();
  const std::string name(focus_names::kKWinScriptName);
  // A script of ours that a switcher killed earlier left loaded would make
  // loadScript refuse the name.
  (void)sd_bus_call_method(bus, kKWin, kScripting, kScriptingInterface, "unloadScript", nullptr, nullptr, "s",
                           name.c_str());
  sd_bus_error error = SD_BUS_ERROR_NULL;
  sd_bus_message* raw = nullptr;
  const std::string path = std::filesystem::absolute(script_).string();
  const int r = sd_bus_call_method(bus, kKWin, kScripting, kScriptingInterface, "loadScript", &error, &raw, "ss",
                                   path.c_str(), name.c_str());
  BusMessagePtr reply(raw);
  if (r < 0) {
    const std::string why = BusFailure("KWin does not load scripts over the session bus", error, r);
    sd_bus_error_free(&error);
    return Status::Failure(why + ".");
  }
  std::int32_t id = -1;
  if (sd_bus_message_read(reply.get(), "i", &id) < 0 || id < 0) {
    return Status::Failure("KWin refused the focus script " + path + ".");
  }
  loaded_ = true;
  if (Status ran = RunScript(bus, id); !ran) {
    UnloadScript();
    return ran;
  }
  return Status::Ok();
}

void KWinFocusSource::UnloadScript() {
  if (!loaded_ || listener_.bus() == nullptr) return;
  loaded_ = false;
  const std::string name(focus_names::kKWinScriptName);
  (void)sd_bus_call_method(listener_.bus(), kKWin, kScripting, kScriptingInterface, "unloadScript", nullptr,
                           nullptr, "s", name.c_str());
}

Status KWinFocusSource::KWinAnswers(const std::string& bus_address) {
  auto bus = OpenSessionBus(bus_address);
  if (!bus) return Status::Failure(bus.error());
  if (!BusNameHasOwner(bus->get(), kKWin)) return Status::Failure("KWin is not on the session bus.");
  return Status::Ok();
}

}  // namespace zelko
