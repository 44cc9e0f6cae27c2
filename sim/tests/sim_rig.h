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
  // end_acknowledged tells whether the closing pair was answered.
  template <typename Work>
  ExchangeResult InExchange(Work work) {
    const ExchangeResult result = channel.BeginExchange();
    if (result.configurable()) work();
    end_acknowledged = result.needs_closing_pair() && channel.EndExchange();
    return result;
  }
  // The same on a mouse that must take part: configurable, closed cleanly.
  template <typename Work>
  void InConfigurableExchange(Work work) {
    EXPECT_TRUE(InExchange(work).configurable());
    EXPECT_TRUE(end_acknowledged);
  }

  VirtualClock clock;
  SimulatedMouse mouse;
  SimTransport transport;
  DeviceLink link;
  CommandChannel channel;
  bool end_acknowledged = false;
};

}  // namespace zelko::sim::testing
