// The key test: after the test button is clicked, every button pressed on
// the mouse makes its on-screen button blink, while the test button's
// caption counts down; five quiet seconds end the test.
//
// KeyTestCountdown is the GUI thread's side (TestTimer ticks every 1000 ms);
// KeyTestWorker (pages/key_test_worker.h) polls the mouse on a thread of its
// own and times the blinks.
#pragma once
#include <string>

namespace zelko {

inline constexpr unsigned kTestTimerIntervalMs = 1000;
// Ticks without a blink that end the test: the caption shows 5... to 1...,
// the sixth gives back the normal caption.
inline constexpr int kQuietTicksToEnd = 6;

struct KeyTestTick {
  std::string caption;  // what the test button shows after the tick
  bool ended = false;   // the test is over: the caller ends the worker and the exchange
};

class KeyTestCountdown {
 public:
  explicit KeyTestCountdown(std::string normal_caption) : normal_caption_(std::move(normal_caption)) {}

  // The test starts: TestCountdown = 0.
  void Start() {
    running_ = true;
    TestCountdown_ = 0;
  }
  // One TestTimer tick; `blink_active` is BlinkActive as the tick reads it.
  // A tick while a button blinks shows the normal caption and starts the
  // count again; otherwise the caption counts down and the sixth quiet
  // tick ends the test.
  KeyTestTick Tick(bool blink_active) {
    if (!running_) return {normal_caption_, false};
    if (blink_active) {
      TestCountdown_ = 0;
      return {normal_caption_, false};
    }
    KeyTestTick tick{std::to_string(kQuietTicksToEnd - 1 - TestCountdown_) + "...", false};
    if (++TestCountdown_ == kQuietTicksToEnd) {
      running_ = false;
      tick = {normal_caption_, true};
    }
    return tick;
  }

  bool running() const { return running_; }
  int TestCountdown() const { return TestCountdown_; }
  const std::string& normal_caption() const { return normal_caption_; }
  void set_normal_caption(std::string caption) { normal_caption_ = std::move(caption); }

 private:
  std::string normal_caption_;
  bool running_ = false;
  int TestCountdown_ = 0;
};

}  // namespace zelko
