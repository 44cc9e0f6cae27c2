// Apply (pack, whole write, read-back, no repair) against the simulated
// mouse with no latency, on the real clock, compared with the floor that
// the protocol's fixed sleeps set (the same Apply in virtual time).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "base/clock.h"
#include "device/command_channel.h"
#include "device/device_link.h"
#include "device/supported_ids.h"
#include "device/ui_port.h"
#include "image/image_flows.h"
#include "sim/sim_transport.h"
#include "sim/simulated_mouse.h"
#include "device/bench/bench_require.h"

namespace zelko {
namespace {

using bench::Require;

// The real clock, counting the sleeps asked of it.
class CountingClock final : public Clock {
 public:
  void SleepMs(std::uint32_t ms) override {
    ++sleeps;
    requested_ms += ms;
    real_.SleepMs(ms);
  }
  std::uint64_t NowMs() const override { return real_.NowMs(); }
  std::uint64_t sleeps = 0;
  std::uint64_t requested_ms = 0;

 private:
  SystemClock real_;
};

struct ApplyRig {
  explicit ApplyRig(Clock& clock)
      : mouse(clock), transport(mouse), link(transport), channel(link, clock, NullUiPort()),
        flows(workspace, channel, NullUiPort(), clock) {
    std::uint32_t version = kSupportedDeviceVersion;
    Require(link.OpenHidDevice(SupportedVendorId, SupportedProductId, version), "open");
    Require(channel.BeginExchange().configurable(), "handshake");
    Require(flows.ReadImage().ok(), "read");
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
  Require(rig.flows.WriteRecord(rig.workspace.record).ok(), "apply");
  return static_cast<double>(clock.NowMs() - start);
}

void BM_Apply(benchmark::State& state) {
  CountingClock clock;
  ApplyRig rig(clock);
  const double floor_ms = FloorMs();
  clock.sleeps = 0;
  bool verified = true;
  double total_ms = 0;
  for (auto _ : state) {
    ParameterRecord edited = rig.workspace.record;
    edited.ParameterA.BreathStep ^= 1;  // something to write
    const auto start = clock.NowMs();
    verified = verified && rig.flows.WriteRecord(edited).ok();
    total_ms += static_cast<double>(clock.NowMs() - start);
  }
  const double per_apply_ms = total_ms / static_cast<double>(state.iterations());
  state.counters["floor_ms"] = floor_ms;
  state.counters["apply_ms"] = per_apply_ms;
  state.counters["over_floor_pct"] = (per_apply_ms - floor_ms) / floor_ms * 100.0;
  state.counters["verified"] = verified ? 1 : 0;
  // What the operating system adds to each sleep: the whole distance from
  // the floor when the code between the sleeps costs nothing.
  const double sleeps_per_apply = static_cast<double>(clock.sleeps) / static_cast<double>(state.iterations());
  state.counters["sleeps_per_apply"] = sleeps_per_apply;
  state.counters["overshoot_per_sleep_us"] = (per_apply_ms - floor_ms) * 1000.0 / sleeps_per_apply;
}
BENCHMARK(BM_Apply)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace zelko

BENCHMARK_MAIN();
