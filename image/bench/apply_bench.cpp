// Apply (pack, whole write, read-back, no repair) against the simulated
// mouse with no latency, on the real clock, compared with the floor that
// the protocol's fixed sleeps set (the same Apply in virtual time).
#include <benchmark/benchmark.h>

#include "device/clock.h"
#include "device/command_channel.h"
#include "device/device_link.h"
#include "device/supported_ids.h"
#include "device/ui_port.h"
#include "image/image_flows.h"
#include "sim/sim_transport.h"
#include "sim/simulated_mouse.h"

namespace zelko {
namespace {

struct ApplyRig {
  explicit ApplyRig(Clock& clock)
      : mouse(clock), transport(mouse), link(transport), channel(link, clock, NullUiPort()),
        flows(workspace, channel, NullUiPort(), clock) {
    std::uint32_t version = kSupportedDeviceVersion;
    link.OpenHidDevice(SupportedVendorId, SupportedProductId, version);
    channel.BeginExchange();
    flows.Btn_Read();
  }
  sim::SimulatedMouse mouse;
  sim::SimTransport transport;
  DeviceLink link;
  CommandChannel channel;
  Workspace workspace;
  ImageFlows flows;
};

// Milliseconds of sleep one Apply is made of.
double FloorMs() {
  VirtualClock clock;
  ApplyRig rig(clock);
  const auto start = clock.NowMs();
  rig.flows.DownloadParameter();
  return static_cast<double>(clock.NowMs() - start);
}

void BM_Apply(benchmark::State& state) {
  SystemClock clock;
  ApplyRig rig(clock);
  const double floor_ms = FloorMs();
  bool verified = true;
  double total_ms = 0;
  for (auto _ : state) {
    rig.workspace.record.ParameterA.BreathStep ^= 1;  // something to write
    const auto start = clock.NowMs();
    verified = verified && rig.flows.DownloadParameter().ok();
    total_ms += static_cast<double>(clock.NowMs() - start);
  }
  const double per_apply_ms = total_ms / static_cast<double>(state.iterations());
  state.counters["floor_ms"] = floor_ms;
  state.counters["apply_ms"] = per_apply_ms;
  state.counters["over_floor_pct"] = (per_apply_ms - floor_ms) / floor_ms * 100.0;
  state.counters["verified"] = verified ? 1 : 0;
}
BENCHMARK(BM_Apply)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace zelko

BENCHMARK_MAIN();
