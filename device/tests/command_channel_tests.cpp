#include "device/command_channel.h"

#include <gtest/gtest.h>

#include <numeric>

#include "device/supported_ids.h"
#include "device/tests/fake_transport.h"

namespace zelko {
namespace {

using testing::FakeTransport;
using testing::Report;

struct ProgressRecorder : UiPort {
  std::vector<std::pair<int, int>> shown;
  int messages = 0;
  void ShowProgress(int done, int total) override { shown.emplace_back(done, total); }
  void ProcessMessages() override { ++messages; }
};

// A link to one configuration interface on a scripted transport.
struct Rig {
  VirtualClock clock;
  FakeTransport transport{&clock};
  DeviceLink link{transport};
  ProgressRecorder ui;
  CommandChannel channel{link, clock, ui};

  explicit Rig(bool open = true) {
    transport.interfaces = {{"vendor", {SupportedVendorId, SupportedProductId, kSupportedDeviceVersion}, 8, true}};
    if (open) {
      std::uint32_t version = kSupportedDeviceVersion;
      EXPECT_TRUE(link.OpenHidDevice(SupportedVendorId, SupportedProductId, version));
    }
  }
};

// Memory the scripted mouse serves: byte i = i * 7 + 3.
std::uint8_t PatternByte(std::size_t i) { return static_cast<std::uint8_t>(i * 7 + 3); }

// Serves block reads of the pattern from `address`. A chunk listed in
// `refused_chunks` is refused as often as the host asks (five attempts);
// then the mouse moves on to the next one.
FakeTransport::ReplyFn ServePattern(std::uint16_t address, std::set<int> refused_chunks = {}) {
  struct Position {
    int chunk = 0;
    int refusals = 0;
  };
  auto at = std::make_shared<Position>();
  return [address, refused_chunks, at](const Report& last, int) -> std::optional<Report> {
    Report r = last;
    r[kAckByte] = kAckOk;
    if (last[kCommandByte] == static_cast<std::uint8_t>(CommandCode::kBeginBlockRead)) *at = {};
    if (last[kCommandByte] == static_cast<std::uint8_t>(CommandCode::kNextReadChunk)) {
      if (refused_chunks.count(at->chunk)) {
        r[kAckByte] = 0x55;
        if (++at->refusals == kReadChunkTiming.attempts) *at = {at->chunk + 1, 0};
        return r;
      }
      for (std::size_t i = 0; i < kChunkDataLength; ++i) {
        r[1 + i] = PatternByte(address + static_cast<std::size_t>(at->chunk) * kChunkDataLength + i);
      }
      ++at->chunk;
    }
    return r;
  };
}

TEST(CommandChannel, WithoutADeviceNothingIsSent) {
  Rig rig(/*open=*/false);
  EXPECT_FALSE(rig.channel.SendCommand(CommandCode::kBeginExchange));
  EXPECT_FALSE(rig.channel.WriteChunk(1, 2, 3, 4, 5, 6));
  EXPECT_FALSE(rig.channel.ReadChunk());
  EXPECT_EQ(rig.channel.chunk_buffer(), (ChunkBuffer{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(rig.channel.ReadStatusWord(), 0);
  std::array<std::uint8_t, 16> destination{};
  EXPECT_FALSE(rig.channel.ReadBlock(0, 16, destination));
  EXPECT_EQ(destination, (std::array<std::uint8_t, 16>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_FALSE(rig.channel.WriteBlock(0, 16, destination));
  EXPECT_EQ(rig.channel.BeginExchange().state, ExchangeState::kNoDevice);
  EXPECT_TRUE(rig.transport.sent.empty());
  EXPECT_EQ(rig.clock.NowMs(), 0u);
}

TEST(CommandChannel, SendCommandBuildsTheReport) {
  Rig rig;
  ASSERT_TRUE(rig.channel.SendCommand(0x04, 0x36, 0x00, 0x02, 0x00));
  ASSERT_EQ(rig.transport.sent.size(), 1u);
  EXPECT_EQ(rig.transport.sent[0].bytes, (Report{0x04, 0x04, 0x36, 0x00, 0x02, 0x00, 0x00, 0x00}));
  // After the command the buffer holds the reply.
  EXPECT_EQ(rig.channel.command_report().ack(), kAckOk);
}

// How the acknowledgement byte drives attempts, polls and time.
TEST(CommandChannel, SendCommandAttemptsAndPolls) {
  struct Case {
    const char* name;
    FakeTransport::ReplyFn reply;
    bool set_fails;
    bool result;
    std::size_t sets;
    int gets;
    std::uint64_t ms;
  };
  const Case cases[] = {
      {"acknowledged at once", FakeTransport::AckSequence({0xCC}), false, true, 1, 1, 10},
      {"0 then 0xCC costs one attempt", FakeTransport::AckSequence({0, 0xCC}), false, true, 1, 2, 20},
      {"four zeros then 0xCC", FakeTransport::AckSequence({0, 0, 0, 0, 0xCC}), false, true, 1, 5, 50},
      {"another value resends at once", FakeTransport::AckSequence({0x55, 0xCC}), false, true, 2, 2, 20},
      {"never ready: about 300 ms", FakeTransport::AckSequence({0}), false, false, 5, 25, 300},
      {"never accepted", FakeTransport::AckSequence({0x55}), false, false, 5, 5, 50},
      {"Get Feature fails", FakeTransport::AckSequence({-1}), false, false, 5, 25, 300},
      {"Set Feature fails: no polls", FakeTransport::AckSequence({0xCC}), true, false, 5, 0, 50},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.transport.reply = c.reply;
    rig.transport.set_fails = c.set_fails;
    EXPECT_EQ(rig.channel.SendCommand(CommandCode::kBeginExchange), c.result);
    EXPECT_EQ(rig.transport.sent.size(), c.sets);
    EXPECT_EQ(rig.transport.gets, c.gets);
    EXPECT_EQ(rig.clock.NowMs(), c.ms);
  }
}

TEST(CommandChannel, AFailedGetFeatureNeverPassesForAnAcknowledgement) {
  // The last data byte of a write chunk sits in byte 7; a Get Feature that
  // fails leaves it in the buffer. 0xCC there must not count.
  Rig rig;
  rig.transport.reply = FakeTransport::AckSequence({-1});
  EXPECT_FALSE(rig.channel.WriteChunk(1, 2, 3, 4, 5, 0xCC));
}

// A chunk read the mouse never answered may have been carried out, and the
// resend then reads the next chunk: its answer is not taken. A refused one
// was not carried out; its resend's answer is.
TEST(CommandChannel, AChunkReadIsTakenOnlyWhenNoEarlierAttemptWentUnanswered) {
  struct Case {
    const char* name;
    std::vector<int> acks;  // per Get Feature; -1 fails
    bool taken;
    std::size_t sends;
  };
  const Case cases[] = {
      {"refused, then acknowledged", {0x55, 0xCC}, true, 2},
      {"five polls without an answer, then acknowledged", {-1, -1, -1, -1, -1, 0xCC}, false, 2},
      {"five polls not ready, then acknowledged", {0, 0, 0, 0, 0, 0xCC}, false, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.transport.reply = FakeTransport::AckSequence(c.acks);
    EXPECT_EQ(rig.channel.ReadChunk(), c.taken);
    EXPECT_EQ(rig.transport.sent.size(), c.sends);
    if (!c.taken) {
      EXPECT_EQ(rig.channel.chunk_buffer()[0], kEmptyByte);
    }
  }
}

TEST(CommandChannel, ChunkAndStatusTiming) {
  {
    Rig rig;
    EXPECT_TRUE(rig.channel.ReadChunk());
    EXPECT_EQ(rig.transport.sent[0].bytes, (Report{0x04, 0x05, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(rig.clock.NowMs(), 5u);
  }
  {
    Rig rig;
    rig.transport.reply = FakeTransport::AckSequence({0, 0xCC});
    EXPECT_TRUE(rig.channel.WriteChunk(1, 2, 3, 4, 5, 6));
    EXPECT_EQ(rig.transport.sent[0].bytes, (Report{0x04, 0x07, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(rig.clock.NowMs(), 15u);  // 10 after the send, 5 after the pending poll
  }
  {
    Rig rig;
    rig.transport.reply = FakeTransport::AckSequence({0});
    EXPECT_FALSE(rig.channel.ReadChunk());
    EXPECT_EQ(rig.transport.sent.size(), 5u);
    EXPECT_EQ(rig.clock.NowMs(), 5u * (5 + 5 * 5));
  }
}

TEST(CommandChannel, ReadStatusWord) {
  Rig rig;
  rig.transport.reply = [](const Report& last, int poll) -> std::optional<Report> {
    Report r = last;
    r[kStatusWordLowByte] = 0x05;
    r[kStatusWordHighByte] = 0x01;
    r[kAckByte] = poll < 2 ? kAckPending : kAckOk;
    return r;
  };
  EXPECT_EQ(rig.channel.ReadStatusWord(), 0x0105);
  EXPECT_EQ(rig.transport.sent[0].bytes, (Report{0x04, 0x03, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(rig.transport.sent[0].at_ms, 5u);  // it sleeps before sending
  EXPECT_EQ(rig.clock.NowMs(), 5u + 3 * 5);

  Rig silent;
  silent.transport.reply = FakeTransport::AckSequence({0});
  EXPECT_EQ(silent.channel.ReadStatusWord(), 0);
  EXPECT_EQ(silent.transport.sent.size(), 10u);
  EXPECT_EQ(silent.transport.gets, 100);
}

TEST(CommandChannel, ReadBlockCopiesOnlyTheBlockAndShowsNoProgress) {
  Rig rig;
  rig.transport.reply = ServePattern(0x36);
  std::array<std::uint8_t, 4> destination{0x11, 0x11, 0x11, 0x11};
  BlockTransferReport report;
  ASSERT_TRUE(rig.channel.ReadBlock(0x36, 2, destination, &report));
  EXPECT_EQ(destination, (std::array<std::uint8_t, 4>{PatternByte(0x36), PatternByte(0x37), 0x11, 0x11}));
  EXPECT_EQ(report.chunk_count, 1);
  EXPECT_TRUE(report.all_acknowledged());
  EXPECT_EQ(rig.transport.sent[0].bytes, (Report{0x04, 0x04, 0x36, 0x00, 0x02, 0x00, 0, 0}));
  EXPECT_EQ(rig.transport.CountSent(CommandCode::kNextReadChunk), 1);
  EXPECT_TRUE(rig.ui.shown.empty());
}

TEST(CommandChannel, AWholeImageTravelsIn342ChunksWithProgressBeforeEach) {
  Rig rig;
  rig.transport.reply = ServePattern(0);
  std::vector<std::uint8_t> destination(kDeviceMemorySize);
  BlockTransferReport report;
  ASSERT_TRUE(rig.channel.ReadBlockWithProgress(0, kDeviceMemorySize, destination, &report));
  EXPECT_EQ(report.chunk_count, 342);
  EXPECT_EQ(rig.transport.sent[0].bytes, (Report{0x04, 0x04, 0x00, 0x00, 0x00, 0x08, 0, 0}));
  EXPECT_EQ(rig.transport.CountSent(CommandCode::kNextReadChunk), 342);
  for (std::size_t i = 0; i < destination.size(); ++i) ASSERT_EQ(destination[i], PatternByte(i)) << i;
  ASSERT_EQ(rig.ui.shown.size(), 342u);
  EXPECT_EQ(rig.ui.shown.front(), std::make_pair(0, 342));
  EXPECT_EQ(rig.ui.shown.back(), std::make_pair(341, 342));
  // One command (10 ms) and 342 chunks of 5 ms.
  EXPECT_EQ(rig.clock.NowMs(), 10u + 342 * 5);
}

TEST(CommandChannel, UnacknowledgedChunksReadAs0xFFAndAreListed) {
  Rig rig;
  rig.transport.reply = ServePattern(0, {1});
  std::array<std::uint8_t, 18> destination{};
  BlockTransferReport report;
  EXPECT_TRUE(rig.channel.ReadBlock(0, 18, destination, &report));
  EXPECT_EQ(report.unacknowledged_chunks, std::vector<int>{1});
  for (std::size_t i = 6; i < 12; ++i) EXPECT_EQ(destination[i], 0xFF);
  EXPECT_EQ(destination[12], PatternByte(12));
}

TEST(CommandChannel, ABlockCommandThatIsNotAcknowledgedTransfersNothing) {
  Rig rig;
  rig.transport.reply = FakeTransport::AckSequence({0x55});
  std::array<std::uint8_t, 12> bytes{};
  EXPECT_FALSE(rig.channel.ReadBlock(0, 12, bytes));
  EXPECT_FALSE(rig.channel.WriteBlock(0, 12, bytes));
  EXPECT_EQ(rig.transport.CountSent(CommandCode::kNextReadChunk), 0);
  EXPECT_EQ(rig.transport.CountSent(CommandCode::kNextWriteChunk), 0);
}

TEST(CommandChannel, BuffersShorterThanTheBlockAreRefusedBeforeSending) {
  Rig rig;
  std::array<std::uint8_t, 5> small{};
  EXPECT_FALSE(rig.channel.ReadBlock(0, 6, small));
  EXPECT_FALSE(rig.channel.WriteBlock(0, 6, small));
  EXPECT_TRUE(rig.transport.sent.empty());
}

TEST(CommandChannel, WriteBlockChunksCarryLeftoversOfThePreviousChunk) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> source;
    std::vector<Report> chunks;
  };
  const Case cases[] = {
      {"one byte", {0x42}, {{0x04, 0x07, 0x42, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}},
      {"eight bytes",
       {1, 2, 3, 4, 5, 6, 7, 8},
       {{0x04, 0x07, 1, 2, 3, 4, 5, 6}, {0x04, 0x07, 7, 8, 3, 4, 5, 6}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    BlockTransferReport report;
    const auto length = static_cast<std::uint16_t>(c.source.size());
    ASSERT_TRUE(rig.channel.WriteBlock(0x0123, length, c.source, &report));
    ASSERT_EQ(rig.transport.sent.size(), 1 + c.chunks.size());
    EXPECT_EQ(rig.transport.sent[0].bytes, (Report{0x04, 0x06, 0x23, 0x01, static_cast<std::uint8_t>(length), 0, 0, 0}));
    for (std::size_t k = 0; k < c.chunks.size(); ++k) EXPECT_EQ(rig.transport.sent[1 + k].bytes, c.chunks[k]);
    EXPECT_EQ(rig.ui.shown.size(), c.chunks.size());  // writes always show progress
    EXPECT_TRUE(report.all_acknowledged());
  }
}

TEST(CommandChannel, WriteBlockListsChunksTheMouseRefused) {
  Rig rig;
  rig.transport.reply = [](const Report& last, int) -> std::optional<Report> {
    Report r = last;
    const bool second_chunk = last[kCommandByte] == 0x07 && last[2] == 7;
    r[kAckByte] = second_chunk ? 0x55 : kAckOk;
    return r;
  };
  std::vector<std::uint8_t> source{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  BlockTransferReport report;
  EXPECT_TRUE(rig.channel.WriteBlock(0, 12, source, &report));
  EXPECT_EQ(report.unacknowledged_chunks, std::vector<int>{1});
}

// A scripted mouse that answers the status query with the given bytes.
FakeTransport::ReplyFn StatusReply(std::uint8_t signature, std::uint8_t flags, std::uint8_t chip) {
  return [=](const Report& last, int) -> std::optional<Report> {
    Report r = last;
    if (last[kCommandByte] == static_cast<std::uint8_t>(CommandCode::kStatus)) {
      r[kStatusSignatureByte] = signature;
      r[kStatusFlagsByte] = flags;
      r[kStatusChipCodeByte] = chip;
    }
    r[kAckByte] = kAckOk;
    return r;
  };
}

TEST(CommandChannel, BeginExchangeJudgesTheStatusReply) {
  struct Case {
    const char* name;
    std::uint8_t signature, flags, chip;
    ExchangeState state;
    std::uint32_t chip_id;
    bool flag;
  };
  const Case cases[] = {
      {"healthy", 0xAA, 0x04, 0x75, ExchangeState::kConfigurable, 0x99, true},
      {"other flag bits do not matter", 0xAA, 0xFF, 0x75, ExchangeState::kConfigurable, 0x99, true},
      {"chip 0x90", 0xAA, 0x04, 0x35, ExchangeState::kNotConfigurable, 0x90, true},
      {"chip 0x98", 0xAA, 0x04, 0xFD, ExchangeState::kNotConfigurable, 0x98, true},
      {"unknown chip", 0xAA, 0x04, 0x12, ExchangeState::kNotConfigurable, 0, true},
      {"flag bit clear", 0xAA, 0xFB, 0x75, ExchangeState::kNotConfigurable, 0x99, false},
      {"bad signature", 0x55, 0x04, 0x75, ExchangeState::kBadSignature, 0x99, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.transport.reply = StatusReply(c.signature, c.flags, c.chip);
    const ExchangeResult result = rig.channel.BeginExchange();
    EXPECT_EQ(result.state, c.state);
    EXPECT_EQ(result.chip_id, c.chip_id);
    EXPECT_EQ(rig.channel.ChipId(), c.chip_id);
    EXPECT_EQ(result.status_flag, c.flag);
    EXPECT_EQ(rig.channel.StatusFlag(), c.flag);
    EXPECT_EQ(result.needs_closing_pair(), c.state != ExchangeState::kBadSignature);
    EXPECT_EQ(rig.transport.CountSent(CommandCode::kBeginExchange), 1);
    EXPECT_EQ(rig.transport.CountSent(CommandCode::kStatus), 1);
  }
}

TEST(CommandChannel, BeginExchangeStopsWhenCommandOneIsNotAcknowledged) {
  Rig rig;
  rig.transport.reply = FakeTransport::AckSequence({0x55});
  const ExchangeResult result = rig.channel.BeginExchange();
  EXPECT_EQ(result.state, ExchangeState::kNotAcknowledged);
  EXPECT_FALSE(result.needs_closing_pair());
  EXPECT_EQ(rig.transport.CountSent(CommandCode::kStatus), 0);
}

TEST(CommandChannel, EndExchangeSendsReloadThenEndEvenWhenTheFirstGoesUnanswered) {
  Rig rig;
  rig.transport.reply = FakeTransport::AckSequence({0x55});
  EXPECT_FALSE(rig.channel.EndExchange());
  ASSERT_EQ(rig.transport.sent.size(), 10u);  // five attempts each
  EXPECT_EQ(rig.transport.sent.front().bytes[kCommandByte], 0x08);
  EXPECT_EQ(rig.transport.sent.back().bytes[kCommandByte], 0x02);
}

// The closing pair is acknowledged only when both of its commands are.
TEST(CommandChannel, EndExchangeTellsWhetherBothCommandsWereAcknowledged) {
  struct Case {
    const char* name;
    std::optional<std::uint8_t> refused;  // the command the mouse refuses
    bool acknowledged;
  };
  const Case cases[] = {
      {"both acknowledged", std::nullopt, true},
      {"system reload refused", 0x08, false},
      {"end exchange refused", 0x02, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.transport.reply = [refused = c.refused](const Report& last, int) -> std::optional<Report> {
      Report r = last;
      r[kAckByte] = refused && last[kCommandByte] == *refused ? 0x55 : kAckOk;
      return r;
    };
    EXPECT_EQ(rig.channel.EndExchange(), c.acknowledged);
    EXPECT_EQ(rig.transport.CountSent(CommandCode::kSystemReload), c.refused == 0x08 ? 5 : 1);
    EXPECT_EQ(rig.transport.CountSent(CommandCode::kEndExchange), c.refused == 0x02 ? 5 : 1);
  }
}

// A lock whose other holder the test plays.
struct FakeLock : ExchangeLock {
  bool other_holds = false;
  LockHolder other{"zelko77", 4242};
  bool held = false;
  int tries = 0;
  std::string node;
  LockAttempt TryTake(const std::string& n) override {
    ++tries;
    node = n;
    if (other_holds) return {LockOutcome::kHeldByAnother, other, {}};
    held = true;
    return {};
  }
  void Release() override { held = false; }
};

TEST(CommandChannelLock, AnExchangeHoldsTheLockFromTheOpeningToTheClosingPair) {
  Rig rig;
  FakeLock lock;
  rig.channel.UseExchangeLock(&lock);
  rig.transport.reply = StatusReply(kStatusSignature, kStatusFlagMask, kChipCode99);
  EXPECT_TRUE(rig.channel.BeginExchange().configurable());
  EXPECT_TRUE(lock.held);
  EXPECT_EQ(lock.node, "vendor");
  EXPECT_TRUE(rig.channel.EndExchange());
  EXPECT_FALSE(lock.held);

  // An opening without a closing pair (a bad signature) frees the mouse at once.
  rig.transport.reply = StatusReply(0x55, kStatusFlagMask, kChipCode99);
  EXPECT_EQ(rig.channel.BeginExchange().state, ExchangeState::kBadSignature);
  EXPECT_FALSE(lock.held);
}

TEST(CommandChannelLock, AMouseAnotherProgramHoldsIsNotTalkedToAndTheWaitHasADeadline) {
  struct Case {
    const char* name;
    std::uint32_t wait_ms;
    int tries;
  };
  const Case cases[] = {{"the window's poll tries once", 0, 1}, {"a command waits three seconds", 3000, 31}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    FakeLock lock;
    lock.other_holds = true;
    VirtualClock waiting;
    rig.channel.UseExchangeLock(&lock, {&waiting, c.wait_ms, 100});
    const ExchangeResult result = rig.channel.BeginExchange();
    EXPECT_EQ(result.state, ExchangeState::kMouseBusy);
    EXPECT_FALSE(result.needs_closing_pair());
    EXPECT_EQ(result.lock.holder.program, "zelko77");
    EXPECT_EQ(result.lock.holder.pid, 4242);
    EXPECT_TRUE(rig.transport.sent.empty());
    EXPECT_EQ(lock.tries, c.tries);
    EXPECT_EQ(waiting.NowMs(), c.wait_ms);
    EXPECT_EQ(rig.channel.BeginExchangeWithoutStatus().state, ExchangeState::kMouseBusy);
    EXPECT_TRUE(rig.transport.sent.empty());
  }
}

TEST(CommandChannelLock, ExchangesThatBelongTogetherKeepTheLockBetweenThem) {
  Rig rig;
  FakeLock lock;
  rig.channel.UseExchangeLock(&lock);
  rig.transport.reply = StatusReply(kStatusSignature, kStatusFlagMask, kChipCode99);
  ASSERT_TRUE(rig.channel.TakeExchangeLock().taken());
  for (int exchange = 0; exchange < 2; ++exchange) {
    EXPECT_TRUE(rig.channel.BeginExchange().configurable());
    EXPECT_TRUE(rig.channel.EndExchange());
    EXPECT_TRUE(lock.held) << "between the read and the write";
  }
  EXPECT_EQ(lock.tries, 1);
  rig.channel.ReleaseExchangeLock();
  EXPECT_FALSE(lock.held);

  // The key test opens with command 1 alone and closes with the pair.
  EXPECT_EQ(rig.channel.BeginExchangeWithoutStatus().state, ExchangeState::kConfigurable);
  EXPECT_TRUE(lock.held);
  (void)rig.channel.EndExchange();
  EXPECT_FALSE(lock.held);
}

}  // namespace
}  // namespace zelko
