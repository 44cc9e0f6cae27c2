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
#include "image/expected_codes.h"
#include "image/image_flows.h"
#include "settings/device_options.h"

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
  // Not opened: watch starts before the mouse is plugged in; the poll
  // opens it.
  auto session = StartDeviceSession(context);
  if (!session) return;
  Clock& clock = session->clock();
  TextUiPort ui(session->ui(), context.options.language);
  Workspace workspace;
  ImageFlows flows(workspace, session->channel(), ui, clock);

  ConnectionCallbacks callbacks;
  callbacks.read_image = [&flows] { return flows.ReadImage().ok(); };
  callbacks.init_no_device = [&workspace] {
    // False only in a build without the factory images: nothing to show.
    (void)workspace.LoadFactoryImage(1, ImageSource::kNoDevice);
  };
  callbacks.state_changed = [&](ConnectionState state) {
    session->ui().HideProgress();
    std::printf("%s  %.*s", TimeOfDay().c_str(), static_cast<int>(ConnectionStateName(state).size()),
                ConnectionStateName(state).data());
    if (state == ConnectionState::kReady) {
      const DeviceOptions options = DecodeDeviceOptions(workspace.record);
      std::printf("  (manufacturer code %u, product code %u)", options.manufacturer_code,
                  options.product_code);
    }
    std::printf("\n");
    std::fflush(stdout);
  };
  // As the window does: a poll that finds the mouse held by another program
  // skips its turn instead of waiting.
  session->channel().UseExchangeLock(session->exchange_lock());
  DeviceConnection connection(session->link(), session->channel(), clock, ui, ShippedExpectedCodes(),
                              callbacks);
  std::printf("%s  Waiting (polling every %u ms; Ctrl+C ends)\n", TimeOfDay().c_str(),
              options.interval_ms);
  std::fflush(stdout);
  for (int tick = 0; options.ticks == 0 || tick < options.ticks; ++tick) {
    if (tick > 0) clock.SleepMs(options.interval_ms);
    connection.DevTimerTimer();
    ui.Flush();
  }
  session->Finish(context);
}

}  // namespace zelko::cli
