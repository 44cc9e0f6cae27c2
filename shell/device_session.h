// The mouse the window talks to, real or simulated, with the link, the
// command channel, the working image and the flows and connection logic
// built over them.
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "base/clock.h"
#include "device/command_channel.h"
#include "device/device_connection.h"
#include "device/device_link.h"
#include "device/hid_transport.h"
#include "device/ui_port.h"
#include "image/image_flows.h"
#include "image/workspace.h"
#include "sim/sim_faults.h"
#include "sim/simulated_mouse.h"

namespace zelko {

struct DeviceChoice {
  bool simulate = false;
  // With a file the simulated memory is loaded from it (when it exists) and
  // saved back to it when the session ends.
  std::string simulateFile;
  sim::SimFaults faults;
  // The simulated mouse is not plugged in; another HID device is.
  bool simulateAbsent = false;
  std::optional<DeviceIdentity> identity;  // --device VID:PID
};

class DeviceSession {
 public:
  // `clock` paces the protocol and the simulated mouse.
  DeviceSession(const DeviceChoice& choice, Clock& clock, UiPort& ui);
  ~DeviceSession();
  DeviceSession(const DeviceSession&) = delete;
  DeviceSession& operator=(const DeviceSession&) = delete;

  // The connection logic, once the window has given its callbacks.
  void Connect(const ExpectedCodes& expected, ConnectionCallbacks callbacks);

  bool IsOpen() const { return link_->IsOpen(); }
  DeviceLink& link() { return *link_; }
  Workspace& workspace() { return workspace_; }
  ImageFlows& flows() { return *flows_; }
  DeviceConnection* connection() { return connection_.get(); }
  // The simulated mouse, or null for a real one.
  sim::SimulatedMouse* simulatedMouse() { return mouse_.get(); }

  // Saves the simulated memory to its file, if it has one. Empty on success.
  std::string SaveSimulatedMemory() const;
  // An error met while loading the simulated memory (the mouse then starts
  // with factory image 1).
  const std::string& loadError() const { return load_error_; }

 private:
  Clock& clock_;
  UiPort& ui_;
  std::string simulate_file_;
  std::string load_error_;
  std::unique_ptr<sim::SimulatedMouse> mouse_;
  std::unique_ptr<HidTransport> transport_;
  std::unique_ptr<DeviceLink> link_;
  std::unique_ptr<CommandChannel> channel_;
  Workspace workspace_;
  std::unique_ptr<ImageFlows> flows_;
  std::unique_ptr<DeviceConnection> connection_;
};

}  // namespace zelko
