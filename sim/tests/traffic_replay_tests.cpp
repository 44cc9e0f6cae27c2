// Recording the simulated mouse's traffic and answering from it: a strict
// replay of the same work succeeds, other work stops at the first
// difference with its line, and the memory a recording implies is the
// mouse's.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "device/command_channel.h"
#include "device/recorded_mouse.h"
#include "device/recording_transport.h"
#include "device/replay_transport.h"
#include "device/supported_ids.h"
#include "sim/recorded_sim.h"
#include "sim/sim_transport.h"

namespace zelko::sim {
namespace {

namespace fs = std::filesystem;

// The protocol over any transport, as the programs drive it.
struct Host {
  Host(HidTransport& transport, Clock& clock) : link(transport), channel(link, clock, NullUiPort()) {}
  bool Open() {
    link.state().DeviceVersion = kSupportedDeviceVersion;
    return link.OpenHidDevice(SupportedVendorId, SupportedProductId, link.state().DeviceVersion);
  }
  // Opens the mouse, reads `length` bytes at `address` (writing `value` at
  // `address` first when given), closes.
  std::vector<std::uint8_t> Work(std::uint16_t address, std::uint16_t length, std::optional<std::uint8_t> value = {}) {
    std::vector<std::uint8_t> bytes(length, 0);
    if (!Open()) return {};
    if (channel.BeginExchange().configurable()) {
      if (value) {
        std::uint8_t byte = *value;
        (void)channel.WriteBlock(address, 1, std::span(&byte, 1));
      }
      (void)channel.ReadBlock(address, length, bytes);
      (void)channel.EndExchange();
    }
    link.ForgetDevice();
    return bytes;
  }
  DeviceLink link;
  CommandChannel channel;
};

class TrafficReplay : public ::testing::Test {
 protected:
  TrafficReplay()
      : path_(fs::temp_directory_path() / ("zelko-replay-" + std::to_string(std::random_device{}()) + ".jsonl")) {}
  ~TrafficReplay() override { fs::remove(path_); }

  // Runs Host::Work on the simulated mouse with the traffic recorded, and
  // reads the recording back.
  Recording Record(std::uint16_t address, std::uint16_t length, std::optional<std::uint8_t> value = {},
                   SimFaults faults = {}) {
    VirtualClock clock;
    SimulatedMouse mouse(clock, std::move(faults));
    SimTransport sim(mouse);
    {
      auto log = TrafficLog::Create(path_.string(), clock);
      EXPECT_TRUE(log) << log.error();
      RecordingTransport recorder(sim, **log, clock, {kTrafficFormat, "test", "1.0", "here"});
      Host host(recorder, clock);
      recorded_bytes_ = host.Work(address, length, value);
    }
    memory_after_ = mouse.memory();
    auto recording = ReadRecordingFile(path_.string());
    EXPECT_TRUE(recording) << recording.error();
    return recording ? *recording : Recording{};
  }

  std::string FileText() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path path_;
  std::vector<std::uint8_t> recorded_bytes_;
  DeviceMemory memory_after_{};
};

TEST_F(TrafficReplay, RecordingHoldsNoPathAndNamesTheChip) {
  const Recording recording = Record(kIdentityAddress, kIdentityLength);
  const std::string text = FileText();
  EXPECT_EQ(text.find("sim:"), std::string::npos) << "device paths become indexes";
  EXPECT_EQ(recording.header.program, "test");
  bool chip_noted = false;
  for (const auto& entry : recording.entries) chip_noted |= entry.kind == TrafficKind::kChip && entry.chip_code == kChipCode99;
  EXPECT_TRUE(chip_noted);
  EXPECT_FALSE(recording.truncated);
}

TEST_F(TrafficReplay, StrictReplayOfTheSameWorkAnswersAsTheMouseDid) {
  const Recording recording = Record(0x0000, 64, std::uint8_t{0x5A});
  VirtualClock clock;
  ReplayTransport replay(recording);
  Host host(replay, clock);
  EXPECT_EQ(host.Work(0x0000, 64, std::uint8_t{0x5A}), recorded_bytes_);
  replay.CheckFinished();
  EXPECT_FALSE(replay.divergence()) << replay.divergence()->Text();
}

TEST_F(TrafficReplay, OtherWorkStopsAtTheFirstDifferentRequestWithItsLine) {
  const Recording recording = Record(0x0000, 64, std::uint8_t{0x5A});
  VirtualClock clock;
  ReplayTransport replay(recording);
  Host host(replay, clock);
  (void)host.Work(0x0000, 64, std::uint8_t{0x5B});  // another byte written
  ASSERT_TRUE(replay.divergence());
  const ReplayDivergence& difference = *replay.divergence();
  // The first write chunk carries the byte: the recorded one is at that line.
  const auto it = std::find_if(recording.entries.begin(), recording.entries.end(), [](const TrafficEntry& e) {
    return e.kind == TrafficKind::kSetFeature && e.data[kCommandByte] == 0x07;
  });
  ASSERT_NE(it, recording.entries.end());
  EXPECT_EQ(difference.line, it->line);
  EXPECT_EQ(difference.expected, "set feature on interface 3: 04 07 5a ff ff ff ff ff");
  EXPECT_EQ(difference.actual, "set feature on interface 3: 04 07 5b ff ff ff ff ff");
  EXPECT_NE(difference.Text().find("line " + std::to_string(it->line)), std::string::npos);
}

TEST_F(TrafficReplay, AProgramThatAsksForLessOrMoreDiffersToo) {
  const Recording recording = Record(kIdentityAddress, kIdentityLength);
  VirtualClock clock;
  {
    ReplayTransport replay(recording);
    Host host(replay, clock);
    ASSERT_TRUE(host.Open());  // and nothing more
    replay.CheckFinished();
    ASSERT_TRUE(replay.divergence());
    EXPECT_NE(replay.divergence()->Text().find("asked for nothing more"), std::string::npos);
  }
  ReplayTransport replay(recording);
  Host host(replay, clock);
  (void)host.Work(kIdentityAddress, kIdentityLength);
  (void)host.Work(kIdentityAddress, kIdentityLength);
  ASSERT_TRUE(replay.divergence());
  EXPECT_EQ(replay.divergence()->line, 0);
  EXPECT_NE(replay.divergence()->Text().find("after the end of the recording"), std::string::npos);
}

TEST_F(TrafficReplay, TheRecordingImpliesTheMemoryReadAndWritten) {
  SimFaults faults;
  faults.dropped_writes[0x0010] = kNeverKeeps;  // the read-back shows the truth
  const Recording recording = Record(0x0010, 1, std::uint8_t{0x33}, faults);
  const RecordedMouse mouse = ReconstructMouse(recording);
  EXPECT_EQ(mouse.known_bytes(), 1);
  EXPECT_EQ(mouse.final_memory[0x10], memory_after_[0x10]);
  EXPECT_NE(mouse.final_memory[0x10], 0x33);
  ASSERT_TRUE(mouse.status_reply);
  EXPECT_EQ((*mouse.status_reply)[kStatusChipCodeByte], kChipCode99);
  ASSERT_TRUE(mouse.configuration_interface);
  EXPECT_EQ(*mouse.configuration_interface, 2);
}

TEST_F(TrafficReplay, ALenientReplayLetsTheProgramReadMore) {
  const Recording recording = Record(0x0000, 0x40);
  const RecordedMouse recorded = ReconstructMouse(recording);
  VirtualClock clock;
  auto mouse = MouseFromRecording(clock, recorded);
  SimTransport transport(*mouse, RecordedInterfaces(recorded));
  Host host(transport, clock);
  const auto bytes = host.Work(0x0000, 0x80);  // twice what was recorded
  ASSERT_EQ(bytes.size(), 0x80u);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 0x40, memory_after_.begin()));
}

}  // namespace
}  // namespace zelko::sim
