// How every zelko77ctl command reaches the mouse, real or simulated.
//
//   auto session = OpenDeviceSession(context);  // on failure: message on
//   if (!session) return;                        // stderr, exit code set
//   if (!BeginConfigurableExchange(*session, context)) return;
//   CommandChannel& channel = session->channel();
//   ... channel.ReadBlockWithProgress(...) / WriteBlock(...) ...
//   session->ui().HideProgress();
//   channel.EndExchange();
//   session->Finish(context);                    // saves --simulate=FILE
//
// OpenDeviceSession finds the configuration interface as the program does
// (identity from --device or the supported ids, version 0x0104, 8-byte
// reports), on hidraw or, with --simulate, on the simulated mouse built
// from the --sim-* options. Its clock is the real one (virtual with
// --simulate --sim-virtual-time); the simulated mouse's latency uses it too.
#pragma once
#include <memory>
#include <optional>

#include "cli/cli_context.h"
#include "cli/cli_ui_port.h"
#include "base/clock.h"
#include "device/command_channel.h"
#include "device/device_link.h"
#include "sim/simulated_mouse.h"

namespace zelko::cli {

class DeviceSession {
 public:
  ~DeviceSession();
  DeviceSession(const DeviceSession&) = delete;
  DeviceSession& operator=(const DeviceSession&) = delete;

  HidTransport& transport() { return *transport_; }
  DeviceLink& link() { return *link_; }
  CommandChannel& channel() { return *channel_; }
  Clock& clock() { return clock_; }
  CliUiPort& ui() { return ui_; }
  // The simulated mouse, or null on a real one.
  sim::SimulatedMouse* simulated_mouse() { return mouse_.get(); }

  // Ends the session: the interface is released and, with --simulate=FILE,
  // the mouse's memory is saved. False (message printed, exit code set to
  // failure if it was 0) when saving failed. Called by the destructor if
  // the command did not.
  bool Finish(CliContext& context);

 private:
  friend std::unique_ptr<DeviceSession> OpenDeviceSession(CliContext& context);
  DeviceSession(bool virtual_time, std::string simulate_file);
  std::string SaveSimulatorFile();

  VirtualClock virtual_clock_;
  Clock& clock_;
  CliUiPort ui_;
  std::unique_ptr<sim::SimulatedMouse> mouse_;
  std::unique_ptr<HidTransport> transport_;
  std::unique_ptr<DeviceLink> link_;
  std::unique_ptr<CommandChannel> channel_;
  std::string simulate_file_;
  bool finished_ = false;
};

// The identity to look for: --device, or the supported mouse. Nothing when
// --device is malformed (message printed, kExitBadInput).
std::optional<DeviceIdentity> ResolveDeviceIdentity(CliContext& context);

// What a command talks through: the platform's transport, or with
// --simulate the simulated mouse built from the --sim-* options (memory
// loaded from --simulate=FILE) on `clock`. Nothing when that fails (message
// printed, exit code set). For commands that run their own link; the
// others use OpenDeviceSession, which also saves the simulator's file.
struct TransportBundle {
  std::unique_ptr<sim::SimulatedMouse> mouse;  // null on the real mouse
  std::unique_ptr<HidTransport> transport;
};
std::optional<TransportBundle> CreateTransport(CliContext& context, Clock& clock);

// Null when the options are bad (kExitBadInput) or no mouse could be opened
// (kExitNoDevice); the reason and its fix are on stderr.
std::unique_ptr<DeviceSession> OpenDeviceSession(CliContext& context);

// The opening handshake. True when the mouse is configurable: the caller
// transfers, then sends the closing pair. Otherwise says why on stderr,
// sends the closing pair if the handshake completed, and sets the exit
// code (kExitTransferFailed when the mouse did not answer,
// kExitNotConfigurable when it refused).
bool BeginConfigurableExchange(DeviceSession& session, CliContext& context,
                               ExchangeResult* result = nullptr);

// Prints "zelko77ctl: <text>" on stderr.
void PrintError(const std::string& text);

}  // namespace zelko::cli
