#include "shell/device_session.h"

#include "device/platform_transport.h"
#include "sim/factory_memory.h"
#include "sim/sim_memory_file.h"
#include "sim/sim_transport.h"

namespace zelko {


DeviceSession::DeviceSession(const DeviceChoice& choice, Clock& clock, UiPort& ui)
    : clock_(clock), ui_(ui), simulate_file_(choice.simulateFile) {
  if (choice.simulate) {
    sim::DeviceMemory memory = sim::FactoryMemory();
    if (!simulate_file_.empty()) {
      // A file that does not exist yet is made when the session ends; a
      // bad one is reported and the mouse starts from the factory image.
      sim::LoadMemoryFile(simulate_file_, memory, load_error_);
    }
    mouse_ = std::make_unique<sim::SimulatedMouse>(clock_, memory, choice.faults);
    if (choice.simulateAbsent) {
      // A keyboard of another maker: the poll sees a device, not the mouse.
      const HidAttributes keyboard{0x046D, 0xC31C, 0x0110};
      transport_ = std::make_unique<sim::SimTransport>(
          *mouse_, std::vector<sim::SimInterface>{{"sim:other/keyboard", keyboard, 9, false}});
    } else {
      transport_ = std::make_unique<sim::SimTransport>(*mouse_);
    }
  } else {
    transport_ = CreatePlatformTransport();
  }
  link_ = choice.identity ? std::make_unique<DeviceLink>(*transport_, *choice.identity)
                          : std::make_unique<DeviceLink>(*transport_);
  channel_ = std::make_unique<CommandChannel>(*link_, clock_, ui_);
  flows_ = std::make_unique<ImageFlows>(workspace_, *channel_, ui_, clock_);
}

DeviceSession::~DeviceSession() {
  connection_.reset();
  flows_.reset();
  channel_.reset();
  if (link_) link_->ForgetDevice();
}

void DeviceSession::Connect(const ExpectedCodes& expected, ConnectionCallbacks callbacks) {
  connection_ = std::make_unique<DeviceConnection>(*link_, *channel_, clock_, ui_, expected,
                                                   std::move(callbacks));
}

std::string DeviceSession::SaveSimulatedMemory() const {
  if (!mouse_ || simulate_file_.empty()) return {};
  return sim::SaveMemoryFile(simulate_file_, mouse_->memory());
}

}  // namespace zelko
