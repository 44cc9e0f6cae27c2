// The simulated mouse wired to a link and a channel, in virtual time.
#pragma once
#include <gtest/gtest.h>

#include "device/command_channel.h"
#include "device/supported_ids.h"
#include "sim/sim_transport.h"

namespace zelko::sim::testing {

struct SimRig {
  explicit SimRig(SimFaults faults = {}, bool open = true)
      : mouse(clock, std::move(faults)), transport(mouse), link(transport), channel(link, clock, NullUiPort()) {
    if (open) Open();
  }
  bool Open() {
    link.state().DeviceVersion = kSupportedDeviceVersion;
    return link.OpenHidDevice(SupportedVendorId, SupportedProductId, link.state().DeviceVersion);
  }
  // Opening handshake, the work, closing pair; as every caller does.
  template <typename Work>
  ExchangeResult InExchange(Work work) {
    const ExchangeResult result = channel.BeginExchange();
    if (result.configurable()) work();
    if (result.needs_closing_pair()) channel.EndExchange();
    return result;
  }

  VirtualClock clock;
  SimulatedMouse mouse;
  SimTransport transport;
  DeviceLink link;
  CommandChannel channel;
};

}  // namespace zelko::sim::testing
