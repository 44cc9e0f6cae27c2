#include "base/clock.h"

#include <chrono>
#include <thread>

namespace zelko {

void SystemClock::SleepMs(std::uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::uint64_t SystemClock::NowMs() const {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

Clock& DefaultClock() {
  static SystemClock clock;
  return clock;
}

}  // namespace zelko
