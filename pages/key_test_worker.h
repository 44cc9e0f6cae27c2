// The key test's worker: on a thread of its own it reads the mouse's
// button-state word again and again; for each pressed button (bit k of the
// word: button k + 1, k = 0..8, in that order) it hides the button's
// on-screen copy, waits 500 ms, shows it, waits, hides it, waits and shows
// it again. Every wait goes through the Clock. Showing and hiding is handed
// to the caller's callback, which must not wait for the GUI thread (it
// posts), so the GUI thread can wait for the worker's end.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "base/clock.h"

namespace zelko {

inline constexpr int kKeyTestButtons = 9;
inline constexpr std::uint32_t kBlinkStepMs = 500;
// A stop request is noticed this often during a blink's waits.
inline constexpr std::uint32_t kBlinkStopCheckMs = 50;

struct KeyTestWorkerPorts {
  // Reads the button-state word (0 when the mouse does not answer). Runs
  // on the worker thread; only the worker talks to the mouse meanwhile.
  std::function<std::uint16_t()> read_button_word;
  // Shows (true) or hides (false) button 1..9; called on the worker thread.
  std::function<void(int button, bool visible)> show_button;
};

class KeyTestWorker {
 public:
  KeyTestWorker(Clock& clock, KeyTestWorkerPorts ports);
  // Stops and waits for the thread if it still runs.
  ~KeyTestWorker();
  KeyTestWorker(const KeyTestWorker&) = delete;
  KeyTestWorker& operator=(const KeyTestWorker&) = delete;

  void Start();
  // Asks the worker to end and waits for it. A blink under way is cut short
  // with its button shown, so no button stays hidden.
  void Stop();

  // True while a button blinks (written by the worker, read by the ticks).
  bool BlinkActive() const { return blink_active_; }
  bool running() const { return thread_.joinable(); }

 private:
  void Run();
  void Blink(int button);
  // Waits `ms` in steps, false when a stop was asked for meanwhile.
  bool Wait(std::uint32_t ms);

  Clock& clock_;
  KeyTestWorkerPorts ports_;
  std::atomic<bool> stop_ = false;
  std::atomic<bool> blink_active_ = false;
  std::thread thread_;
};

}  // namespace zelko
