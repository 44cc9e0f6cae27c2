// The mouse the window talks to: the core's session (sim/device_session.h,
// the same factory zelko77ctl uses: real or simulated mouse, memory file)
// with the command channel, the working image and the flows and
// connection logic built over it.
#pragma once
#include <memory>
#include <string>

#include "base/clock.h"
#include "base/result.h"
#include "device/command_channel.h"
#include "device/device_connection.h"
#include "device/device_link.h"
#include "device/ui_port.h"
#include "image/image_flows.h"
#include "image/workspace.h"
#include "sim/device_session.h"
#include "sim/simulated_mouse.h"

namespace zelko {

class DeviceSession {
 public:
  // `device` comes from sim::OpenDeviceSession and must not be null; its
  // clock paces the protocol and the simulated mouse.
  DeviceSession(std::unique_ptr<sim::DeviceSession> device, UiPort& ui);
  ~DeviceSession();
  DeviceSession(const DeviceSession&) = delete;
  DeviceSession& operator=(const DeviceSession&) = delete;

  // The connection logic, once the window has given its callbacks.
  void Connect(const ExpectedCodes& expected, ConnectionCallbacks callbacks);

  bool IsOpen() const { return device_->link().IsOpen(); }
  // The clock the protocol and the simulated mouse run on.
  Clock& clock() { return device_->clock(); }
  DeviceLink& link() { return device_->link(); }
  Workspace& workspace() { return workspace_; }
  ImageFlows& flows() { return *flows_; }
  DeviceConnection* connection() { return connection_.get(); }
  // The simulated mouse, or null for a real one.
  sim::SimulatedMouse* simulatedMouse() { return device_->simulated_mouse(); }

  // Releases the interface and saves the simulated memory to its file, if
  // it has one (a missing file is created).
  [[nodiscard]] Status SaveSimulatedMemory() { return device_->Finish(); }

 private:
  std::unique_ptr<sim::DeviceSession> device_;
  UiPort& ui_;
  std::unique_ptr<CommandChannel> channel_;
  Workspace workspace_;
  std::unique_ptr<ImageFlows> flows_;
  std::unique_ptr<DeviceConnection> connection_;
};

}  // namespace zelko
