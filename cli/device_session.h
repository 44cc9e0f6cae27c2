// How every zelko77ctl command reaches the mouse, real or simulated, and
// what it prints when that fails. The stack itself (transport, channel,
// workspace, flows, connection) is the core's session::MouseSession, the
// one the window uses; this file only turns its outcomes into lines on
// stderr and exit statuses.
//
//   auto session = OpenDeviceSession(context);  // on failure: message on
//   if (!session) return;                        // stderr, exit code set
//   if (!BeginConfigurableExchange(*session, context)) return;
//   CommandChannel& channel = session->channel();
//   ... channel.ReadBlockWithProgress(...) / WriteBlock(...) ...
//   session->ui().HideProgress();
//   (void)channel.EndExchange();  // or report an unacknowledged end
//   session->Finish(context);     // saves --simulate=FILE
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "base/clock.h"
#include "cli/cli_context.h"
#include "cli/cli_ui_port.h"
#include "cli/text_ui_port.h"
#include "device/command_channel.h"
#include "device/device_link.h"
#include "session/device_session.h"
#include "session/exchange_texts.h"
#include "session/mouse_session.h"

namespace zelko::cli {

class DeviceSession {
 public:
  // `language`: the pack (1..3) the flows' messages are printed from.
  DeviceSession(std::unique_ptr<session::DeviceSession> device, int language);
  ~DeviceSession();
  DeviceSession(const DeviceSession&) = delete;
  DeviceSession& operator=(const DeviceSession&) = delete;

  session::MouseSession& mouse() { return *mouse_; }
  HidTransport& transport() { return mouse_->transport(); }
  DeviceLink& link() { return mouse_->link(); }
  CommandChannel& channel() { return mouse_->channel(); }
  Clock& clock() { return mouse_->clock(); }
  // The progress bar on stderr.
  CliUiPort& ui() { return ui_; }
  // The port the flows and the connection report to: messages held until
  // the command has said its own.
  TextUiPort& text_ui() { return text_ui_; }
  // The identity searched for (--device, or the supported mouse).
  const DeviceIdentity& identity() const { return mouse_->setup().identity; }
  // The simulated mouse, or null on a real one.
  sim::SimulatedMouse* simulated_mouse() { return mouse_->simulatedMouse(); }

  // Ends the session: held messages are printed, the interface is released
  // and, with --simulate=FILE, the mouse's memory is saved. False (message
  // printed, exit code set to failure if it was 0) when saving failed.
  // Called by the destructor if the command did not.
  bool Finish(CliContext& context);
  // Ends the session without saving anything (the mouse was never opened).
  void Abandon();

 private:
  bool Save(std::string& error);

  CliUiPort ui_;
  TextUiPort text_ui_;
  std::unique_ptr<session::MouseSession> mouse_;
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

// StartDeviceSession, then the configuration interface opened. Null, with
// the reason and its fix on stderr, when that fails (kExitBadInput or
// kExitNoDevice).
std::unique_ptr<DeviceSession> OpenDeviceSession(CliContext& context);

using session::kEndNotAcknowledgedText;
using session::UnexpectedSignatureText;

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
