// Virtual time for several threads at once (a worker thread and the thread
// that drives it in a test). A sleeping thread waits until the hands reach
// its wake-up time; the hands move, to the earliest wake-up, only when
// every thread taking part is asleep. So each thread sees the others'
// work between its own sleeps exactly as it would in real time, with no
// real waiting. The thread that makes the clock takes part from the start.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <set>

#include "base/clock.h"

namespace zelko {

class SharedVirtualClock final : public Clock {
 public:
  void SleepMs(std::uint32_t ms) override;
  std::uint64_t NowMs() const override;
  void ThreadJoins() override;
  void ThreadLeaves() override;

 private:
  // Moves the hands when every thread taking part sleeps and none of them
  // is due yet. Called with the lock held.
  void AdvanceIfAllAsleep();

  mutable std::mutex mutex_;
  std::condition_variable woken_;
  std::uint64_t now_ms_ = 0;
  int taking_part_ = 1;
  std::multiset<std::uint64_t> wake_times_;
};

}  // namespace zelko
