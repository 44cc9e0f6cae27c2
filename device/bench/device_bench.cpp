// CPU cost of the command protocol against the simulated mouse. Virtual
// time makes the sleeps free, so what remains is our own code (and the
// simulator's). The last case spends the real sleeps and compares a full
// read with the floor those sleeps set.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "device/command_channel.h"
#include "device/supported_ids.h"
#include "sim/sim_transport.h"
#include "device/bench/bench_require.h"

namespace zelko {
namespace {

using bench::Require;

struct BenchRig {
  explicit BenchRig(Clock& clock) : mouse(clock), transport(mouse), link(transport), channel(link, clock, NullUiPort()) {
    link.state().DeviceVersion = kSupportedDeviceVersion;
    Require(link.OpenHidDevice(SupportedVendorId, SupportedProductId, link.state().DeviceVersion), "open");
  }
  sim::SimulatedMouse mouse;
  sim::SimTransport transport;
  DeviceLink link;
  CommandChannel channel;
};

void ReportPerReport(benchmark::State& state, const BenchRig& rig) {
  state.counters["reports"] = static_cast<double>(rig.mouse.reports_seen());
  // Time per report (Set or Get Feature), CPU.
  state.counters["cpu_per_report"] = benchmark::Counter(
      static_cast<double>(rig.mouse.reports_seen()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_SendCommand(benchmark::State& state) {
  VirtualClock clock;
  BenchRig rig(clock);
  for (auto _ : state) benchmark::DoNotOptimize(rig.channel.SendCommand(CommandCode::kBeginExchange));
  ReportPerReport(state, rig);
}
BENCHMARK(BM_SendCommand);

void BM_ReadFullImage(benchmark::State& state) {
  VirtualClock clock;
  BenchRig rig(clock);
  Require(rig.channel.BeginExchange().configurable(), "handshake");
  std::vector<std::uint8_t> image(kDeviceMemorySize);
  for (auto _ : state) {
    benchmark::DoNotOptimize(rig.channel.ReadBlockWithProgress(0, kDeviceMemorySize, image));
    benchmark::ClobberMemory();
  }
  ReportPerReport(state, rig);
}
BENCHMARK(BM_ReadFullImage)->Unit(benchmark::kMicrosecond);

void BM_WriteFullImage(benchmark::State& state) {
  VirtualClock clock;
  BenchRig rig(clock);
  Require(rig.channel.BeginExchange().configurable(), "handshake");
  std::vector<std::uint8_t> image(kDeviceMemorySize, 0x5A);
  for (auto _ : state) benchmark::DoNotOptimize(rig.channel.WriteBlock(0, kDeviceMemorySize, image));
  ReportPerReport(state, rig);
}
BENCHMARK(BM_WriteFullImage)->Unit(benchmark::kMicrosecond);

// A whole read as zelko77ctl dump does it, with real sleeps: handshake
// (2 commands), block command, 342 chunks, closing pair (2 commands).
void BM_FullReadRealSleeps(benchmark::State& state) {
  constexpr double kFloorMs = 5 * 10.0 + 342 * 5.0;
  SystemClock clock;
  std::vector<std::uint8_t> image(kDeviceMemorySize);
  for (auto _ : state) {
    BenchRig rig(clock);
    const std::uint64_t start = clock.NowMs();
    Require(rig.channel.BeginExchange().configurable(), "handshake");
    Require(rig.channel.ReadBlockWithProgress(0, kDeviceMemorySize, image), "read");
    Require(rig.channel.EndExchange(), "closing pair");
    const double took_ms = static_cast<double>(clock.NowMs() - start);
    state.counters["floor_ms"] = kFloorMs;
    state.counters["took_ms"] = took_ms;
    state.counters["over_floor_pct"] = (took_ms / kFloorMs - 1.0) * 100.0;
  }
}
BENCHMARK(BM_FullReadRealSleeps)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelko

BENCHMARK_MAIN();
