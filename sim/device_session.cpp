#include "sim/device_session.h"

#include "device/identity_text.h"
#include "device/platform_transport.h"
#include "sim/factory_memory.h"
#include "sim/sim_memory_file.h"
#include "sim/sim_transport.h"

namespace zelko::sim {
namespace {

// What the simulator shows when the mouse is "not plugged in": a keyboard
// of another maker, so that the poll sees a device, but not the mouse.
const SimInterface kOtherMakersKeyboard{"sim:other/keyboard", HidAttributes{0x046D, 0xC31C, 0x0110}, 9,
                                        false};

}  // namespace

Result<DeviceIdentity> ReadDeviceIdentity(const std::string& text) {
  if (text.empty()) return DeviceIdentity{SupportedVendorId, SupportedProductId};
  const auto identity = ParseDeviceIdentity(text);
  if (!identity) {
    return Result<DeviceIdentity>::Failure("--device: '" + text +
                                           "' is not VID:PID in hexadecimal (e.g. 3151:7707)");
  }
  return *identity;
}

Result<DeviceSetup> ReadDeviceRequest(const DeviceRequest& request) {
  DeviceSetup setup;
  const auto identity = ReadDeviceIdentity(request.device);
  if (!identity) return Result<DeviceSetup>::Failure(identity.error());
  setup.identity = *identity;
  // A malformed knob is refused with or without --simulate: a typo should
  // not pass unnoticed.
  SimOptionsResult faults = ParseSimOptions(request.sim);
  if (!faults.ok()) return Result<DeviceSetup>::Failure(faults.error);
  setup.faults = std::move(faults.faults);
  setup.simulate = request.simulate;
  if (!request.simulate) return setup;
  setup.watch = request.watch;

  setup.virtual_time = request.sim.virtual_time;
  setup.memory_file = request.simulate_file;
  if (!setup.memory_file.empty()) {
    auto memory = LoadMemoryFile(setup.memory_file);
    if (!memory) {
      return Result<DeviceSetup>::Failure("--simulate: " + memory.error() +
                                          "; the file is left as it is (name a new file to start "
                                          "from the factory image)");
    }
    setup.memory = *memory;
  }
  return setup;
}

DeviceSession::DeviceSession(DeviceSetup setup, Clock& clock)
    : setup_(std::move(setup)),
      clock_(setup_.simulate && setup_.virtual_time ? static_cast<Clock&>(virtual_clock_) : clock) {}

DeviceSession::~DeviceSession() {
  // Unfinished: nothing is saved (a session abandoned on an error must not
  // write the memory file); the interface is released all the same.
  if (link_) link_->ForgetDevice();
  if (mouse_ && setup_.watch.ended) setup_.watch.ended(*mouse_, clock_);
}

Status DeviceSession::Finish() {
  link_->ForgetDevice();
  return shared_file_ ? shared_file_->Finish() : Status::Ok();
}

std::unique_ptr<ExchangeLock> MakeExchangeLock(const DeviceSetup& setup) {
  if (!setup.simulate) return MakeNodeExchangeLock();
  if (!setup.memory_file.empty()) return MakeFileExchangeLock(setup.memory_file);
  return nullptr;
}

Result<std::unique_ptr<DeviceSession>> OpenDeviceSession(DeviceSetup setup, Clock& clock,
                                                         const PlatformTransportMaker& make) {
  std::unique_ptr<DeviceSession> session(new DeviceSession(std::move(setup), clock));
  const DeviceSetup& s = session->setup_;
  if (s.simulate) {
    // The identity knob wins over what the memory file holds (the mouse
    // applies it over the memory it starts with).
    session->mouse_ =
        std::make_unique<SimulatedMouse>(session->clock_, s.memory ? *s.memory : FactoryMemory(), s.faults);
    session->transport_ =
        s.simulate_absent
            ? std::make_unique<SimTransport>(*session->mouse_, std::vector<SimInterface>{kOtherMakersKeyboard})
            : std::make_unique<SimTransport>(*session->mouse_);
    if (!s.memory_file.empty()) {
      session->shared_file_ = std::make_unique<SharedMemoryFile>(s.memory_file, *session->mouse_, s.memory);
    }
  } else {
    session->transport_ = make ? make() : CreatePlatformTransport();
    if (!session->transport_) {
      return Result<std::unique_ptr<DeviceSession>>::Failure(
          "this platform has no HID support; use --simulate to try the simulated mouse");
    }
  }
  session->link_ = std::make_unique<DeviceLink>(*session->transport_, s.identity);
  session->exchange_lock_ = MakeExchangeLock(s);
  if (session->mouse_ && s.watch.started) s.watch.started(*session->mouse_, session->clock_);
  return session;
}

}  // namespace zelko::sim
