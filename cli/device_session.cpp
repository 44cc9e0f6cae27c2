#include "cli/device_session.h"

#include <cstdio>

#include "cli/id_text.h"
#include "cli/no_device_hint.h"
#include "session/use_cases.h"

namespace zelko::cli {

void PrintError(const std::string& text) {
  std::fprintf(stderr, "zelko77ctl: %s\n", text.c_str());
}

DeviceSession::DeviceSession(std::unique_ptr<session::DeviceSession> device, int language)
    : text_ui_(ui_, language),
      mouse_(std::make_unique<session::MouseSession>(std::move(device), text_ui_, ui_)) {
  // Said at once, before whatever the command makes of a mouse that stops
  // answering.
  mouse_->device().OnReplayDifference([this](const std::string& difference) {
    ui_.HideProgress();
    text_ui_.Flush();
    PrintError(difference);
  });
}

DeviceSession::~DeviceSession() {
  if (finished_) return;
  if (std::string error; !Save(error)) PrintError("the simulated mouse's memory was not saved: " + error);
}

bool DeviceSession::Save(std::string& error) {
  finished_ = true;
  ui_.HideProgress();
  text_ui_.Flush();
  const Status saved = mouse_->Finish();  // releases the interface
  error = saved.error();
  return saved.ok();
}

void DeviceSession::Abandon() { finished_ = true; }

bool DeviceSession::Finish(CliContext& context) {
  if (finished_) return true;
  std::string error;
  const bool saved = Save(error);
  if (!saved) PrintError("the simulated mouse's memory was not saved: " + error);
  // A strict replay that went another way than its recording fails the run.
  const bool replayed_as_recorded = !mouse_->device().ReplayDifference();
  if (saved && replayed_as_recorded) return true;
  if (context.exit_code == kExitOk) context.exit_code = kExitFailure;
  return false;
}

std::optional<DeviceIdentity> ResolveDeviceIdentity(CliContext& context) {
  auto identity = session::ReadDeviceIdentity(context.options.mouse.device);
  if (!identity) {
    PrintError(identity.error());
    context.exit_code = kExitBadInput;
    return std::nullopt;
  }
  return *identity;
}

std::unique_ptr<DeviceSession> StartDeviceSession(CliContext& context) {
  auto setup = session::ReadDeviceRequest(context.options.mouse);
  if (!setup) {
    PrintError(setup.error());
    context.exit_code = kExitBadInput;
    return nullptr;
  }
  auto device = session::OpenDeviceSession(std::move(*setup), DefaultClock());
  if (!device) {
    PrintError(device.error());
    context.exit_code = kExitNoDevice;
    return nullptr;
  }
  return std::make_unique<DeviceSession>(std::move(*device), context.options.language);
}

std::unique_ptr<DeviceSession> OpenDeviceSession(CliContext& context) {
  auto session = StartDeviceSession(context);
  if (!session) return nullptr;
  const DeviceIdentity identity = session->identity();
  if (!session::OpenInterface(session->mouse())) {
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
  return session;
}

bool BeginConfigurableExchange(DeviceSession& session, CliContext& context,
                               ExchangeResult* result) {
  const ExchangeResult begin = session.channel().BeginExchange();
  if (result) *result = begin;
  const auto failure = session::DescribeHandshake(begin);
  if (!failure) return true;
  switch (begin.state) {
    case ExchangeState::kNotConfigurable:
      // The refusal is the news; whether the closing pair was acknowledged
      // adds nothing to it.
      (void)session.channel().EndExchange();
      PrintError(failure->text + "; only chip 0x99 with the flag set can be configured");
      break;
    case ExchangeState::kBadSignature:
      PrintError(failure->text);
      break;
    default:
      PrintError(failure->text + "; " + session::kReplugAdvice);
      break;
  }
  context.exit_code = session::ExitCode(failure->outcome);
  return false;
}

}  // namespace zelko::cli
