// How every zelko77ctl command reaches the mouse, real or simulated.
//
//   auto session = OpenDeviceSession(context);  // on failure: message on
//   if (!session) return;                        // stderr, exit code set
//   if (!BeginConfigurableExchange(*session, context)) return;
//   CommandChannel& channel = session->channel();
//   ... channel.ReadBlockWithProgress(...) / WriteBlock(...) ...
//   session->ui().HideProgress();
//   (void)channel.EndExchange();  // or report an unacknowledged end
//   session->Finish(context);     // saves --simulate=FILE
//
// The mouse is chosen by the core's session factory (sim/device_session.h),
// as zelko77 chooses it: the same options, the same refusals, the same
// exit statuses (5 bad input, 2 no mouse). OpenDeviceSession then finds the
// configuration interface as the program does (identity from --device or
// the supported ids, version 0x0104, 8-byte reports). Its clock is the real
// one (virtual with --simulate --sim-virtual-time).
#pragma once
#include <memory>
#include <optional>

#include "base/clock.h"
#include "cli/cli_context.h"
#include "cli/cli_ui_port.h"
#include "device/command_channel.h"
#include "device/device_link.h"
#include "sim/device_session.h"
#include "sim/simulated_mouse.h"

namespace zelko::cli {

class DeviceSession {
 public:
  explicit DeviceSession(std::unique_ptr<sim::DeviceSession> device);
  ~DeviceSession();
  DeviceSession(const DeviceSession&) = delete;
  DeviceSession& operator=(const DeviceSession&) = delete;

  HidTransport& transport() { return device_->transport(); }
  DeviceLink& link() { return device_->link(); }
  CommandChannel& channel() { return *channel_; }
  Clock& clock() { return device_->clock(); }
  CliUiPort& ui() { return ui_; }
  // The identity searched for (--device, or the supported mouse).
  const DeviceIdentity& identity() const { return device_->setup().identity; }
  // The simulated mouse, or null on a real one.
  sim::SimulatedMouse* simulated_mouse() { return device_->simulated_mouse(); }
  // The lock the channel's exchanges run under (null: none).
  ExchangeLock* exchange_lock() { return device_->exchange_lock(); }

  // Ends the session: the interface is released and, with --simulate=FILE,
  // the mouse's memory is saved. False (message printed, exit code set to
  // failure if it was 0) when saving failed. Called by the destructor if
  // the command did not.
  bool Finish(CliContext& context);
  // Ends the session without saving anything (the mouse was never opened).
  void Abandon() { finished_ = true; }

 private:
  bool Save(std::string& error);

  std::unique_ptr<sim::DeviceSession> device_;
  CliUiPort ui_;
  std::unique_ptr<CommandChannel> channel_;
  bool finished_ = false;
};

// The identity to look for: --device, or the supported mouse. Nothing when
// --device is malformed (message printed, kExitBadInput).
std::optional<DeviceIdentity> ResolveDeviceIdentity(CliContext& context);

// The session with the interface not opened yet, for commands that run
// the connection's poll themselves (watch). Null when the options are bad
// (kExitBadInput) or the platform has no HID backend (kExitNoDevice); the
// reason is on stderr.
std::unique_ptr<DeviceSession> StartDeviceSession(CliContext& context);

// StartDeviceSession, then the configuration interface opened and the
// mouse's lock taken for the whole command (its read, edit and write are
// one piece: another program's write must not fall between them). Null,
// with the reason and its fix on stderr, when that fails (kExitBadInput,
// kExitNoDevice, or kExitMouseBusy when another program kept the mouse
// for the few seconds the command waits).
std::unique_ptr<DeviceSession> OpenDeviceSession(CliContext& context);

// "the mouse answered the status query with signature 0x.. instead of
// 0xAA; ...": an answer of another device, which replugging does not mend.
std::string UnexpectedSignatureText(std::uint8_t signature);

// The opening handshake. True when the mouse is configurable: the caller
// transfers, then sends the closing pair. Otherwise says why on stderr,
// sends the closing pair if the handshake completed, and sets the exit
// code (kExitTransferFailed when the mouse did not answer,
// kExitNotConfigurable when it refused).
bool BeginConfigurableExchange(DeviceSession& session, CliContext& context,
                               ExchangeResult* result = nullptr);

// What a command says when the mouse did not acknowledge the closing pair.
inline constexpr const char* kEndNotAcknowledgedText =
    "the mouse did not acknowledge the end of the exchange (system reload and end); unplug and "
    "replug it before relying on what it holds";

// Says who holds the mouse (or why its lock cannot be had) and sets the
// exit code: kExitMouseBusy, or kExitFailure for a lock that cannot be had.
void ReportMouseBusy(const LockAttempt& lock, CliContext& context);

// Prints "zelko77ctl: <text>" on stderr.
void PrintError(const std::string& text);

}  // namespace zelko::cli
