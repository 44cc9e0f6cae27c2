// The device connection driving the image flows, against the simulated
// mouse in virtual time.
#include <gtest/gtest.h>

#include <deque>

#include "device/device_connection.h"
#include "image/expected_codes.h"
#include "image/factory_images.h"
#include "resources/general_pack.h"
#include "sim_rig.h"

namespace zelko {
namespace {

using testing::SimRig;

// Adds interfaces of another device to the simulated ones, a different
// number at each enumeration, as while a device is still enumerating.
class FlickeringTransport final : public HidTransport {
 public:
  explicit FlickeringTransport(HidTransport& base) : base_(base) {}
  std::deque<int> extra_counts;

  [[nodiscard]] std::optional<std::vector<std::string>> EnumerateInterfaces() override {
    auto paths = base_.EnumerateInterfaces();
    if (!paths || extra_counts.empty()) return paths;
    for (int i = 0; i < extra_counts.front(); ++i) paths->push_back("other/" + std::to_string(i));
    extra_counts.pop_front();
    return paths;
  }
  [[nodiscard]] HidHandle Open(const std::string& path) override {
    return path.starts_with("other/") ? kOtherHandle : base_.Open(path);
  }
  void Close(HidHandle handle) override {
    if (handle != kOtherHandle) base_.Close(handle);
  }
  [[nodiscard]] std::optional<HidAttributes> GetAttributes(HidHandle handle) override {
    if (handle == kOtherHandle) return HidAttributes{0x1234, 0x5678, 1};
    return base_.GetAttributes(handle);
  }
  [[nodiscard]] std::optional<std::uint16_t> GetFeatureReportByteLength(HidHandle handle) override {
    if (handle == kOtherHandle) return std::uint16_t{0};
    return base_.GetFeatureReportByteLength(handle);
  }
  [[nodiscard]] bool SetFeature(HidHandle handle, std::span<std::uint8_t> buffer) override {
    return base_.SetFeature(handle, buffer);
  }
  [[nodiscard]] bool GetFeature(HidHandle handle, std::span<std::uint8_t> buffer) override {
    return base_.GetFeature(handle, buffer);
  }

 private:
  static constexpr HidHandle kOtherHandle = 9000;
  HidTransport& base_;
};

// The connection wired as the window wires it.
struct ConnectionRig {
  explicit ConnectionRig(sim::SimFaults faults = {})
      : rig(faults),
        flickering(rig.transport),
        link(flickering),
        channel(link, rig.clock, rig.ui),
        flows(rig.workspace, channel, rig.ui, rig.clock),
        connection(link, channel, rig.clock, rig.ui,
                   ShippedExpectedCodes(), Callbacks()) {
    EXPECT_TRUE(rig.workspace.LoadFactoryImage(1, ImageSource::kNoDevice));
  }

  ConnectionCallbacks Callbacks() {
    ConnectionCallbacks callbacks;
    callbacks.read_image = [this] { return flows.ReadImage().ok(); };
    callbacks.init_no_device = [this] {
      // The constructor checked that factory image 1 can be shown.
      (void)rig.workspace.LoadFactoryImage(1, ImageSource::kNoDevice);
    };
    callbacks.state_changed = [this](ConnectionState s) {
      states.push_back(s);
      state_times.push_back(rig.clock.NowMs());
    };
    return callbacks;
  }

  SimRig rig;
  FlickeringTransport flickering;
  DeviceLink link;
  CommandChannel channel;
  ImageFlows flows;
  std::vector<ConnectionState> states;
  std::vector<std::uint64_t> state_times;
  DeviceConnection connection;
};

TEST(DeviceConnection, FirstTickWaitsOpensIdentifiesAndReads) {
  ConnectionRig c;
  c.connection.DevTimerTimer();
  EXPECT_EQ(c.states, (std::vector{ConnectionState::kOpened, ConnectionState::kReady}));
  EXPECT_EQ(c.state_times.at(0), 2100u);  // 21 x 100 ms before the open
  EXPECT_EQ(c.connection.LastHidCount(), 3);
  EXPECT_EQ(c.rig.workspace.source, ImageSource::kDevice);
  EXPECT_FALSE(c.rig.ui.covered);
  EXPECT_TRUE(c.rig.ui.messages.empty());

  // The same count again: no second search.
  const auto exchanges = c.rig.Executed(CommandCode::kBeginExchange);
  c.connection.DevTimerTimer();
  EXPECT_EQ(c.rig.Executed(CommandCode::kBeginExchange), exchanges);
}

TEST(DeviceConnection, IdentityCodesDecideWhetherTheMouseIsRead) {
  struct Case {
    std::array<std::uint8_t, 2> identity;
    ConnectionState state;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {{0xFF, 0xFF}, ConnectionState::kReady, {}},  // factory image 1's codes
      {{0x00, 0x00}, ConnectionState::kReady, {}},  // the reserve codes
      {{0x12, 0x34}, ConnectionState::kForeign, {"Str107"}},
      {{0xFF, 0x00}, ConnectionState::kForeign, {"Str107"}},
  };
  for (const Case& k : cases) {
    sim::SimFaults faults;
    faults.identity = k.identity;
    ConnectionRig c(faults);
    c.connection.DevTimerTimer();
    SCOPED_TRACE(int{k.identity[0]} * 256 + k.identity[1]);
    EXPECT_EQ(c.connection.state(), k.state);
    EXPECT_EQ(c.rig.ui.messages, k.messages);
    EXPECT_TRUE(c.link.IsOpen());
    EXPECT_TRUE(c.rig.ui.poll_running);
    EXPECT_EQ(c.connection.identity_read(),
              (IdentityCodes{k.identity[0], k.identity[1]}));
    if (k.state == ConnectionState::kForeign) {
      EXPECT_TRUE(c.rig.ui.covered);
      EXPECT_EQ(c.rig.workspace.source, ImageSource::kNoDevice);
      EXPECT_EQ(c.rig.Executed(CommandCode::kEndExchange), 1);
    }
  }
}

TEST(DeviceConnection, RefusingChipIsForgottenUntilTheCountChanges) {
  sim::SimFaults faults;
  faults.chip_code = kChipCode98;
  ConnectionRig c(faults);
  c.connection.DevTimerTimer();
  EXPECT_EQ(c.connection.state(), ConnectionState::kRefused);
  EXPECT_EQ(c.rig.ui.messages, std::vector<std::string>{"Str020"});
  EXPECT_FALSE(c.link.IsOpen());
  EXPECT_EQ(c.rig.Executed(CommandCode::kEndExchange), 1);

  const auto exchanges = c.rig.Executed(CommandCode::kBeginExchange);
  c.connection.DevTimerTimer();
  EXPECT_EQ(c.rig.Executed(CommandCode::kBeginExchange), exchanges);
}

TEST(DeviceConnection, FluctuatingCountWaitsForTwoStablePairs) {
  ConnectionRig c;
  // Extra interfaces per enumeration: pairs (1,2) (3,4) (0,0) (5,6) (1,2):
  // one stable pair only.
  c.flickering.extra_counts = {1, 2, 3, 4, 0, 0, 5, 6, 1, 2};
  c.connection.DevTimerTimer();
  EXPECT_TRUE(c.states.empty());
  EXPECT_EQ(c.connection.LastHidCount(), 0);
  EXPECT_EQ(c.rig.clock.NowMs(), 0u);

  // Two stable pairs out of five: the search runs.
  c.flickering.extra_counts = {1, 2, 0, 0, 3, 4, 0, 0, 1, 2};
  c.connection.DevTimerTimer();
  EXPECT_EQ(c.connection.state(), ConnectionState::kReady);
  EXPECT_EQ(c.connection.LastHidCount(), 4);  // the a of the last pair
}

TEST(DeviceConnection, UnpluggingWhileReadyReturnsToWaiting) {
  ConnectionRig c;
  c.connection.DevTimerTimer();
  ASSERT_EQ(c.connection.state(), ConnectionState::kReady);
  c.rig.workspace.record.ParameterA.DpiLevelCount = 6;

  c.rig.mouse.Unplug();
  c.connection.DevTimerTimer();
  EXPECT_EQ(c.connection.state(), ConnectionState::kWaiting);
  EXPECT_EQ(c.rig.ui.messages, std::vector<std::string>{"Str100+Str101"});
  EXPECT_TRUE(c.rig.ui.covered);
  EXPECT_TRUE(c.rig.ui.poll_running);
  EXPECT_EQ(c.rig.workspace.data_buf, *FactoryImage(1));
  EXPECT_EQ(c.rig.workspace.source, ImageSource::kNoDevice);
  EXPECT_EQ(c.connection.LastHidCount(), 0);
}

TEST(DeviceConnection, FirstTickSearchesEvenWhenNoInterfaceOpens) {
  // No interface can be opened (no HID device, or no access to any node):
  // the count stays 0, yet the first tick searches once and says that no
  // mouse was found; later ticks with the same count stay quiet.
  ConnectionRig c;
  c.rig.mouse.Unplug();
  c.connection.DevTimerTimer();
  EXPECT_EQ(c.rig.ui.messages, std::vector<std::string>{"Str100+Str101"});
  EXPECT_EQ(c.connection.state(), ConnectionState::kWaiting);
  c.connection.DevTimerTimer();
  EXPECT_EQ(c.rig.ui.messages.size(), 1u);
}

TEST(DeviceConnection, TimerEventsDuringAPollReturnAtOnce) {
  ConnectionRig c;
  int nested = 0;
  c.rig.ui.on_process_messages = [&] {
    if (c.connection.PollBusy()) {
      ++nested;
      c.connection.DevTimerTimer();
    }
  };
  c.connection.DevTimerTimer();
  EXPECT_GT(nested, 0);
  EXPECT_EQ(c.rig.Executed(CommandCode::kBeginExchange), 1);
  EXPECT_EQ(c.connection.state(), ConnectionState::kReady);
  EXPECT_FALSE(c.connection.PollBusy());
}

TEST(DeviceConnection, ReFindDevSearchesWithoutTouchingTheLastCount) {
  ConnectionRig c;
  c.connection.DevTimerTimer();
  ASSERT_EQ(c.connection.state(), ConnectionState::kReady);
  bool cleared = false;
  c.rig.ui.on_process_messages = [&] { cleared = cleared || !c.link.IsOpen(); };
  c.connection.ReFindDev();
  EXPECT_TRUE(cleared);  // the device was forgotten before the search
  EXPECT_TRUE(c.link.IsOpen());
  EXPECT_EQ(c.rig.Executed(CommandCode::kBeginExchange), 2);
  EXPECT_EQ(c.connection.LastHidCount(), 3);
}

TEST(MakeExpectedCodes, TakesFactoryIdentityAndTheReserveCodes) {
  const auto codes = MakeExpectedCodes(*FactoryImage(1), 7, 9);
  ASSERT_TRUE(codes);
  EXPECT_EQ((*codes)[0], (IdentityCodes{0xFF, 0xFF}));
  EXPECT_EQ((*codes)[1], (IdentityCodes{7, 9}));
  EXPECT_FALSE(MakeExpectedCodes(std::vector<std::uint8_t>(0x37, 0), 0, 0));
}

TEST(ShippedExpectedCodes, AreFactoryImageOnesIdentityAndTheGeneralPacksReserve) {
  const auto [manufacturer, product] = ReserveIdentityFromGeneralPack();
  const ExpectedCodes codes = ShippedExpectedCodes();
  EXPECT_EQ(codes, *MakeExpectedCodes(*FactoryImage(1), static_cast<std::uint32_t>(manufacturer),
                                      static_cast<std::uint32_t>(product)));
  EXPECT_EQ(codes[0], (IdentityCodes{0xFF, 0xFF}));
}

}  // namespace
}  // namespace zelko
