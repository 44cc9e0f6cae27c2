// The mouse as both programs use it: the device session (real or
// simulated), and over it, built once, the command channel, the working
// image, the image flows and the connection logic. The use cases
// (session/use_cases.h) run on it.
//
//   auto device = session::OpenDeviceSession(std::move(setup), clock);
//   session::MouseSession mouse(std::move(*device), ui);
//   mouse.Connect(ShippedExpectedCodes(), {});   // the window gives its callbacks
//   const ReadReport read = ReadMouse(mouse);
//   ...
//   if (const Status saved = mouse.Finish(); !saved) ...  // saves --simulate=FILE
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/result.h"
#include "device/command_channel.h"
#include "device/device_connection.h"
#include "device/device_link.h"
#include "device/ui_port.h"
#include "image/backup_store.h"
#include "image/image_flows.h"
#include "image/workspace.h"
#include "session/device_session.h"

namespace zelko::session {

class MouseSession {
 public:
  // `device` comes from OpenDeviceSession and must not be null; its clock
  // paces the protocol and the simulated mouse. The channel reports its
  // progress to `channel_ui`, the flows and the connection to `ui` (both
  // the same port unless a program holds messages apart, as zelko77ctl
  // does).
  MouseSession(std::unique_ptr<DeviceSession> device, UiPort& ui, UiPort& channel_ui);
  MouseSession(std::unique_ptr<DeviceSession> device, UiPort& ui) : MouseSession(std::move(device), ui, ui) {}
  ~MouseSession();
  MouseSession(const MouseSession&) = delete;
  MouseSession& operator=(const MouseSession&) = delete;

  // The connection logic with the program's callbacks. Without a
  // read_image callback a read only reads the image (ReadImage below).
  void Connect(const ExpectedCodes& expected, ConnectionCallbacks callbacks);

  // The whole image read and shown (ImageFlows::ReadImage); what it came
  // to is kept as last_read().
  FlowResult ReadImage();
  const FlowResult& last_read() const { return last_read_; }

  bool IsOpen() const { return device_->link().IsOpen(); }
  Clock& clock() { return device_->clock(); }
  DeviceLink& link() { return device_->link(); }
  HidTransport& transport() { return device_->transport(); }
  const DeviceSetup& setup() const { return device_->setup(); }
  CommandChannel& channel() { return *channel_; }
  Workspace& workspace() { return workspace_; }
  ImageFlows& flows() { return *flows_; }
  // Null until Connect.
  DeviceConnection* connection() { return connection_.get(); }
  // The simulated mouse, or null on a real one.
  SimulatedMouse* simulatedMouse() { return device_->simulated_mouse(); }

  // Where the backups kept before every write go (DefaultBackupFolder()
  // unless a test names another).
  std::string backup_folder;
  // The write the next backup guards, as `backups` shows it.
  BackupMaker backup_maker;
  // When not empty, a read reads only these ranges (image/section_read.h)
  // instead of the whole image.
  std::vector<AddressRange> ranges_to_read;

  // Releases the interface and, with --simulate=FILE, saves the simulated
  // memory to its file (a missing file is created).
  [[nodiscard]] Status Finish() { return device_->Finish(); }
  // The session underneath (a strict replay's difference, ...).
  DeviceSession& device() { return *device_; }

 private:
  std::unique_ptr<DeviceSession> device_;
  UiPort& ui_;
  std::unique_ptr<CommandChannel> channel_;
  Workspace workspace_;
  std::unique_ptr<ImageFlows> flows_;
  std::unique_ptr<DeviceConnection> connection_;
  FlowResult last_read_ = FlowResult::Of(FlowStatus::kHandshakeFailed);
};

}  // namespace zelko::session
