// zelko77ctl's writing commands end to end (the read, the edit, the write
// and its read-back), whole image against changed bytes only, on the
// simulated mouse with the real clock, each compared with the floor that
// the protocol's fixed sleeps set for the same traffic (the same run in
// virtual time).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "base/clock.h"
#include "device/command_channel.h"
#include "device/device_link.h"
#include "device/supported_ids.h"
#include "device/ui_port.h"
#include "image/factory_images.h"
#include "image/image_flows.h"
#include "image/section_read.h"
#include "device/protocol_layout.h"
#include "sim/sim_transport.h"
#include "sim/simulated_mouse.h"
#include "device/bench/bench_require.h"

namespace zelko {
namespace {

using bench::Require;

// What a command changes in the image it has read.
using Edit = std::function<void(Workspace&)>;

void SetButton(Workspace& w) {
  w.record.Profile.ModeA[3] = {0x01, 0x10, 0x00};  // button 4: Forward
  w.PackImage();
}

void SetDpiCount4(Workspace& w) {
  w.record.ParameterA.DpiLevelCount = 4;
  w.record.ParameterB.CurrentDpiLevel = 3;
  w.record.ParameterB.CurrentDpiLevelComplement = 0xFF - 3;
  w.PackImage();
}

void AssignMacro50(Workspace& w) {
  // Slot 1: a name and a content of 50 event bytes, closed by its checksum;
  // button 5 plays it.
  auto slot = MacroSlotBytes(w.base_macro_area, 1);
  std::fill(slot.begin(), slot.end(), std::uint8_t{0});
  slot[1] = 'M';
  auto content = slot.subspan(kMacroSlotNameSize);
  content[kMacroContentLengthOffset] = 51;
  unsigned sum = 51;
  for (std::size_t i = 0; i < 50; ++i) {
    content[2 + i] = static_cast<std::uint8_t>(0x80 + i % 32);
    sum += content[2 + i];
  }
  content[52] = static_cast<std::uint8_t>((sum & 0xFF) ^ 0x5A);
  w.record.Profile.ModeA[4] = {0x06, 0x01, 0x21};
  w.PackImage();
}

void Reset2(Workspace& w) { w.data_buf = *FactoryImage(2); }

void SwitchKeyMode(Workspace& w) {
  auto& b = w.record.ParameterB;
  b.KeyModeState ^= 0x80;
  b.KeyModeStateComplement = static_cast<std::uint8_t>(0xFF - b.KeyModeState);
  w.PackImage();
}

// How much a command reads before it writes.
enum class ReadExtent { kWhole, kSections };

// Opens the mouse, reads it, applies the edit and writes; returns the ms
// from the read on.
double RunCommand(Clock& clock, const Edit& edit, WriteExtent extent, ReadExtent read = ReadExtent::kWhole,
                  std::vector<Section> sections = {}) {
  sim::SimulatedMouse mouse(clock, sim::SimFaults{});
  sim::SimTransport transport(mouse);
  DeviceLink link(transport);
  CommandChannel channel(link, clock, NullUiPort());
  Workspace workspace;
  ImageFlows flows(workspace, channel, NullUiPort(), clock);
  std::uint32_t version = kSupportedDeviceVersion;
  Require(link.OpenHidDevice(SupportedVendorId, SupportedProductId, version), "open");
  const auto start = clock.NowMs();
  Require(channel.BeginExchange().configurable(), "handshake");
  // The identity bytes, as the connection reads them before every read.
  std::vector<std::uint8_t> identity(kIdentityLength);
  Require(channel.ReadBlock(kIdentityAddress, kIdentityLength, identity), "identity");
  if (read == ReadExtent::kSections) {
    Require(flows.ReadRanges(SectionReadRanges(sections)).ok(), "read sections");
  } else {
    Require(flows.ReadImage().ok(), "read");
  }
  const EditBaseline baseline = EditBaseline::Of(workspace);
  edit(workspace);
  Require(ConfineEditToRead(workspace, baseline), "edit inside the sections read");
  Require(flows.WriteImage(extent).ok(), "write");
  return static_cast<double>(clock.NowMs() - start);
}

void BM_Command(benchmark::State& state, Edit edit, WriteExtent extent, ReadExtent read,
                std::vector<Section> sections) {
  VirtualClock virtual_clock;
  const double floor_ms = RunCommand(virtual_clock, edit, extent, read, sections);
  double total_ms = 0;
  for (auto _ : state) total_ms += RunCommand(DefaultClock(), edit, extent, read, sections);
  const double per_run_ms = total_ms / static_cast<double>(state.iterations());
  state.counters["floor_ms"] = floor_ms;
  state.counters["run_ms"] = per_run_ms;
  state.counters["over_floor_pct"] = (per_run_ms - floor_ms) / floor_ms * 100.0;
}

void RegisterAll() {
  const std::pair<const char*, Edit> commands[] = {
      {"set_button_one_button", SetButton},
      {"set_dpi_count_4", SetDpiCount4},
      {"macro_assign_50_bytes", AssignMacro50},
      {"reset_2", Reset2},
  };
  for (const auto& [name, edit] : commands) {
    for (const auto& [extent_name, extent] :
         {std::pair{"changed_only", WriteExtent::kChangesOnly}, std::pair{"full", WriteExtent::kWhole}}) {
      benchmark::RegisterBenchmark((std::string(name) + "/" + extent_name).c_str(), BM_Command, edit, extent,
                                   ReadExtent::kWhole, std::vector<Section>{})
          ->Iterations(1)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime();
    }
  }
  // Reading only the sections the write changes, as set-button and a
  // switch of the key mode do.
  benchmark::RegisterBenchmark("set_button_one_button/sections_read", BM_Command, SetButton,
                               WriteExtent::kChangesOnly, ReadExtent::kSections,
                               std::vector<Section>{Section::Profile})
      ->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("key_mode_switch/sections_read", BM_Command, SwitchKeyMode,
                               WriteExtent::kChangesOnly, ReadExtent::kSections,
                               std::vector<Section>{Section::ParameterB})
      ->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("key_mode_switch/changed_only", BM_Command, SwitchKeyMode,
                               WriteExtent::kChangesOnly, ReadExtent::kWhole, std::vector<Section>{})
      ->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
}

}  // namespace
}  // namespace zelko

int main(int argc, char** argv) {
  zelko::RegisterAll();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
