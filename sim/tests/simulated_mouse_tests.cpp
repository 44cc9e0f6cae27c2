#include "sim/simulated_mouse.h"

#include <gtest/gtest.h>

#include "sim/factory_memory.h"
#include "sim/tests/sim_rig.h"

namespace zelko::sim {
namespace {

using testing::SimRig;

std::vector<std::uint8_t> ReadAll(SimRig& rig, BlockTransferReport* report = nullptr) {
  std::vector<std::uint8_t> memory(kDeviceMemorySize);
  rig.InConfigurableExchange([&] { EXPECT_TRUE(rig.channel.ReadBlockWithProgress(0, kDeviceMemorySize, memory, report)); });
  return memory;
}

TEST(SimulatedMouse, StartsAsFactoryImageOne) {
  const DeviceMemory memory = FactoryMemory();
  EXPECT_EQ(memory[0x000], 0x45);
  EXPECT_EQ(memory[0x07F], 0x99);
  EXPECT_EQ(memory[0x036], 0xFF);
  EXPECT_EQ(memory[0x037], 0xFF);
  EXPECT_EQ(memory[0x0FA], 0x96);
  for (std::size_t i = 0x100; i < memory.size(); ++i) ASSERT_EQ(memory[i], 0) << i;
}

TEST(SimulatedMouse, ShowsThreeInterfacesAndOnlyTheVendorOneIsTaken) {
  SimRig rig({}, /*open=*/false);
  EXPECT_EQ(rig.link.CountHidDevices(), 3);
  ASSERT_TRUE(rig.Open());
  EXPECT_EQ(rig.link.DevicePath(), "sim:mouse/vendor");
  EXPECT_EQ(rig.link.state().DeviceVersion, 0x0104u);
  // The pointer interface refuses feature transfers.
  const HidHandle pointer = rig.transport.Open("sim:mouse/pointer");
  std::array<std::uint8_t, 8> report{0x04, 0x01};
  EXPECT_FALSE(rig.transport.SetFeature(pointer, report));
  rig.transport.Close(pointer);
}

TEST(SimulatedMouse, HealthyHandshakeAndFullReadInVirtualTime) {
  SimRig rig;
  const auto memory = ReadAll(rig);
  const DeviceMemory factory = FactoryMemory();
  EXPECT_TRUE(std::equal(memory.begin(), memory.end(), factory.begin()));
  EXPECT_EQ(rig.mouse.executed(CommandCode::kNextReadChunk), 342);
  EXPECT_EQ(rig.mouse.executed(CommandCode::kSystemReload), 1);
  EXPECT_EQ(rig.mouse.executed(CommandCode::kEndExchange), 1);
  // Commands 1, 3, 4, 8, 2 at 10 ms each; 342 chunks at 5 ms.
  EXPECT_EQ(rig.clock.NowMs(), 5u * 10 + 342u * 5);
}

TEST(SimulatedMouse, WritesLandAndReadBack) {
  SimRig rig;
  std::vector<std::uint8_t> image(kDeviceMemorySize);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i ^ 0x5A);
  BlockTransferReport report;
  rig.InConfigurableExchange([&] { EXPECT_TRUE(rig.channel.WriteBlock(0, kDeviceMemorySize, image, &report)); });
  EXPECT_TRUE(report.all_acknowledged());
  EXPECT_EQ(ReadAll(rig), image);

  // A short last chunk writes only the block's bytes.
  const std::uint8_t before = rig.mouse.memory()[0x101];
  const std::vector<std::uint8_t> one{0x42};
  rig.InConfigurableExchange([&] { EXPECT_TRUE(rig.channel.WriteBlock(0x100, 1, one)); });
  EXPECT_EQ(rig.mouse.memory()[0x100], 0x42);
  EXPECT_EQ(rig.mouse.memory()[0x101], before);
}

TEST(SimulatedMouse, RefusesBlocksOutsideAnExchangeOrMemory) {
  SimRig rig;
  std::vector<std::uint8_t> bytes(16);
  EXPECT_FALSE(rig.channel.ReadBlock(0, 16, bytes));  // no command 1 yet
  rig.InConfigurableExchange([&] {
    EXPECT_FALSE(rig.channel.ReadBlock(0x07F8, 16, bytes));  // past 2048
    EXPECT_TRUE(rig.channel.ReadBlock(0x07F0, 16, bytes));
    EXPECT_FALSE(rig.channel.WriteChunk(1, 2, 3, 4, 5, 6));  // no block write open
  });
}

TEST(SimulatedMouse, StatusFaultsDecideTheHandshake) {
  struct Case {
    const char* name;
    SimFaults faults;
    ExchangeState state;
    std::uint32_t chip_id;
  };
  SimFaults chip35, chipFD, no_flag, signature;
  chip35.chip_code = 0x35;
  chipFD.chip_code = 0xFD;
  no_flag.status_flag = false;
  signature.signature = 0x00;
  const Case cases[] = {
      {"healthy", {}, ExchangeState::kConfigurable, 0x99},
      {"chip 0x35", chip35, ExchangeState::kNotConfigurable, 0x90},
      {"chip 0xFD", chipFD, ExchangeState::kNotConfigurable, 0x98},
      {"flag clear", no_flag, ExchangeState::kNotConfigurable, 0x99},
      {"bad signature", signature, ExchangeState::kBadSignature, 0x99},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SimRig rig(c.faults);
    bool transferred = false;
    const ExchangeResult result = rig.InExchange([&] { transferred = true; });
    EXPECT_EQ(result.state, c.state);
    EXPECT_EQ(result.chip_id, c.chip_id);
    EXPECT_EQ(transferred, c.state == ExchangeState::kConfigurable);
    // The closing pair follows a completed handshake only.
    const int closing = c.state == ExchangeState::kBadSignature ? 0 : 1;
    EXPECT_EQ(rig.mouse.executed(CommandCode::kSystemReload), closing);
    EXPECT_EQ(rig.mouse.executed(CommandCode::kEndExchange), closing);
    EXPECT_EQ(rig.mouse.executed(CommandCode::kBeginBlockRead), 0);
  }
}

TEST(SimulatedMouse, AcknowledgementFaults) {
  struct Case {
    const char* name;
    SimFaults faults;
    bool acknowledged;
    long reports;  // Set and Get Feature calls the command took
  };
  SimFaults slow, too_slow, refuses_twice, silent, late_zero;
  slow.not_ready_polls = 4;
  too_slow.not_ready_polls = 5;
  refuses_twice.ack_value = 0x55;
  refuses_twice.ack_value_replies = 2;
  silent.no_answer = true;
  late_zero.ack_value = 0x00;
  late_zero.ack_value_replies = 7;  // five polls of the first attempt, two of the second
  const Case cases[] = {
      {"four not-ready polls fit in one attempt", slow, true, 1 + 5},
      {"five not-ready polls never do", too_slow, false, 5 * (1 + 5)},
      {"refused twice, then resent", refuses_twice, true, 3 * 2},
      {"no answer", silent, false, 5 * (1 + 5)},
      {"not ready across attempts", late_zero, true, (1 + 5) + (1 + 3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SimRig rig(c.faults);
    EXPECT_EQ(rig.channel.SendCommand(CommandCode::kBeginExchange), c.acknowledged);
    EXPECT_EQ(rig.mouse.reports_seen(), c.reports);
    EXPECT_EQ(rig.mouse.executed(CommandCode::kBeginExchange), c.acknowledged ? 1 : 0);
  }
}

// Faults that begin part-way: the first command goes through, the second
// meets them; the mouse stays plugged in.
TEST(SimulatedMouse, FaultsThatBeginAfterSomeReports) {
  SimFaults late_refusals, falls_silent;
  late_refusals.ack_value = 0x55;
  late_refusals.ack_value_replies = 5;  // every attempt of the second command
  late_refusals.ack_value_after_reports = 2;
  falls_silent.no_answer_after_reports = 2;
  for (const SimFaults& faults : {late_refusals, falls_silent}) {
    SimRig rig(faults);
    EXPECT_TRUE(rig.channel.SendCommand(CommandCode::kBeginExchange));
    EXPECT_EQ(rig.mouse.reports_seen(), 2);
    EXPECT_FALSE(rig.channel.SendCommand(CommandCode::kStatus));
    EXPECT_EQ(rig.mouse.executed(CommandCode::kStatus), 0);
    EXPECT_FALSE(rig.mouse.unplugged());
  }
}

// Answers lost on the way: the request was carried out, so the resend of a
// chunk read the host never saw answered reads the next chunk (the channel
// does not take that answer), and the one after reads the chunk after it.
TEST(SimulatedMouse, LostAnswersLeaveTheRequestCarriedOut) {
  SimRig rig;
  const DeviceMemory& memory = rig.mouse.memory();
  rig.InConfigurableExchange([&] {
    ASSERT_TRUE(rig.channel.SendCommand(CommandCode::kBeginBlockRead, 0, 0, 18, 0));
    rig.mouse.faults().lost_answers = 5;  // every poll of the first attempt
    rig.mouse.faults().lost_answers_after_reports = rig.mouse.reports_seen();
    EXPECT_FALSE(rig.channel.ReadChunk());
    EXPECT_EQ(rig.mouse.executed(CommandCode::kNextReadChunk), 2);
    EXPECT_TRUE(rig.channel.ReadChunk());
    EXPECT_TRUE(std::equal(memory.begin() + 12, memory.begin() + 18, rig.channel.chunk_buffer().begin()));
  });
}

TEST(SimulatedMouse, IdentityBytes) {
  SimFaults faults;
  faults.identity = std::array<std::uint8_t, 2>{0x12, 0x34};
  SimRig rig(faults);
  std::array<std::uint8_t, 2> identity{};
  rig.InConfigurableExchange([&] { EXPECT_TRUE(rig.channel.ReadBlock(kIdentityAddress, kIdentityLength, identity)); });
  EXPECT_EQ(identity, (std::array<std::uint8_t, 2>{0x12, 0x34}));
}

TEST(SimulatedMouse, AddressesThatDropWrites) {
  SimFaults faults;
  faults.dropped_writes[0x040] = kNeverKeeps;
  faults.dropped_writes[0x041] = 2;
  SimRig rig(faults);
  const std::uint8_t old40 = rig.mouse.memory()[0x40];
  const std::vector<std::uint8_t> bytes{0xA0, 0xA1, 0xA2};
  EXPECT_EQ(rig.mouse.first_write_report(), 0);
  for (int pass = 1; pass <= 3; ++pass) {
    SCOPED_TRACE(pass);
    rig.InConfigurableExchange([&] { EXPECT_TRUE(rig.channel.WriteBlock(0x040, 3, bytes)); });
    // Handshake (4 reports) and block command (2) before the chunk's poll.
    EXPECT_EQ(rig.mouse.first_write_report(), 8);
    EXPECT_EQ(rig.mouse.memory()[0x40], old40);
    EXPECT_EQ(rig.mouse.memory()[0x41] == 0xA1, pass == 3);  // kept after two lost writes
    EXPECT_EQ(rig.mouse.memory()[0x42], 0xA2);
  }
}

TEST(SimulatedMouse, UnacknowledgedReadChunksComeBackAs0xFF) {
  SimFaults faults;
  faults.unacknowledged_read_chunks = {0, 3};
  SimRig rig(faults);
  BlockTransferReport report;
  const auto memory = ReadAll(rig, &report);
  EXPECT_EQ(report.unacknowledged_chunks, (std::vector<int>{0, 3}));
  const DeviceMemory factory = FactoryMemory();
  for (std::size_t i = 0; i < 48; ++i) {
    const bool lost = i < 6 || (i >= 18 && i < 24);
    EXPECT_EQ(memory[i], lost ? 0xFF : factory[i]) << i;
  }
}

TEST(SimulatedMouse, RefusedCommandsAreNeverAcknowledgedNorCarriedOut) {
  struct Case {
    const char* name;
    std::set<std::uint8_t> refused;
    bool end_acknowledged;
    int reloads;  // system reloads carried out
  };
  const Case cases[] = {
      {"none", {}, true, 1},
      {"system reload", {0x08}, false, 0},
      {"end exchange", {0x02}, false, 1},
      {"the closing pair", {0x08, 0x02}, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SimFaults faults;
    faults.refused_commands = c.refused;
    SimRig rig(faults);
    EXPECT_TRUE(rig.InExchange([] {}).configurable());
    EXPECT_EQ(rig.end_acknowledged, c.end_acknowledged);
    EXPECT_EQ(rig.mouse.executed(CommandCode::kSystemReload), c.reloads);
    EXPECT_EQ(rig.mouse.executed(CommandCode::kEndExchange), c.refused.count(0x02) ? 0 : 1);
  }
}

TEST(SimulatedMouse, UnpluggingEndsEverything) {
  SimFaults faults;
  faults.unplug_after_reports = 4;  // command 1 and the status query
  SimRig rig(faults);
  EXPECT_EQ(rig.channel.BeginExchange().state, ExchangeState::kConfigurable);
  EXPECT_FALSE(rig.channel.SendCommand(CommandCode::kSystemReload));
  EXPECT_TRUE(rig.mouse.unplugged());
  EXPECT_EQ(rig.link.CountHidDevices(), 0);
  EXPECT_FALSE(rig.Open());
}

TEST(SimulatedMouse, LatencyIsSpentOnTheClock) {
  SimFaults faults;
  faults.latency_ms = 3;
  SimRig rig(faults);
  ASSERT_TRUE(rig.channel.SendCommand(CommandCode::kBeginExchange));
  EXPECT_EQ(rig.clock.NowMs(), 10u + 2 * 3);
}

TEST(SimulatedMouse, ButtonStateWord) {
  SimFaults faults;
  faults.button_state = 0x0105;
  SimRig rig(faults);
  ASSERT_TRUE(rig.channel.SendCommand(CommandCode::kBeginExchange));
  EXPECT_EQ(rig.channel.ReadStatusWord(), 0x0105);
}

TEST(SimulatedMouse, ScriptedPressesCountFromTheLastBeginExchange) {
  SimFaults faults;
  faults.button_state = 0x0100;  // button 9 held throughout
  faults.button_presses = {{0x0004, 1000, 200}, {0x0003, 1100, 50}};
  SimRig rig(faults);
  rig.clock.Advance(5000);  // time before the test does not count
  ASSERT_TRUE(rig.channel.SendCommand(CommandCode::kBeginExchange));
  const std::uint64_t began = rig.clock.NowMs();
  struct Sample {
    std::uint64_t at_ms;
    std::uint16_t word;
  };
  for (const Sample sample : {Sample{990, 0x0100}, Sample{1000, 0x0104}, Sample{1120, 0x0107},
                              Sample{1180, 0x0104}, Sample{1200, 0x0100}}) {
    SCOPED_TRACE(sample.at_ms);
    // The status query's own pauses: 5 ms before the send, 5 ms before the poll.
    rig.clock.Advance(began + sample.at_ms - 10 - rig.clock.NowMs());
    EXPECT_EQ(rig.channel.ReadStatusWord(), sample.word);
  }
}

}  // namespace
}  // namespace zelko::sim
