// zelko77ctl watch: the connection logic run as the poll timer runs it,
// printing every change of state (plug the mouse in, pull it out).
#include <cstdio>
#include <ctime>
#include <memory>

#include "cli/cli_ui_port.h"
#include "cli/device_session.h"
#include "cli/image_commands.h"
#include "cli/text_ui_port.h"
#include "device/device_connection.h"
#include "device/hex_text.h"
#include "device/platform_transport.h"
#include "device/supported_ids.h"
#include "image/image_flows.h"
#include "resources/general_pack.h"
#include "sim/sim_memory_file.h"
#include "sim/sim_options.h"
#include "sim/sim_transport.h"

namespace zelko::cli {
namespace {

std::string TimeOfDay() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  char text[16];
  std::strftime(text, sizeof text, "%H:%M:%S", &local);
  return text;
}

// The transport without opening anything: watch starts before the mouse is
// plugged in.
struct WatchTransport {
  std::unique_ptr<sim::SimulatedMouse> mouse;
  std::unique_ptr<HidTransport> transport;
};

bool MakeTransport(CliContext& context, Clock& clock, WatchTransport& out) {
  const GlobalOptions& options = context.options;
  if (!options.simulate) {
    out.transport = CreatePlatformTransport();
    if (out.transport) return true;
    PrintError("this platform has no HID support; use --simulate to try the simulated mouse");
    context.exit_code = kExitNoDevice;
    return false;
  }
  const auto parsed = sim::ParseSimOptions(options.sim);
  if (!parsed.ok()) {
    PrintError(parsed.error);
    context.exit_code = kExitBadInput;
    return false;
  }
  out.mouse = std::make_unique<sim::SimulatedMouse>(clock, parsed.faults);
  if (!options.simulate_file.empty()) {
    std::string error;
    if (sim::LoadMemoryFile(options.simulate_file, out.mouse->memory(), error) ==
        sim::MemoryFileLoad::kBad) {
      PrintError("--simulate: " + error);
      context.exit_code = kExitBadInput;
      return false;
    }
  }
  out.transport = std::make_unique<sim::SimTransport>(*out.mouse);
  return true;
}

}  // namespace

void RunWatch(CliContext& context, const WatchOptions& options) {
  DeviceIdentity identity{SupportedVendorId, SupportedProductId};
  if (!context.options.device.empty()) {
    const auto parsed = ParseDeviceIdentity(context.options.device);
    if (!parsed) {
      PrintError("--device: '" + context.options.device + "' is not VID:PID in hexadecimal");
      context.exit_code = kExitBadInput;
      return;
    }
    identity = *parsed;
  }
  VirtualClock virtual_clock;
  Clock& clock = context.options.simulate && context.options.sim_virtual_time
                     ? static_cast<Clock&>(virtual_clock)
                     : DefaultClock();
  WatchTransport watch;
  if (!MakeTransport(context, clock, watch)) return;

  CliUiPort progress;
  TextUiPort ui(progress, context.options.language);
  DeviceLink link(*watch.transport, identity);
  CommandChannel channel(link, clock, progress);
  Workspace workspace;
  ImageFlows flows(workspace, channel, ui, clock);

  ConnectionCallbacks callbacks;
  callbacks.read_image = [&flows] { return flows.Btn_Read().ok(); };
  callbacks.init_no_device = [&workspace] {
    workspace.ShowFactoryImage(1, ImageSource::kNoDevice);
  };
  callbacks.state_changed = [&](ConnectionState state) {
    progress.HideProgress();
    std::printf("%s  %.*s", TimeOfDay().c_str(), static_cast<int>(ConnectionStateName(state).size()),
                ConnectionStateName(state).data());
    if (state == ConnectionState::kReady) {
      std::printf("  (manufacturer code %u, product code %u)",
                  workspace.record.ParameterB.ManufacturerCode,
                  workspace.record.ParameterB.ProductCode);
    }
    std::printf("\n");
    std::fflush(stdout);
  };
  const auto [manu, pro] = ReserveIdentityFromGeneralPack();
  const DataBuf image1 = workspace.factory_images() ? (*workspace.factory_images())[0] : DataBuf{};
  DeviceConnection connection(link, channel, clock, ui,
                              *MakeExpectedCodes(image1, static_cast<std::uint32_t>(manu),
                                                 static_cast<std::uint32_t>(pro)),
                              callbacks);
  std::printf("%s  Waiting (polling every %u ms; Ctrl+C ends)\n", TimeOfDay().c_str(),
              options.interval_ms);
  std::fflush(stdout);
  for (int tick = 0; options.ticks == 0 || tick < options.ticks; ++tick) {
    if (tick > 0) clock.SleepMs(options.interval_ms);
    connection.DevTimerTimer();
    ui.Flush();
  }
}

}  // namespace zelko::cli
