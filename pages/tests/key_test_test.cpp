// The key test in virtual time: the countdown on the test button's caption
// driven by the 1000 ms ticks, the worker polling a mouse whose buttons are
// pressed by a script, and the blinks it hands over.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "base/shared_virtual_clock.h"
#include "pages/key_test.h"
#include "pages/key_test_worker.h"
#include "sim/button_script.h"

namespace zelko {
namespace {

constexpr const char* kNormal = "Test Keys Position";

struct Blink {
  std::uint64_t at_ms;
  int button;
  bool visible;
  bool operator==(const Blink&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Blink& b) {
  return os << (b.visible ? "show " : "hide ") << b.button << " at " << b.at_ms;
}

// One key test: the worker reads a word that follows `presses` (a status
// query takes 10 ms, as the protocol's pauses do), the test thread ticks.
struct KeyTestRun {
  explicit KeyTestRun(sim::ButtonScript presses)
      : presses(std::move(presses)),
        worker(clock, KeyTestWorkerPorts{[this] {
                                           clock.SleepMs(10);
                                           return sim::ButtonsHeldAt(this->presses, clock.NowMs());
                                         },
                                         [this](int button, bool visible) {
                                           std::lock_guard lock(mutex);
                                           blinks.push_back({clock.NowMs(), button, visible});
                                         }}) {}

  // Ticks until the test ends or `max_ticks` have passed; true when it ended.
  bool RunTicks(int max_ticks) {
    for (int i = 0; i < max_ticks; ++i) {
      clock.SleepMs(kTestTimerIntervalMs);
      const KeyTestTick tick = countdown.Tick(worker.BlinkActive());
      captions.push_back(tick.caption);
      if (tick.ended) {
        worker.Stop();
        return true;
      }
    }
    return false;
  }
  void Start() {
    worker.Start();
    countdown.Start();
  }
  std::vector<Blink> Blinks() {
    std::lock_guard lock(mutex);
    return blinks;
  }

  SharedVirtualClock clock;
  sim::ButtonScript presses;
  KeyTestCountdown countdown{kNormal};
  std::mutex mutex;
  std::vector<Blink> blinks;
  std::vector<std::string> captions;
  KeyTestWorker worker;
};

struct KeyTestCase {
  const char* name;
  sim::ButtonScript presses;
  std::vector<std::string> captions;
  std::vector<Blink> blinks;
};

class KeyTestRuns : public testing::TestWithParam<KeyTestCase> {};

TEST_P(KeyTestRuns, CountsDownBlinksAndEnds) {
  const KeyTestCase& c = GetParam();
  KeyTestRun run(c.presses);
  run.Start();
  ASSERT_TRUE(run.RunTicks(20));
  EXPECT_EQ(run.captions, c.captions);
  EXPECT_EQ(run.Blinks(), c.blinks);
  EXPECT_FALSE(run.worker.running());
  EXPECT_FALSE(run.countdown.running());
}

// The polls end at 10, 20, ... ms: a press from 1234 ms is seen at 1240.
INSTANTIATE_TEST_SUITE_P(
    Table, KeyTestRuns,
    testing::Values(
        KeyTestCase{"NoPressEndsAtTheSixthTick",
                    {},
                    {"5...", "4...", "3...", "2...", "1...", kNormal},
                    {}},
        // The tick at 2000 finds the blink under way: the count starts again.
        KeyTestCase{"ButtonThreeBlinksAndTheCountRestarts",
                    {{0x004, 1234, 100}},
                    {"5...", kNormal, "5...", "4...", "3...", "2...", "1...", kNormal},
                    {{1240, 3, false}, {1740, 3, true}, {2240, 3, false}, {2740, 3, true}}},
        KeyTestCase{"TwoButtonsTogetherBlinkLowerFirst",
                    {{0x003, 1234, 100}},
                    {"5...", kNormal, kNormal, kNormal, "5...", "4...", "3...", "2...", "1...",
                     kNormal},
                    {{1240, 1, false}, {1740, 1, true}, {2240, 1, false}, {2740, 1, true},
                     {2740, 2, false}, {3240, 2, true}, {3740, 2, false}, {4240, 2, true}}}),
    [](const testing::TestParamInfo<KeyTestCase>& info) { return std::string(info.param.name); });

TEST(KeyTest, AHeldButtonBlinksAgainAndKeepsTheTestAlive) {
  KeyTestRun run({{0x010, 0, 20'000}});
  run.Start();
  EXPECT_FALSE(run.RunTicks(20));
  // Each blink takes 1.5 s and the next poll 10 ms: 14 in the first 20 s.
  const auto blinks = run.Blinks();
  int hides = 0;
  for (const Blink& b : blinks) {
    EXPECT_EQ(b.button, 5);
    if (!b.visible) ++hides;
  }
  EXPECT_GE(hides, 2 * 13);
  // Released at 20 s: the test ends within a blink and six ticks.
  EXPECT_TRUE(run.RunTicks(9));
  EXPECT_TRUE(run.Blinks().back().visible);
}

TEST(KeyTest, AStopDuringABlinkShowsTheButtonAgain) {
  KeyTestRun run({{0x100, 0, 20'000}});
  run.Start();
  run.clock.SleepMs(1100);  // hidden again since 1010, waiting in 50 ms steps
  ASSERT_TRUE(run.worker.BlinkActive());
  run.worker.Stop();
  const auto blinks = run.Blinks();
  ASSERT_FALSE(blinks.empty());
  EXPECT_EQ(blinks.back(), (Blink{1110, 9, true}));
  EXPECT_FALSE(run.worker.BlinkActive());
}

}  // namespace
}  // namespace zelko
