// A simulated mouse wired to the image flows, in virtual time, with a UI
// port that records what the window would have shown.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "device/command_channel.h"
#include "device/device_link.h"
#include "device/supported_ids.h"
#include "device/ui_port.h"
#include "image/image_flows.h"
#include "image/workspace.h"
#include "sim/sim_transport.h"
#include "sim/simulated_mouse.h"

namespace zelko::testing {

class RecordingUi : public UiPort {
 public:
  void ShowProgress(int done, int total) override {
    ++progress_shown;
    if (on_progress) on_progress(done, total);
  }
  void HideProgress() override { ++progress_hidden; }
  void ProcessMessages() override {
    ++messages_processed;
    if (on_process_messages) on_process_messages();
  }
  void ShowDisableAll() override { covered = true; }
  void HideDisableAll() override { covered = false; }
  void ShowMessage(std::string_view id) override { messages.emplace_back(id); }
  void ShowMessagePair(std::string_view a, std::string_view b) override {
    messages.push_back(std::string(a) + "+" + std::string(b));
  }
  void StartPollTimer() override { poll_running = true; }
  void StopPollTimer() override { poll_running = false; }
  void RedrawFromRecord() override { ++redraws; }

  std::vector<std::string> messages;
  bool covered = true;
  bool poll_running = true;
  int progress_shown = 0;
  int progress_hidden = 0;
  int messages_processed = 0;
  int redraws = 0;
  std::function<void(int, int)> on_progress;
  std::function<void()> on_process_messages;
};

struct SimRig {
  explicit SimRig(sim::SimFaults faults = {})
      : mouse(clock, std::move(faults)),
        transport(mouse),
        link(transport),
        channel(link, clock, ui),
        flows(workspace, channel, ui, clock) {}

  bool Open() {
    std::uint32_t version = kSupportedDeviceVersion;
    return link.OpenHidDevice(SupportedVendorId, SupportedProductId, version);
  }
  // Opens the mouse, runs the handshake and reads it, as the connection
  // does once the identity is accepted.
  FlowResult OpenAndRead() {
    if (!Open()) return FlowResult::Of(FlowStatus::kNoDevice);
    if (!channel.BeginExchange().configurable()) return FlowResult::Of(FlowStatus::kNotConfigurable);
    return flows.ReadImage();
  }
  int Executed(CommandCode code) const { return mouse.executed(code); }
  DataBuf Memory() const {
    DataBuf image;
    std::copy(mouse.memory().begin(), mouse.memory().end(), image.begin());
    return image;
  }

  VirtualClock clock;
  RecordingUi ui;
  sim::SimulatedMouse mouse;
  sim::SimTransport transport;
  DeviceLink link;
  CommandChannel channel;
  Workspace workspace;
  ImageFlows flows;
};

}  // namespace zelko::testing
