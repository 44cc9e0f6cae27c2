// Virtual time shared by a worker thread and the thread that drives it.
#include "base/shared_virtual_clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace zelko {
namespace {

// A worker that notes the time after each of its sleeps until told to stop.
struct Ticker {
  explicit Ticker(SharedVirtualClock& clock, std::uint32_t step) : clock(clock) {
    clock.ThreadJoins();
    thread = std::thread([this, step] {
      while (!stop) {
        this->clock.SleepMs(step);
        std::lock_guard lock(mutex);
        seen.push_back(this->clock.NowMs());
      }
      this->clock.ThreadLeaves();
    });
  }
  // Stops the worker; the caller stops taking part while it waits, or the
  // worker's last sleep would never end.
  void Stop() {
    stop = true;
    clock.ThreadLeaves();
    thread.join();
    clock.ThreadJoins();
  }
  std::vector<std::uint64_t> Seen() {
    std::lock_guard lock(mutex);
    return seen;
  }
  SharedVirtualClock& clock;
  std::atomic<bool> stop = false;
  std::mutex mutex;
  std::vector<std::uint64_t> seen;
  std::thread thread;
};

TEST(SharedVirtualClock, EachThreadSeesTheOthersWorkUpToItsOwnWakeUp) {
  SharedVirtualClock clock;
  Ticker ticker(clock, 30);
  clock.SleepMs(100);
  EXPECT_EQ(clock.NowMs(), 100u);
  EXPECT_EQ(ticker.Seen(), (std::vector<std::uint64_t>{30, 60, 90}));
  clock.SleepMs(20);  // the worker's 120 and the driver's 120 fall together
  ticker.Stop();
  EXPECT_GE(ticker.Seen().size(), 4u);
  EXPECT_EQ(ticker.Seen()[3], 120u);
}

TEST(SharedVirtualClock, ALoneThreadNeverWaits) {
  SharedVirtualClock clock;
  clock.SleepMs(3500);
  clock.SleepMs(0);
  EXPECT_EQ(clock.NowMs(), 3500u);
}

}  // namespace
}  // namespace zelko
