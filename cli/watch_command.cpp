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
#include "image/image_flows.h"
#include "resources/general_pack.h"

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

}  // namespace

void RunWatch(CliContext& context, const WatchOptions& options) {
  const auto identity = ResolveDeviceIdentity(context);
  if (!identity) return;
  VirtualClock virtual_clock;
  Clock& clock = context.options.simulate && context.options.sim_virtual_time
                     ? static_cast<Clock&>(virtual_clock)
                     : DefaultClock();
  // Only the transport: watch starts before the mouse is plugged in.
  auto watch = CreateTransport(context, clock);
  if (!watch) return;

  CliUiPort progress;
  TextUiPort ui(progress, context.options.language);
  DeviceLink link(*watch->transport, *identity);
  CommandChannel channel(link, clock, progress);
  Workspace workspace;
  ImageFlows flows(workspace, channel, ui, clock);

  ConnectionCallbacks callbacks;
  callbacks.read_image = [&flows] { return flows.ReadImage().ok(); };
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
