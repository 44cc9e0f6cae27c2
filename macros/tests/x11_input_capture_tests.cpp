#include "macros/x11_input_capture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "base/clock.h"
#include "macros/keysym_virtual_keys.h"
#include "macros/macro_lines.h"
#include "macros/macro_name_codec.h"
#include "macros/tests/heard_input.h"
#include "macros/tests/macro_test_support.h"
#include "macros/tests/x_test_server.h"
#include "test_support/scoped_environment.h"

#include <X11/Xlib.h>
#undef Status

namespace zelko {
namespace {

using testing_support::Heard;
using testing_support::WaitUntil;
using testing_support::ScopedEnvironment;
using testing_support::XTestServer;

TEST(KeysymTableNames, EveryRowIsTheKeysymItsNameSays) {
  for (const KeysymRow& row : KeysymVirtualKeyTable()) {
    EXPECT_EQ(XStringToKeysym(std::string(row.keysym_name).c_str()), row.keysym) << row.keysym_name;
  }
}

TEST(XPointerButtons, MapToTheMacroButtonsAndNotTheWheel) {
  const std::vector<std::optional<MacroMouseButton>> expected = {
      std::nullopt,                 // 0: no button
      MacroMouseButton::kLeft,      // 1
      MacroMouseButton::kMiddle,    // 2
      MacroMouseButton::kRight,     // 3
      std::nullopt, std::nullopt,   // 4, 5: wheel up, down
      std::nullopt, std::nullopt,   // 6, 7: wheel left, right
      MacroMouseButton::kBackward,  // 8: X button 1
      MacroMouseButton::kForward,   // 9: X button 2
      std::nullopt,                 // 10
  };
  for (std::uint32_t b = 0; b < expected.size(); ++b) EXPECT_EQ(MacroButtonOfXButton(b), expected[b]) << b;
}

TEST(X11InputCaptureWithoutServer, StartSaysTheDisplayDoesNotOpen) {
  X11InputCapture capture(":31999");
  EXPECT_FALSE(X11InputCapture::Available(":31999"));
  const Status started = capture.Start({});
  ASSERT_FALSE(started.ok());
  EXPECT_EQ(started.error(), "The X display \":31999\" does not open.");
  capture.Stop();  // a Stop without a running capture does nothing
}

class X11InputCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto server = XTestServer::Start();
    if (!server) GTEST_SKIP() << "No X server for this test: " << server.error();
    server_ = std::move(*server);
    ASSERT_TRUE(X11InputCapture::Available(server_->display()));
    // One run first, so that a missing xdotool skips instead of failing.
    const Result<int> probe = server_->Run({"xdotool", "version"});
    if (!probe) GTEST_SKIP() << "No xdotool for this test: " << probe.error();
  }

  void Xdotool(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    const Result<int> status = server_->Run(argv);
    ASSERT_TRUE(status.ok()) << status.error();
    ASSERT_EQ(*status, 0) << "xdotool " << args.front();
  }

  static void ExpectStarted(const Status& started) { EXPECT_TRUE(started.ok()) << started.error(); }

  std::unique_ptr<XTestServer> server_;
};

TEST_F(X11InputCaptureTest, HearsAKeyAndTheRightButtonInOrder) {
  X11InputCapture capture(server_->display());
  Heard heard;
  ExpectStarted(capture.Start(heard.Sink()));
  Xdotool({"key", "a"});
  Xdotool({"click", "3"});
  Xdotool({"click", "4"});  // the wheel is not a button of a macro
  Xdotool({"mousemove", "100", "100"});  // nor is pointer motion
  Xdotool({"click", "8"});
  EXPECT_TRUE(WaitUntil([&] { return heard.size() >= 6; }));
  capture.Stop();
  EXPECT_EQ(heard.events(), (std::vector<std::string>{"key 65 first", "key 65 release", "RightKey down",
                                                      "RightKey up", "Backward down", "Backward up"}));
}

TEST_F(X11InputCaptureTest, NothingReachesASinkAfterStopAndStartCanRunAgain) {
  X11InputCapture capture(server_->display());
  Heard first;
  ExpectStarted(capture.Start(first.Sink()));
  Xdotool({"key", "a"});
  EXPECT_TRUE(WaitUntil([&] { return first.size() >= 2; }));
  capture.Stop();
  Xdotool({"key", "b"});  // after the stop: heard by nobody

  Heard second;
  ExpectStarted(capture.Start(second.Sink()));
  Heard third;
  ExpectStarted(capture.Start(third.Sink()));  // replaces the sink
  Xdotool({"key", "c"});
  EXPECT_TRUE(WaitUntil([&] { return third.size() >= 2; }));
  EXPECT_EQ(first.events(), (std::vector<std::string>{"key 65 first", "key 65 release"}));
  EXPECT_TRUE(second.events().empty());
  EXPECT_EQ(third.events(), (std::vector<std::string>{"key 67 first", "key 67 release"}));
  // The destructor stops the running capture.
}

// Keys of the server's own keyboard mapping, read at Start; the pad keys
// also ask for Num Lock, which a fresh server has off.
TEST_F(X11InputCaptureTest, KeysOfTheServersMappingGiveTheirVirtualKeys) {
  struct Case {
    const char* keysym_name;
    int virtual_key;
  };
  const Case cases[] = {
      {"Return", 13},      {"space", 32},   {"F12", 123}, {"bracketleft", 219},   {"Super_L", 91},
      {"KP_Divide", 111},  {"KP_Home", 36}, {"Next", 34}, {"XF86AudioMute", 173},
  };
  X11InputCapture capture(server_->display());
  Heard heard;
  ExpectStarted(capture.Start(heard.Sink()));
  std::vector<std::string> expected;
  for (const Case& c : cases) {
    Xdotool({"key", c.keysym_name});
    expected.push_back("key " + std::to_string(c.virtual_key) + " first");
    expected.push_back("key " + std::to_string(c.virtual_key) + " release");
    EXPECT_TRUE(WaitUntil([&] { return heard.size() >= expected.size(); })) << c.keysym_name;
  }
  capture.Stop();
  EXPECT_EQ(heard.events(), expected);
}

// A new layout reaches the capture while it runs; on a German board the
// letters go by the layout and the other keys by their place.
TEST_F(X11InputCaptureTest, LayoutChangedWhileCapturingIsFollowed) {
  X11InputCapture capture(server_->display());
  Heard heard;
  ExpectStarted(capture.Start(heard.Sink()));
  const Result<int> layout = server_->Run({"setxkbmap", "-layout", "de"});
  if (!layout || *layout != 0) GTEST_SKIP() << "setxkbmap cannot set a German layout: " << layout.error();
  Xdotool({"key", "z"});           // where a US board has Y
  Xdotool({"key", "udiaeresis"});  // where a US board has [
  Xdotool({"key", "ssharp"});      // where a US board has -
  EXPECT_TRUE(WaitUntil([&] { return heard.size() >= 6; }));
  capture.Stop();
  EXPECT_EQ(heard.events(), (std::vector<std::string>{"key 90 first", "key 90 release", "key 219 first",
                                                      "key 219 release", "key 189 first", "key 189 release"}));
}

// B pressed twice while A is held: the second press follows B's release,
// so it is a first press again and the recorder keeps it.
TEST_F(X11InputCaptureTest, SecondKeyWhileOneIsHeldGivesTheStatesTheRecorderExpects) {
  X11InputCapture capture(server_->display());
  Heard heard;
  ExpectStarted(capture.Start(heard.Sink()));
  Xdotool({"keydown", "a"});
  Xdotool({"key", "b"});
  Xdotool({"key", "b"});
  Xdotool({"keyup", "a"});
  EXPECT_TRUE(WaitUntil([&] { return heard.size() >= 6; }));
  capture.Stop();
  EXPECT_EQ(heard.events(), (std::vector<std::string>{"key 65 first", "key 66 repeat", "key 66 release",
                                                      "key 66 first", "key 66 release", "key 65 release"}));
}

TEST_F(X11InputCaptureTest, ServerGoingAwayEndsTheCaptureWithoutEndingTheProgram) {
  X11InputCapture capture(server_->display());
  Heard heard;
  ExpectStarted(capture.Start(heard.Sink()));
  server_->Kill();
  capture.Stop();  // returns: the reader has seen the connection close
  EXPECT_TRUE(heard.events().empty());
  // A new Start does not reuse the dead connection: the display is gone
  // (its number stays held by this test, so no other server answers there).
  const Status again = capture.Start(heard.Sink());
  EXPECT_FALSE(again.ok());
  if (again.ok()) capture.Stop();
}

TEST_F(X11InputCaptureTest, RecorderFedByTheCaptureHoldsTheKeyAndTheButtonWithDelays) {
  PCMacroLibrary library;
  library.names[0] = MacroNameStrToUnicode("m");
  MacroEditor editor(library, [](const PCMacroLibrary&) { return true; });
  editor.Open(0);
  editor.delay_options().page_mode = DelayMode::kRecorded;
  SystemClock clock;
  MacroRecorder recorder(editor, clock);
  X11InputCapture capture(server_->display());
  ExpectStarted(capture.Start({[&](int vk, KeyState state) { recorder.TakeKey(vk, state); },
                               [&](MacroMouseButton button, bool pressed) { recorder.TakeMouseButton(button, pressed); }}));
  ASSERT_TRUE(recorder.StartNormal());
  Xdotool({"key", "a"});
  Xdotool({"click", "3"});
  const auto events = [&] {
    MacroLines kept;
    for (const std::string& line : editor.lines()) {
      if (line.rfind("0 ", 0) != 0) kept.push_back(line);
    }
    return kept;
  };
  EXPECT_TRUE(WaitUntil([&] {
    recorder.ProcessPending();
    return events().size() >= 5;
  }));
  capture.Stop();
  EXPECT_EQ(recorder.StopNormal(), EditOutcome::kDone);

  const MacroLines stored = ContentToMacroLines(library.contents[0]).lines;
  MacroLines stored_events;
  int delay_lines = 0;
  for (const std::string& line : stored) {
    if (line.rfind("0 ", 0) == 0) {
      ++delay_lines;
    } else {
      stored_events.push_back(line);
    }
  }
  EXPECT_EQ(stored_events, (MacroLines{"10", "1 A CODE:8204", "2 A CODE:0204", "1 RightKey CODE:00A2",
                                       "2 RightKey CODE:0022"}));
  // A key event always has its delay line after the first event; the
  // button's lines come when time has passed between the events.
  EXPECT_GE(delay_lines, 1);
  EXPECT_EQ(stored[2].rfind("0 ", 0), 0u) << "a delay line stands between A's press and release";
}

TEST_F(X11InputCaptureTest, DesktopCaptureIsOfferedOnlyWhereXHearsTheWholeDesktop) {
  struct Case {
    const char* name;
    const char* display;
    const char* wayland_display;
    const char* session_type;
    bool offered;
  };
  const std::string ours = server_->display();
  const Case cases[] = {
      {"XSession", ours.c_str(), nullptr, "x11", true},
      {"XWaylandUnderAWaylandCompositor", ours.c_str(), "wayland-0", "wayland", false},
      {"WaylandSessionTypeAlone", ours.c_str(), nullptr, "wayland", false},
      {"NoDisplay", nullptr, nullptr, nullptr, false},
      {"DisplayThatDoesNotOpen", ":31999", nullptr, nullptr, false},
  };
  for (const Case& c : cases) {
    ScopedEnvironment environment;
    environment.Set("DISPLAY", c.display);
    environment.Set("WAYLAND_DISPLAY", c.wayland_display);
    environment.Set("XDG_SESSION_TYPE", c.session_type);
    const std::unique_ptr<InputCapture> capture = OpenDesktopInputCapture();
    EXPECT_EQ(capture != nullptr, c.offered) << c.name;
    if (!capture) continue;
    EXPECT_TRUE(capture->HearsWholeDesktop()) << c.name;
    Heard heard;
    ExpectStarted(capture->Start(heard.Sink()));
    Xdotool({"key", "a"});
    EXPECT_TRUE(WaitUntil([&] { return heard.size() >= 2; })) << c.name;
  }
}

}  // namespace
}  // namespace zelko
