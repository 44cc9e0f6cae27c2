#include "macros/key_press_tracker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelko {
namespace {

// xkb keycodes of a US board and the virtual keys they give.
constexpr std::uint32_t kKeyA = 38;
constexpr std::uint32_t kKeyB = 56;
constexpr std::uint32_t kPad7 = 79;
constexpr std::uint32_t kUnknownKey = 200;
constexpr int kVkA = 65;
constexpr int kVkB = 66;
constexpr int kVkPad7 = 103;
constexpr int kVkHome = 36;

struct Step {
  enum Kind { kDown, kUp, kClear } kind;
  std::uint32_t keycode = 0;
  int virtual_key = 0;  // kDown only
  std::optional<TrackedKeyEvent> expected;
};

Step Down(std::uint32_t keycode, int vk, std::optional<TrackedKeyEvent> expected) {
  return {Step::kDown, keycode, vk, expected};
}
Step Up(std::uint32_t keycode, std::optional<TrackedKeyEvent> expected) { return {Step::kUp, keycode, 0, expected}; }
Step Clear() { return {Step::kClear, 0, 0, std::nullopt}; }
TrackedKeyEvent First(int vk) { return {vk, KeyState::kFirstPress}; }
TrackedKeyEvent Repeat(int vk) { return {vk, KeyState::kRepeatPress}; }
TrackedKeyEvent Release(int vk) { return {vk, KeyState::kRelease}; }

struct TrackerCase {
  std::string name;
  std::vector<Step> steps;
};

class KeyPressTracking : public ::testing::TestWithParam<TrackerCase> {};

TEST_P(KeyPressTracking, GivesTheStateOfEveryKeyEvent) {
  KeyPressTracker tracker;
  int index = 0;
  for (const Step& step : GetParam().steps) {
    std::optional<TrackedKeyEvent> got;
    switch (step.kind) {
      case Step::kDown: got = tracker.Down(step.keycode, step.virtual_key); break;
      case Step::kUp: got = tracker.Up(step.keycode); break;
      case Step::kClear: tracker.Clear(); break;
    }
    EXPECT_EQ(got, step.expected) << "step " << index;
    ++index;
  }
}

INSTANTIATE_TEST_SUITE_P(
    KeyPressTracker, KeyPressTracking,
    ::testing::Values(
        TrackerCase{"TapIsFirstPressThenRelease", {Down(kKeyA, kVkA, First(kVkA)), Up(kKeyA, Release(kVkA))}},
        TrackerCase{"AutoRepeatOfAHeldKeyIsARepeatPress",
                    {Down(kKeyA, kVkA, First(kVkA)), Down(kKeyA, kVkA, Repeat(kVkA)),
                     Down(kKeyA, kVkA, Repeat(kVkA)), Up(kKeyA, Release(kVkA))}},
        TrackerCase{"SecondKeyWhileOneIsHeldIsARepeatPress",
                    {Down(kKeyA, kVkA, First(kVkA)), Down(kKeyB, kVkB, Repeat(kVkB)), Up(kKeyB, Release(kVkB)),
                     Up(kKeyA, Release(kVkA))}},
        // A press after a release is a first press even while another key
        // is held: as a repeat press of the key last taken the recorder
        // would drop it and keep only its release.
        TrackerCase{"PressAfterAReleaseIsAFirstPressWhileAnotherKeyIsHeld",
                    {Down(kKeyA, kVkA, First(kVkA)), Down(kKeyB, kVkB, Repeat(kVkB)), Up(kKeyB, Release(kVkB)),
                     Down(kKeyB, kVkB, First(kVkB)), Up(kKeyB, Release(kVkB)), Up(kKeyA, Release(kVkA))}},
        TrackerCase{"ReleaseOfAKeyNotSeenGoingDownIsDropped",
                    {Up(kKeyA, std::nullopt), Down(kKeyA, kVkA, First(kVkA))}},
        TrackerCase{"UnknownKeyIsNeitherReportedNorCounted",
                    {Down(kUnknownKey, 0, std::nullopt), Up(kUnknownKey, std::nullopt),
                     Down(kKeyA, kVkA, First(kVkA))}},
        // Num Lock going off while the pad key is held must not turn its
        // release into a Home release.
        TrackerCase{"KeyKeepsTheVirtualKeyItWentDownWith",
                    {Down(kPad7, kVkPad7, First(kVkPad7)), Down(kPad7, kVkHome, Repeat(kVkPad7)),
                     Up(kPad7, Release(kVkPad7))}},
        TrackerCase{"ClearForgetsHeldKeys",
                    {Down(kKeyA, kVkA, First(kVkA)), Clear(), Up(kKeyA, std::nullopt),
                     Down(kKeyA, kVkA, First(kVkA))}}),
    [](const ::testing::TestParamInfo<TrackerCase>& info) { return info.param.name; });

}  // namespace
}  // namespace zelko
