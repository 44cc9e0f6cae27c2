// Programs sharing one mouse take turns: two zelko77ctl writes started
// together on one simulated memory file both take effect, one after the
// other, while a poller beside them does what the window's poll does; and
// a command that finds the mouse held too long says by whom and gives up.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <thread>

#include "base/clock.h"
#include "cli/tests/run_ctl.h"
#include "device/command_channel.h"
#include "device/supported_ids.h"
#include "sim/device_session.h"
#include "sim/shared_memory_file.h"

namespace zelko::cli {
namespace {

namespace fs = std::filesystem;
using testing::kCtlTimeout;
using testing::ReadText;
using testing::RunCtl;
using testing::StartCtl;
using testing::TempFolder;

// What the window's poll does on the same memory file, in a thread of this
// test: identify the mouse (opening handshake, identity bytes, closing
// pair), skipping a turn while another program holds it, until told to stop.
class WindowLikePoller {
 public:
  explicit WindowLikePoller(const std::string& memory_file) {
    sim::DeviceRequest request;
    request.simulate = true;
    request.simulate_file = memory_file;
    auto setup = sim::ReadDeviceRequest(request);
    EXPECT_TRUE(setup.ok()) << setup.error();
    auto session = sim::OpenDeviceSession(std::move(*setup), DefaultClock());
    EXPECT_TRUE(session.ok()) << session.error();
    session_ = std::move(*session);
    thread_ = std::thread([this] { Run(); });
  }
  ~WindowLikePoller() { Stop(); }

  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  int turns_taken() const { return taken_; }
  int turns_skipped() const { return skipped_; }

 private:
  void Run() {
    DeviceLink& link = session_->link();
    CommandChannel channel(link, session_->clock(), NullUiPort());
    channel.UseExchangeLock(session_->exchange_lock());
    link.state().DeviceVersion = kSupportedDeviceVersion;
    if (!link.OpenHidDevice(SupportedVendorId, SupportedProductId, link.state().DeviceVersion)) return;
    while (!stop_) {
      const ExchangeResult begin = channel.BeginExchange();
      if (begin.state == ExchangeState::kMouseBusy) {
        ++skipped_;
      } else if (begin.configurable()) {
        std::array<std::uint8_t, kIdentityLength> identity{};
        (void)channel.ReadBlock(kIdentityAddress, kIdentityLength, identity);
        (void)channel.EndExchange();
        ++taken_;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    (void)session_->Finish();
  }

  std::unique_ptr<sim::DeviceSession> session_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<int> taken_{0};
  std::atomic<int> skipped_{0};
};

class MouseLock : public ::testing::Test {
 protected:
  testing::CtlEnvironment Environment() const { return {{"XDG_DATA_HOME", folder_ / "data"}}; }
  std::string Simulate() const { return "--simulate=" + memory_; }

  TempFolder folder_;
  std::string memory_ = folder_ / "mouse.bin";
};

// The protocol runs in real time here (no --sim-virtual-time): each command
// holds the mouse for seconds, so the two really meet.
TEST_F(MouseLock, TwoWritesStartedTogetherBothTakeEffectOneAfterTheOther) {
  WindowLikePoller poller(memory_);
  auto level = StartCtl({Simulate(), "set-dpi", "--value", "1=500"}, Environment());
  auto colour = StartCtl({Simulate(), "set-dpi", "--colour", "2=#102030"}, Environment());
  const auto level_run = level->Wait(kCtlTimeout * 2);
  const auto colour_run = colour->Wait(kCtlTimeout * 2);
  poller.Stop();
  EXPECT_EQ(level_run.exit_code, 0) << level_run;
  EXPECT_EQ(colour_run.exit_code, 0) << colour_run;

  // The second read what the first wrote before it wrote its own change.
  const auto show = RunCtl({Simulate(), "--sim-virtual-time", "show", "--json"}, kCtlTimeout, Environment());
  ASSERT_EQ(show.exit_code, 0) << show;
  const auto json = nlohmann::json::parse(show.out, nullptr, false);
  ASSERT_FALSE(json.is_discarded()) << show.out;
  EXPECT_EQ(json["DpiLevels"][0]["Dpi"], 500);
  EXPECT_EQ(json["DpiLevels"][1]["DpiColour"], "#102030");

  EXPECT_GT(poller.turns_taken(), 0);
  EXPECT_GT(poller.turns_skipped(), 0) << "the poller met a command holding the mouse";
  EXPECT_FALSE(fs::exists(sim::OverlapLogPath(memory_))) << ReadText(sim::OverlapLogPath(memory_));
}

TEST_F(MouseLock, ACommandThatFindsTheMouseHeldTooLongNamesTheHolderAndSendsNothing) {
  auto lock = MakeFileExchangeLock(memory_);
  ASSERT_TRUE(lock->TryTake("sim:mouse").taken());
  const auto busy = RunCtl({Simulate(), "--sim-virtual-time", "--wait-for-mouse", "1", "set-dpi", "--count", "4"},
                           kCtlTimeout, Environment());
  EXPECT_EQ(busy.exit_code, 6) << busy;
  EXPECT_NE(busy.err.find("(pid " + std::to_string(::getpid()) + ") is talking to the mouse"), std::string::npos)
      << busy.err;
  EXPECT_FALSE(fs::exists(memory_)) << "nothing was sent, nothing saved";

  lock->Release();
  const auto free = RunCtl({Simulate(), "--sim-virtual-time", "--wait-for-mouse", "1", "set-dpi", "--count", "4"},
                           kCtlTimeout, Environment());
  EXPECT_EQ(free.exit_code, 0) << free;
}

}  // namespace
}  // namespace zelko::cli
