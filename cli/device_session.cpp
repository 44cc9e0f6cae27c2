#include "cli/device_session.h"

#include <cstdio>

#include "cli/id_text.h"
#include "cli/no_device_hint.h"
#include "base/hex_text.h"
#include "device/platform_transport.h"
#include "device/supported_ids.h"
#include "sim/sim_memory_file.h"
#include "sim/sim_options.h"
#include "sim/sim_transport.h"
#include "device/identity_text.h"

namespace zelko::cli {

void PrintError(const std::string& text) {
  std::fprintf(stderr, "zelko77ctl: %s\n", text.c_str());
}

DeviceSession::DeviceSession(bool virtual_time, std::string simulate_file)
    : clock_(virtual_time ? static_cast<Clock&>(virtual_clock_) : DefaultClock()),
      simulate_file_(std::move(simulate_file)) {}

DeviceSession::~DeviceSession() {
  if (!finished_) {
    if (const std::string error = SaveSimulatorFile(); !error.empty()) PrintError(error);
  }
}

std::string DeviceSession::SaveSimulatorFile() {
  finished_ = true;
  ui_.HideProgress();
  channel_.reset();
  link_.reset();  // releases the interface
  if (!mouse_ || simulate_file_.empty()) return {};
  return sim::SaveMemoryFile(simulate_file_, mouse_->memory());
}

bool DeviceSession::Finish(CliContext& context) {
  if (finished_) return true;
  const std::string error = SaveSimulatorFile();
  if (error.empty()) return true;
  PrintError("the simulated mouse's memory was not saved: " + error);
  if (context.exit_code == kExitOk) context.exit_code = kExitFailure;
  return false;
}

std::optional<DeviceIdentity> ResolveDeviceIdentity(CliContext& context) {
  const std::string& text = context.options.device;
  if (text.empty()) return DeviceIdentity{SupportedVendorId, SupportedProductId};
  const auto parsed = ParseDeviceIdentity(text);
  if (!parsed) {
    PrintError("--device: '" + text + "' is not VID:PID in hexadecimal (e.g. 3151:7707)");
    context.exit_code = kExitBadInput;
  }
  return parsed;
}

std::optional<TransportBundle> CreateTransport(CliContext& context, Clock& clock) {
  const GlobalOptions& options = context.options;
  TransportBundle bundle;
  if (!options.simulate) {
    bundle.transport = CreatePlatformTransport();
    if (!bundle.transport) {
      PrintError("this platform has no HID support; use --simulate to try the simulated mouse");
      context.exit_code = kExitNoDevice;
      return std::nullopt;
    }
    return bundle;
  }
  const auto parsed = sim::ParseSimOptions(options.sim);
  if (!parsed.ok()) {
    PrintError(parsed.error);
    context.exit_code = kExitBadInput;
    return std::nullopt;
  }
  bundle.mouse = std::make_unique<sim::SimulatedMouse>(clock, parsed.faults);
  if (!options.simulate_file.empty()) {
    std::string error;
    if (sim::LoadMemoryFile(options.simulate_file, bundle.mouse->memory(), error) ==
        sim::MemoryFileLoad::kBad) {
      PrintError("--simulate: " + error);
      context.exit_code = kExitBadInput;
      return std::nullopt;
    }
    // The identity knob wins over what the file holds.
    if (parsed.faults.identity) {
      bundle.mouse->memory()[kIdentityAddress] = (*parsed.faults.identity)[0];
      bundle.mouse->memory()[kIdentityAddress + 1] = (*parsed.faults.identity)[1];
    }
  }
  bundle.transport = std::make_unique<sim::SimTransport>(*bundle.mouse);
  return bundle;
}

std::unique_ptr<DeviceSession> OpenDeviceSession(CliContext& context) {
  const GlobalOptions& options = context.options;
  const auto identity = ResolveDeviceIdentity(context);
  if (!identity) return nullptr;

  std::unique_ptr<DeviceSession> session(
      new DeviceSession(options.simulate && options.sim_virtual_time, options.simulate_file));
  // Until the mouse is open there is nothing to save: a file that could not
  // be read is never overwritten.
  session->finished_ = true;
  auto bundle = CreateTransport(context, session->clock_);
  if (!bundle) return nullptr;
  session->mouse_ = std::move(bundle->mouse);
  session->transport_ = std::move(bundle->transport);

  session->link_ = std::make_unique<DeviceLink>(*session->transport_, *identity);
  session->channel_ = std::make_unique<CommandChannel>(*session->link_, session->clock_, session->ui_);
  auto& state = session->link_->state();
  state.DeviceVersion = kSupportedDeviceVersion;
  if (!session->link_->OpenHidDevice(identity->vendor_id, identity->product_id, state.DeviceVersion)) {
    PrintError(options.simulate ? "no simulated mouse with id " + IdentityText(*identity) +
                                      " (the simulator uses " +
                                      IdentityText({session->mouse_->faults().vendor_id,
                                                    session->mouse_->faults().product_id}) +
                                      "; --sim-ids changes it)"
                                : ExplainNoDevice(*identity));
    context.exit_code = kExitNoDevice;
    return nullptr;
  }
  session->finished_ = false;
  return session;
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
      PrintError("the mouse answered the status query with signature " + HexText(begin.signature) +
                 " instead of 0xAA; it is not a mouse this program can configure");
      context.exit_code = kExitNotConfigurable;
      return false;
    case ExchangeState::kNotConfigurable:
      session.channel().EndExchange();
      PrintError("the mouse refuses configuration (chip id " + HexText(begin.chip_id) +
                 ", status flag " + (begin.status_flag ? "set" : "clear") +
                 "); only chip 0x99 with the flag set can be configured");
      context.exit_code = kExitNotConfigurable;
      return false;
  }
  return false;
}

}  // namespace zelko::cli
