// A traffic recording as a user attaches it to a report, read for a replay.
//
// Properties: no input crashes or hangs the reader; a recording it accepts
// writes back, line by line, to text it reads the same way (same kinds,
// same bytes); the memory a recording implies is built without reading
// outside it; and a strict replay of the recording by its own requests
// answers all of them without a difference.
#include <string>

#include "device/recorded_mouse.h"
#include "device/replay_transport.h"
#include "device/traffic_record.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelko;
  const auto recording = ParseRecording(fuzz::Text(data, size));
  if (!recording) return 0;

  TrafficEntry header;
  header.kind = TrafficKind::kHeader;
  header.header = recording->header;
  std::string text = TrafficLine(header) + "\n";
  for (const auto& entry : recording->entries) text += TrafficLine(entry) + "\n";
  const auto again = ParseRecording(text);
  FUZZ_REQUIRE(again.ok());
  FUZZ_REQUIRE(again->entries.size() == recording->entries.size());
  for (std::size_t i = 0; i < again->entries.size(); ++i) {
    FUZZ_REQUIRE(again->entries[i].kind == recording->entries[i].kind);
    FUZZ_REQUIRE(again->entries[i].data == recording->entries[i].data);
    FUZZ_REQUIRE(again->entries[i].reply == recording->entries[i].reply);
  }

  (void)ReconstructMouse(*recording);

  // The recorded requests, asked again in order, are all answered.
  ReplayTransport replay(*recording);
  for (const auto& entry : recording->entries) {
    std::vector<std::uint8_t> buffer = entry.data;
    switch (entry.kind) {
      case TrafficKind::kEnumerate: (void)replay.EnumerateInterfaces(); break;
      case TrafficKind::kOpen: (void)replay.Open(entry.path < 0 ? "elsewhere" : ReplayTransport::PathOf(entry.path)); break;
      case TrafficKind::kClose: replay.Close(entry.handle); break;
      case TrafficKind::kAttributes: (void)replay.GetAttributes(entry.handle); break;
      case TrafficKind::kFeatureLength: (void)replay.GetFeatureReportByteLength(entry.handle); break;
      case TrafficKind::kSetFeature: (void)replay.SetFeature(entry.handle, buffer); break;
      case TrafficKind::kGetFeature: (void)replay.GetFeature(entry.handle, buffer); break;
      default: break;
    }
  }
  replay.CheckFinished();
  FUZZ_REQUIRE(!replay.divergence());
  return 0;
}
