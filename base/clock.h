// Time as the protocol and the connection logic see it. Every sleep of the
// core goes through a Clock, so that tests run in virtual time.
#pragma once
#include <atomic>
#include <cstdint>

namespace zelko {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual void SleepMs(std::uint32_t ms) = 0;
  // Milliseconds since an arbitrary start; only differences matter.
  virtual std::uint64_t NowMs() const = 0;

  // For a clock whose virtual time several threads share: a thread that is
  // about to start sleeping on it (called by the thread that starts it),
  // and a thread that stops sleeping on it for a while or for good (it
  // ended, or it waits for another thread). The real clock ignores both.
  virtual void ThreadJoins() {}
  virtual void ThreadLeaves() {}
};

// The real clock: std::this_thread::sleep_for and the steady clock.
class SystemClock final : public Clock {
 public:
  void SleepMs(std::uint32_t ms) override;
  std::uint64_t NowMs() const override;
};

// Virtual time: a sleep only moves the hands. A thread of its own may sleep
// on it too (the hands are atomic), but then virtual time is no longer one
// order of events; tests with threads use SharedVirtualClock. Sleeps are counted so that
// tests can state how long an exchange would have taken.
class VirtualClock final : public Clock {
 public:
  void SleepMs(std::uint32_t ms) override {
    now_ms_ += ms;
    ++sleep_count_;
  }
  std::uint64_t NowMs() const override { return now_ms_; }
  void Advance(std::uint64_t ms) { now_ms_ += ms; }
  std::uint64_t sleep_count() const { return sleep_count_; }

 private:
  std::atomic<std::uint64_t> now_ms_ = 0;
  std::atomic<std::uint64_t> sleep_count_ = 0;
};

// The clock the programs use unless a test hands in another.
Clock& DefaultClock();

}  // namespace zelko
