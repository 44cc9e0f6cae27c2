#include "base/shared_virtual_clock.h"

namespace zelko {

void SharedVirtualClock::SleepMs(std::uint32_t ms) {
  std::unique_lock lock(mutex_);
  const std::uint64_t wake = now_ms_ + ms;
  const auto entry = wake_times_.insert(wake);
  AdvanceIfAllAsleep();
  woken_.wait(lock, [&] { return now_ms_ >= wake; });
  wake_times_.erase(entry);
}

std::uint64_t SharedVirtualClock::NowMs() const {
  std::lock_guard lock(mutex_);
  return now_ms_;
}

void SharedVirtualClock::ThreadJoins() {
  std::lock_guard lock(mutex_);
  ++taking_part_;
}

void SharedVirtualClock::ThreadLeaves() {
  std::lock_guard lock(mutex_);
  --taking_part_;
  AdvanceIfAllAsleep();
}

void SharedVirtualClock::AdvanceIfAllAsleep() {
  if (wake_times_.empty() || static_cast<int>(wake_times_.size()) < taking_part_) return;
  const std::uint64_t next = *wake_times_.begin();
  // A sleeper already due has not run yet: it moves first.
  if (next <= now_ms_) return;
  now_ms_ = next;
  woken_.notify_all();
}

}  // namespace zelko
