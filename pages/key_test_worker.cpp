#include "pages/key_test_worker.h"

#include <algorithm>

namespace zelko {

KeyTestWorker::KeyTestWorker(Clock& clock, KeyTestWorkerPorts ports)
    : clock_(clock), ports_(std::move(ports)) {}

KeyTestWorker::~KeyTestWorker() { Stop(); }

void KeyTestWorker::Start() {
  if (thread_.joinable()) return;
  stop_ = false;
  clock_.ThreadJoins();
  thread_ = std::thread([this] {
    Run();
    clock_.ThreadLeaves();
  });
}

void KeyTestWorker::Stop() {
  if (!thread_.joinable()) return;
  stop_ = true;
  // The waiting thread sleeps on nothing meanwhile: shared virtual time
  // must move on without it for the worker to get to its end.
  clock_.ThreadLeaves();
  thread_.join();
  clock_.ThreadJoins();
}

void KeyTestWorker::Run() {
  while (!stop_) {
    const std::uint16_t word = ports_.read_button_word();
    for (int k = 0; k < kKeyTestButtons && !stop_; ++k) {
      if (word & (1u << k)) Blink(k + 1);
    }
  }
}

void KeyTestWorker::Blink(int button) {
  blink_active_ = true;
  ports_.show_button(button, false);
  bool visible = false;
  for (int step = 0; step < 3; ++step) {
    if (!Wait(kBlinkStepMs)) break;
    visible = !visible;
    ports_.show_button(button, visible);
  }
  if (!visible) ports_.show_button(button, true);
  blink_active_ = false;
}

bool KeyTestWorker::Wait(std::uint32_t ms) {
  while (ms > 0) {
    if (stop_) return false;
    const std::uint32_t step = std::min(ms, kBlinkStopCheckMs);
    clock_.SleepMs(step);
    ms -= step;
  }
  return !stop_;
}

}  // namespace zelko
