#include "cli/device_session.h"

#include <cstdio>

#include "base/number_text.h"
#include "cli/id_text.h"
#include "cli/no_device_hint.h"
#include "device/supported_ids.h"

namespace zelko::cli {

void PrintError(const std::string& text) {
  std::fprintf(stderr, "zelko77ctl: %s\n", text.c_str());
}

DeviceSession::DeviceSession(std::unique_ptr<sim::DeviceSession> device)
    : device_(std::move(device)),
      channel_(std::make_unique<CommandChannel>(device_->link(), device_->clock(), ui_)) {}

DeviceSession::~DeviceSession() {
  if (finished_) return;
  if (std::string error; !Save(error)) PrintError("the simulated mouse's memory was not saved: " + error);
}

bool DeviceSession::Save(std::string& error) {
  finished_ = true;
  ui_.HideProgress();
  const Status saved = device_->Finish();  // releases the interface
  channel_->ReleaseExchangeLock();
  error = saved.error();
  return saved.ok();
}

bool DeviceSession::Finish(CliContext& context) {
  if (finished_) return true;
  std::string error;
  if (Save(error)) return true;
  PrintError("the simulated mouse's memory was not saved: " + error);
  if (context.exit_code == kExitOk) context.exit_code = kExitFailure;
  return false;
}

std::optional<DeviceIdentity> ResolveDeviceIdentity(CliContext& context) {
  auto identity = sim::ReadDeviceIdentity(context.options.mouse.device);
  if (!identity) {
    PrintError(identity.error());
    context.exit_code = kExitBadInput;
    return std::nullopt;
  }
  return *identity;
}

std::unique_ptr<DeviceSession> StartDeviceSession(CliContext& context) {
  auto setup = sim::ReadDeviceRequest(context.options.mouse);
  if (!setup) {
    PrintError(setup.error());
    context.exit_code = kExitBadInput;
    return nullptr;
  }
  auto device = sim::OpenDeviceSession(std::move(*setup), DefaultClock());
  if (!device) {
    PrintError(device.error());
    context.exit_code = kExitNoDevice;
    return nullptr;
  }
  auto session = std::make_unique<DeviceSession>(std::move(*device));
  // Another program's exchange is waited for in real time, whatever clock
  // the protocol runs on.
  session->channel().UseExchangeLock(session->exchange_lock(),
                                     {&DefaultClock(), context.options.wait_for_mouse_s * 1000u});
  return session;
}

std::unique_ptr<DeviceSession> OpenDeviceSession(CliContext& context) {
  auto session = StartDeviceSession(context);
  if (!session) return nullptr;
  const DeviceIdentity identity = session->identity();
  auto& state = session->link().state();
  state.DeviceVersion = kSupportedDeviceVersion;
  if (!session->link().OpenHidDevice(identity.vendor_id, identity.product_id, state.DeviceVersion)) {
    sim::SimulatedMouse* mouse = session->simulated_mouse();
    PrintError(mouse ? "no simulated mouse with id " + IdentityText(identity) + " (the simulator uses " +
                           IdentityText({mouse->faults().vendor_id, mouse->faults().product_id}) +
                           "; --sim-ids changes it)"
                     : ExplainNoDevice(identity));
    context.exit_code = kExitNoDevice;
    // Until the mouse is open there is nothing to save: a missing memory
    // file is not created by a run that never reached the mouse.
    session->Abandon();
    return nullptr;
  }
  if (const LockAttempt lock = session->channel().TakeExchangeLock(); !lock.taken()) {
    ReportMouseBusy(lock, context);
    session->Abandon();
    return nullptr;
  }
  return session;
}

void ReportMouseBusy(const LockAttempt& lock, CliContext& context) {
  if (lock.outcome == LockOutcome::kUnavailable) {
    PrintError("the lock that keeps two programs from talking to the mouse at once cannot be had (" +
               lock.error + "); nothing was sent");
    context.exit_code = kExitFailure;
    return;
  }
  PrintError(HolderText(lock.holder) + " is talking to the mouse and did not finish within " +
             std::to_string(context.options.wait_for_mouse_s) +
             " s (--wait-for-mouse); nothing was sent. Try again when it has finished");
  context.exit_code = kExitMouseBusy;
}

std::string UnexpectedSignatureText(std::uint8_t signature) {
  return "the mouse answered the status query with signature " + HexText(signature) +
         " instead of 0xAA; it is not a mouse this program can configure";
}

bool BeginConfigurableExchange(DeviceSession& session, CliContext& context,
                               ExchangeResult* result) {
  const ExchangeResult begin = session.channel().BeginExchange();
  if (result) *result = begin;
  switch (begin.state) {
    case ExchangeState::kConfigurable:
      return true;
    case ExchangeState::kNoDevice:
    case ExchangeState::kNotAcknowledged:
      PrintError("the mouse did not answer the opening handshake; unplug and replug it, then try again");
      context.exit_code = kExitTransferFailed;
      return false;
    case ExchangeState::kBadSignature:
      PrintError(UnexpectedSignatureText(begin.signature));
      context.exit_code = kExitNotConfigurable;
      return false;
    case ExchangeState::kMouseBusy:
      ReportMouseBusy(begin.lock, context);
      return false;
    case ExchangeState::kNotConfigurable:
      // The refusal is the news; whether the closing pair was acknowledged
      // adds nothing to it.
      (void)session.channel().EndExchange();
      PrintError("the mouse refuses configuration (chip id " + HexText(begin.chip_id) +
                 ", status flag " + (begin.status_flag ? "set" : "clear") +
                 "); only chip 0x99 with the flag set can be configured");
      context.exit_code = kExitNotConfigurable;
      return false;
  }
  return false;
}

}  // namespace zelko::cli
