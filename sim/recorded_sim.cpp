#include "sim/recorded_sim.h"

#include "device/replay_transport.h"
#include "sim/factory_memory.h"

namespace zelko::sim {

std::unique_ptr<SimulatedMouse> MouseFromRecording(Clock& clock, const RecordedMouse& recorded) {
  SimFaults faults;
  if (recorded.configuration_interface) {
    const auto& interface = recorded.interfaces[static_cast<std::size_t>(*recorded.configuration_interface)];
    if (interface.attributes) {
      faults.vendor_id = interface.attributes->vendor_id;
      faults.product_id = interface.attributes->product_id;
      faults.version = interface.attributes->version;
    }
  }
  if (recorded.status_reply) {
    const auto& reply = *recorded.status_reply;
    faults.signature = reply[kStatusSignatureByte];
    faults.status_flag = (reply[kStatusFlagsByte] & kStatusFlagMask) != 0;
    faults.chip_code = reply[kStatusChipCodeByte];
  }
  DeviceMemory memory = FactoryMemory();
  for (std::size_t i = 0; i < memory.size(); ++i) {
    if (recorded.known[i]) memory[i] = recorded.memory[i];
  }
  return std::make_unique<SimulatedMouse>(clock, memory, faults);
}

std::vector<SimInterface> RecordedInterfaces(const RecordedMouse& recorded) {
  std::vector<SimInterface> interfaces;
  for (std::size_t i = 0; i < recorded.interfaces.size(); ++i) {
    const auto& interface = recorded.interfaces[i];
    interfaces.push_back({ReplayTransport::PathOf(static_cast<int>(i)), interface.attributes.value_or(HidAttributes{}),
                          interface.feature_length.value_or(0),
                          recorded.configuration_interface == static_cast<int>(i)});
  }
  return interfaces;
}

}  // namespace zelko::sim
