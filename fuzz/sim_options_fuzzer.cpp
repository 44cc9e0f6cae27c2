// The `--sim-*` options of both programs: the input holds the option texts
// one per line in the order of SimOptionTexts, and a byte of switches.
//
// Properties: the options are taken or refused with a reason, never both;
// what is taken lies inside the mouse (addresses below 2048, read chunks
// of a whole-image read) and within the limits the options promise.
#include "device/protocol_layout.h"
#include "fuzz/fuzz_check.h"
#include "sim/sim_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelko;
  if (size == 0) return 0;
  const auto lines = fuzz::Lines(fuzz::Text(data + 1, size - 1));
  const auto line = [&lines](std::size_t i) { return i < lines.size() ? lines[i] : std::string(); };
  sim::SimOptionTexts texts;
  texts.ids = line(0);
  texts.chip = line(1);
  texts.signature = line(2);
  texts.identity = line(3);
  texts.stuck = line(4);
  texts.sticky = line(5);
  texts.latency_ms = line(6);
  texts.not_ready = line(7);
  texts.ack = line(8);
  texts.refuse = line(9);
  texts.unacked_chunks = line(10);
  texts.unplug_after = line(11);
  texts.buttons = line(12);
  texts.no_flag = (data[0] & 1) != 0;
  texts.no_answer = (data[0] & 2) != 0;
  texts.virtual_time = (data[0] & 4) != 0;

  const sim::SimOptionsResult result = sim::ParseSimOptions(texts);
  FUZZ_REQUIRE(result.ok() == result.error.empty());
  if (!result.ok()) return 0;
  const sim::SimFaults& faults = result.faults;
  FUZZ_REQUIRE(faults.status_flag == !texts.no_flag && faults.no_answer == texts.no_answer);
  for (const auto& [address, lost] : faults.dropped_writes) {
    FUZZ_REQUIRE(address < kDeviceMemorySize);
    FUZZ_REQUIRE(lost == sim::kNeverKeeps || lost >= 0);
  }
  for (const int chunk : faults.unacknowledged_read_chunks) {
    FUZZ_REQUIRE(chunk >= 0 && static_cast<std::size_t>(chunk) < ChunkCount(kDeviceMemorySize));
  }
  FUZZ_REQUIRE(faults.not_ready_polls >= 0 && faults.ack_value_replies >= 0);
  if (faults.unplug_after_reports) FUZZ_REQUIRE(*faults.unplug_after_reports >= 0);
  return 0;
}
