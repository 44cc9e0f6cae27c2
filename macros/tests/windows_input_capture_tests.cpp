#include "macros/windows_input_capture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "macros/tests/heard_input.h"

namespace zelko {
namespace {

using testing_support::Heard;

constexpr std::uint16_t kE0 = RI_KEY_E0;
constexpr std::uint16_t kBreak = RI_KEY_BREAK;

struct RawCase {
  const char* name;
  RawKeyRecord record;
  std::optional<RawKeyEvent> expected;
};

TEST(WindowsRawKeyRecords, TranslateToKeyEventsWithGenericModifiers) {
  const RawCase cases[] = {
      {"letter down", {0x1E, 0, 'A', WM_KEYDOWN}, RawKeyEvent{0x1E, 'A', true}},
      {"letter up", {0x1E, kBreak, 'A', WM_KEYUP}, RawKeyEvent{0x1E, 'A', false}},
      {"left alt as a system key", {0x38, 0, VK_LMENU, WM_SYSKEYDOWN}, RawKeyEvent{0x38, 18, true}},
      {"right alt up", {0x38, kE0 | kBreak, VK_RMENU, WM_SYSKEYUP}, RawKeyEvent{0x138, 18, false}},
      {"generic shift", {0x2A, 0, VK_SHIFT, WM_KEYDOWN}, RawKeyEvent{0x2A, 16, true}},
      {"right shift", {0x36, 0, VK_RSHIFT, WM_KEYDOWN}, RawKeyEvent{0x36, 16, true}},
      {"right control keeps its E0", {0x1D, kE0, VK_RCONTROL, WM_KEYDOWN}, RawKeyEvent{0x11D, 17, true}},
      {"left control", {0x1D, 0, VK_LCONTROL, WM_KEYDOWN}, RawKeyEvent{0x1D, 17, true}},
      {"windows keys keep their sides", {0x5C, kE0, VK_RWIN, WM_KEYDOWN}, RawKeyEvent{0x15C, 92, true}},
      {"grey home is not pad 7", {0x47, kE0, VK_HOME, WM_KEYDOWN}, RawKeyEvent{0x147, VK_HOME, true}},
      {"no scan code: known by its virtual key", {0, 0, 'Q', WM_KEYDOWN}, RawKeyEvent{0x10000 | 'Q', 'Q', true}},
      {"faked shift around grey keys", {0x2A, kE0, VK_SHIFT, WM_KEYDOWN}, std::nullopt},
      {"faked right shift", {0x36, kE0 | kBreak, VK_SHIFT, WM_KEYUP}, std::nullopt},
      {"second half of pause", {0x45, 0, 0xFF, WM_KEYDOWN}, std::nullopt},
      {"no virtual key", {0x70, 0, 0, WM_KEYDOWN}, std::nullopt},
      {"not a key message", {0x1E, 0, 'A', WM_CHAR}, std::nullopt},
  };
  for (const RawCase& c : cases) EXPECT_EQ(KeyEventOfRawRecord(c.record), c.expected) << c.name;
}

TEST(WindowsRawKeyRecords, DeliverCountsKeyStatesLikeWindows) {
  Heard heard;
  const InputSink sink = heard.Sink();
  KeyPressTracker tracker;
  const RawKeyRecord records[] = {
      {0x1E, kBreak, 'A', WM_KEYUP},            // held before the start: dropped
      {0x2A, 0, VK_LSHIFT, WM_KEYDOWN},         // first press
      {0x1E, 0, 'A', WM_KEYDOWN},               // another key held: repeat
      {0x1E, 0, 'A', WM_KEYDOWN},               // typematic repeat
      {0x1E, kBreak, 'A', WM_KEYUP},            //
      {0x2A, kBreak, VK_LSHIFT, WM_KEYUP},      //
      {0x47, 0, VK_NUMPAD7, WM_KEYDOWN},        // Num Lock on at the press
      {0x47, kBreak, VK_HOME, WM_KEYUP},        // and off at the release
      {0x2A, kE0, VK_SHIFT, WM_KEYDOWN},        // faked: nothing
  };
  for (const RawKeyRecord& r : records) DeliverRawKey(r, tracker, sink);
  EXPECT_EQ(heard.events(), (std::vector<std::string>{"key 16 first", "key 65 repeat", "key 65 repeat",
                                                      "key 65 release", "key 16 release", "key 103 first",
                                                      "key 103 release"}));
}

struct HookCase {
  const char* name;
  UINT message;
  DWORD mouse_data;
  std::optional<HookButtonEvent> expected;
};

TEST(WindowsHookMessages, MapToTheMacroButtonsAndNotTheWheelOrMoves) {
  const HookCase cases[] = {
      {"left down", WM_LBUTTONDOWN, 0, HookButtonEvent{MacroMouseButton::kLeft, true}},
      {"left up", WM_LBUTTONUP, 0, HookButtonEvent{MacroMouseButton::kLeft, false}},
      {"right down", WM_RBUTTONDOWN, 0, HookButtonEvent{MacroMouseButton::kRight, true}},
      {"right up", WM_RBUTTONUP, 0, HookButtonEvent{MacroMouseButton::kRight, false}},
      {"middle down", WM_MBUTTONDOWN, 0, HookButtonEvent{MacroMouseButton::kMiddle, true}},
      {"middle up", WM_MBUTTONUP, 0, HookButtonEvent{MacroMouseButton::kMiddle, false}},
      {"X button 1 is backward", WM_XBUTTONDOWN, XBUTTON1 << 16, HookButtonEvent{MacroMouseButton::kBackward, true}},
      {"X button 1 up", WM_XBUTTONUP, XBUTTON1 << 16, HookButtonEvent{MacroMouseButton::kBackward, false}},
      {"X button 2 is forward", WM_XBUTTONDOWN, XBUTTON2 << 16, HookButtonEvent{MacroMouseButton::kForward, true}},
      {"X button 2 up", WM_XBUTTONUP, XBUTTON2 << 16, HookButtonEvent{MacroMouseButton::kForward, false}},
      {"X button of no number", WM_XBUTTONDOWN, 3u << 16, std::nullopt},
      {"wheel", WM_MOUSEWHEEL, 120u << 16, std::nullopt},
      {"horizontal wheel", WM_MOUSEHWHEEL, 120u << 16, std::nullopt},
      {"move", WM_MOUSEMOVE, 0, std::nullopt},
  };
  for (const HookCase& c : cases) EXPECT_EQ(ButtonEventOfHookMessage(c.message, c.mouse_data), c.expected) << c.name;
}

constexpr auto kPrompt = std::chrono::seconds(5);

TEST(WindowsInputCaptureLifetime, StartAndStopReturnPromptlyTwiceInARow) {
  WindowsInputCapture capture;
  EXPECT_TRUE(capture.HearsWholeDesktop());
  for (int round = 0; round < 2; ++round) {
    Heard heard;
    const auto before = std::chrono::steady_clock::now();
    const Status started = capture.Start(heard.Sink());
    ASSERT_TRUE(started.ok()) << started.error();
    // A second Start replaces the running capture.
    const Status restarted = capture.Start(heard.Sink());
    ASSERT_TRUE(restarted.ok()) << restarted.error();
    capture.Stop();
    capture.Stop();  // a Stop of a stopped capture does nothing
    EXPECT_LT(std::chrono::steady_clock::now() - before, kPrompt) << "round " << round;
  }
  // The destructor stops a running capture.
  auto running = std::make_unique<WindowsInputCapture>();
  ASSERT_TRUE(running->Start({}).ok());
  const auto before = std::chrono::steady_clock::now();
  running.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - before, kPrompt);
}

INPUT KeyInput(WORD virtual_key, WORD scan_code, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.wScan = scan_code;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  return input;
}

INPUT ButtonInput(DWORD flags, DWORD data = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  input.mi.mouseData = data;
  return input;
}

// Whether the tests run under Wine, whose desktop is the test's own;
// on a user's desktop the injected keys and clicks would land wherever
// the pointer is, so there they run only when asked for.
bool MayInjectInput() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr) return true;
  const char* asked = std::getenv("ZELKO_INJECT_INPUT_TESTS");
  return asked != nullptr && std::string(asked) == "1";
}

// Input the system injects goes through the hook and Raw Input as a
// device's would.
TEST(WindowsInputCaptureLive, HearsInjectedKeysAndButtonsButNotTheWheel) {
  if (!MayInjectInput()) GTEST_SKIP() << "injects input into the desktop; set ZELKO_INJECT_INPUT_TESTS=1";
  WindowsInputCapture capture;
  Heard heard;
  const Status started = capture.Start(heard.Sink());
  ASSERT_TRUE(started.ok()) << started.error();
  // Raw input is posted to the window while the hook is called as the
  // input happens, so keys and buttons sent together may interleave: the
  // buttons go once the keys are heard.
  INPUT keys[] = {KeyInput(VK_LSHIFT, 0x2A, true), KeyInput('A', 0x1E, true), KeyInput('A', 0x1E, false),
                  KeyInput(VK_LSHIFT, 0x2A, false)};
  ASSERT_EQ(SendInput(static_cast<UINT>(std::size(keys)), keys, sizeof(INPUT)), std::size(keys));
  EXPECT_TRUE(heard.WaitFor(std::size(keys), std::chrono::seconds(10)));
  INPUT buttons[] = {ButtonInput(MOUSEEVENTF_RIGHTDOWN), ButtonInput(MOUSEEVENTF_WHEEL, WHEEL_DELTA),
                     ButtonInput(MOUSEEVENTF_RIGHTUP), ButtonInput(MOUSEEVENTF_XDOWN, XBUTTON1),
                     ButtonInput(MOUSEEVENTF_XUP, XBUTTON1)};
  ASSERT_EQ(SendInput(static_cast<UINT>(std::size(buttons)), buttons, sizeof(INPUT)), std::size(buttons));
  const std::vector<std::string> expected = {"key 16 first",   "key 65 repeat", "key 65 release",
                                             "key 16 release", "RightKey down", "RightKey up",
                                             "Backward down",  "Backward up"};
  EXPECT_TRUE(heard.WaitFor(expected.size(), std::chrono::seconds(10)));
  capture.Stop();
  const std::vector<std::string> events = heard.events();
  EXPECT_EQ(events, expected);
}

TEST(WindowsDesktopInputCapture, IsTheRawInputCapture) {
  const auto capture = OpenDesktopInputCapture();
  ASSERT_NE(capture, nullptr);
  EXPECT_NE(dynamic_cast<WindowsInputCapture*>(capture.get()), nullptr);
}

}  // namespace
}  // namespace zelko
