#include "focus/x11_focus_source.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "focus/open_focus_source.h"
#include "macros/tests/x_test_server.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#undef Status

namespace zelko {
namespace {

using namespace std::chrono_literals;
using testing_support::WaitUntil;
using testing_support::XTestServer;

constexpr std::uint32_t kPidA = 4242;
constexpr std::uint32_t kPidB = 4343;

TEST(WmClassProperty, TheClassIsTheSecondName) {
  using namespace std::string_literals;
  EXPECT_EQ(ClassOfWmClass("steam_app_730\0steam_app_730\0"s), "steam_app_730");
  EXPECT_EQ(ClassOfWmClass("navigator\0Firefox\0"s), "Firefox");
  EXPECT_EQ(ClassOfWmClass("navigator\0Firefox"s), "Firefox");  // no closing nul
  EXPECT_EQ(ClassOfWmClass("navigator\0"s), "");
  EXPECT_EQ(ClassOfWmClass("navigator"s), "");
  EXPECT_EQ(ClassOfWmClass(""s), "");
}

TEST(X11FocusSourceWithoutServer, StartSaysTheDisplayDoesNotOpen) {
  X11FocusSource source(":31998");
  EXPECT_FALSE(X11FocusSource::ServerAnswers(":31998"));
  const Status started = source.Start([](const FocusedApp&) {});
  ASSERT_FALSE(started.ok());
  EXPECT_EQ(started.error(), "The X display \":31998\" does not open.");
  source.Stop();  // nothing to stop
}

// What the source reported, in order, from its thread.
class Heard {
 public:
  FocusCallback Callback() {
    return [this](const FocusedApp& app) {
      std::lock_guard lock(mutex_);
      apps_.push_back(app);
    };
  }
  std::vector<FocusedApp> apps() const {
    std::lock_guard lock(mutex_);
    return apps_;
  }
  std::optional<FocusedApp> last() const {
    std::lock_guard lock(mutex_);
    if (apps_.empty()) return std::nullopt;
    return apps_.back();
  }
  bool WaitFor(const FocusedApp& app) const {
    return WaitUntil([&] { return last() == app; }, 10s);
  }

 private:
  mutable std::mutex mutex_;
  std::vector<FocusedApp> apps_;
};

// Two client windows of different classes on a private Xvfb, no window
// manager; the test plays the window manager where one is needed.
class X11FocusSourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto server = XTestServer::Start();
    if (!server) GTEST_SKIP() << "No X server for this test: " << server.error();
    server_ = std::move(*server);
    display_ = XOpenDisplay(server_->display().c_str());
    ASSERT_NE(display_, nullptr);
    root_ = DefaultRootWindow(display_);
    net_active_window_ = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
    window_a_ = MakeWindow("classA", kPidA);
    window_b_ = MakeWindow("classB", kPidB);
    XSync(display_, False);
  }

  void TearDown() override {
    if (source_) source_->Stop();
    if (display_ != nullptr) XCloseDisplay(display_);
  }

  Window MakeWindow(const char* wm_class, std::uint32_t pid) {
    const Window window = XCreateSimpleWindow(display_, root_, 10, 10, 100, 100, 0, 0, 0);
    std::string instance = std::string(wm_class) + "-instance";
    XClassHint hint{instance.data(), const_cast<char*>(wm_class)};
    XSetClassHint(display_, window, &hint);
    const long pid_value = pid;  // format 32 travels as long in Xlib
    XChangeProperty(display_, window, XInternAtom(display_, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid_value), 1);
    XMapWindow(display_, window);
    return window;
  }

  // As a window manager does when it activates a window.
  void SetActiveWindow(Display* display, Window window) {
    const long value = static_cast<long>(window);
    XChangeProperty(display, DefaultRootWindow(display), net_active_window_, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&value), 1);
    XFlush(display);
  }

  bool HasXdotool() {
    const Result<int> probe = server_->Run({"xdotool", "version"});
    return probe.ok() && *probe == 0;
  }

  void Xdotool(const std::string& command, Window window) {
    const Result<int> status = server_->Run({"xdotool", command, std::to_string(window)});
    ASSERT_TRUE(status.ok()) << status.error();
    ASSERT_EQ(*status, 0) << "xdotool " << command;
  }

  void StartSource() {
    source_ = std::make_unique<X11FocusSource>(server_->display());
    const Status started = source_->Start(heard_.Callback());
    ASSERT_TRUE(started.ok()) << started.error();
  }

  std::unique_ptr<XTestServer> server_;
  Display* display_ = nullptr;
  Window root_ = 0;
  Atom net_active_window_ = 0;
  Window window_a_ = 0;
  Window window_b_ = 0;
  std::unique_ptr<X11FocusSource> source_;
  Heard heard_;
};

TEST_F(X11FocusSourceTest, IsTheSourceOfAnX11SessionAndOfNoDeadDisplay) {
  for (const char* name : {"WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "XDG_CURRENT_DESKTOP"}) unsetenv(name);
  setenv("DISPLAY", server_->display().c_str(), 1);
  std::string line;
  auto source = OpenFocusSource(line);
  ASSERT_NE(source, nullptr) << line;
  EXPECT_EQ(line, "Focus source: X11 display " + server_->display() +
                      " (the window manager's active window, or the input focus without one).");
  Heard heard;
  ASSERT_TRUE(source->Start(heard.Callback()).ok());
  EXPECT_TRUE(heard.WaitFor({"", std::nullopt}));
  source->Stop();

  setenv("DISPLAY", ":31997", 1);
  EXPECT_EQ(OpenFocusSource(line), nullptr);
  EXPECT_EQ(line, "No focus source: the X display \":31997\" does not answer.");
}

TEST_F(X11FocusSourceTest, WithoutWindowManagerFollowsTheInputFocusToItsTopLevelWindow) {
  if (!HasXdotool()) GTEST_SKIP() << "No xdotool for this test";
  const Window inside_a = XCreateSimpleWindow(display_, window_a_, 5, 5, 20, 20, 0, 0, 0);  // no class of its own
  XMapWindow(display_, inside_a);
  XSync(display_, False);
  StartSource();

  Xdotool("windowfocus", window_a_);
  EXPECT_TRUE(heard_.WaitFor({"classA", kPidA}));
  Xdotool("windowfocus", window_b_);
  EXPECT_TRUE(heard_.WaitFor({"classB", kPidB}));
  Xdotool("windowfocus", inside_a);
  EXPECT_TRUE(heard_.WaitFor({"classA", kPidA}));
  XSetInputFocus(display_, PointerRoot, RevertToPointerRoot, CurrentTime);
  XFlush(display_);
  EXPECT_TRUE(heard_.WaitFor({"", std::nullopt}));
}

TEST_F(X11FocusSourceTest, FollowsTheActiveWindowAWindowManagerSets) {
  SetActiveWindow(display_, window_a_);
  StartSource();
  EXPECT_TRUE(heard_.WaitFor({"classA", kPidA}));  // the window in front at start
  SetActiveWindow(display_, window_b_);
  EXPECT_TRUE(heard_.WaitFor({"classB", kPidB}));
  SetActiveWindow(display_, None);
  EXPECT_TRUE(heard_.WaitFor({"", std::nullopt}));
  SetActiveWindow(display_, window_a_);
  EXPECT_TRUE(heard_.WaitFor({"classA", kPidA}));
  // With a window manager the input focus no longer counts.
  XSetInputFocus(display_, window_b_, RevertToPointerRoot, CurrentTime);
  XSync(display_, False);
  std::this_thread::sleep_for(300ms);  // three of the source's polls, if it still polled
  EXPECT_EQ(heard_.last(), (FocusedApp{"classA", kPidA}));
  const std::vector<FocusedApp> each_once = {
      {"classA", kPidA}, {"classB", kPidB}, {"", std::nullopt}, {"classA", kPidA}};
  EXPECT_EQ(heard_.apps(), each_once);
}

// xdotool windowactivate asks the window manager (a client message to the
// root window); the test answers as one by setting _NET_ACTIVE_WINDOW.
TEST_F(X11FocusSourceTest, FollowsWindowactivateThroughTheWindowManager) {
  if (!HasXdotool()) GTEST_SKIP() << "No xdotool for this test";
  const long supported = static_cast<long>(net_active_window_);
  XChangeProperty(display_, root_, XInternAtom(display_, "_NET_SUPPORTED", False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&supported), 1);
  XSelectInput(display_, root_, SubstructureRedirectMask);
  SetActiveWindow(display_, None);
  XSync(display_, False);
  StartSource();

  const auto activate = [&](Window window) {
    Xdotool("windowactivate", window);
    const bool asked = WaitUntil(
        [&] {
          while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == ClientMessage && event.xclient.message_type == net_active_window_) {
              SetActiveWindow(display_, event.xclient.window);
              return true;
            }
          }
          return false;
        },
        10s);
    ASSERT_TRUE(asked) << "no _NET_ACTIVE_WINDOW request reached the window manager";
  };
  activate(window_b_);
  EXPECT_TRUE(heard_.WaitFor({"classB", kPidB}));
  activate(window_a_);
  EXPECT_TRUE(heard_.WaitFor({"classA", kPidA}));
}

TEST_F(X11FocusSourceTest, StopsPromptlyWhileChangesArriveAndReportsNothingAfter) {
  std::atomic<bool> stopped{false};
  std::atomic<int> after_stop{0};
  std::atomic<int> reports{0};
  source_ = std::make_unique<X11FocusSource>(server_->display());
  ASSERT_TRUE(source_
                  ->Start([&](const FocusedApp&) {
                    if (stopped) ++after_stop;
                    ++reports;
                  })
                  .ok());
  std::atomic<bool> keep_going{true};
  std::thread window_manager([&] {
    Display* own = XOpenDisplay(server_->display().c_str());
    if (own == nullptr) return;
    for (int i = 0; keep_going; ++i) SetActiveWindow(own, i % 2 == 0 ? window_a_ : window_b_);
    XCloseDisplay(own);
  });
  ASSERT_TRUE(WaitUntil([&] { return reports >= 20; }, 10s));
  const auto before = std::chrono::steady_clock::now();
  source_->Stop();
  stopped = true;
  EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
  keep_going = false;
  window_manager.join();
  EXPECT_EQ(after_stop, 0);
}

TEST_F(X11FocusSourceTest, SaysWhenTheServerWentAwayAndStillStops) {
  std::mutex mutex;
  std::vector<std::string> ends;
  source_ = std::make_unique<X11FocusSource>(server_->display());
  ASSERT_TRUE(source_
                  ->Start(heard_.Callback(),
                          [&](const std::string& reason) {
                            std::lock_guard lock(mutex);
                            ends.push_back(reason);
                          })
                  .ok());
  ASSERT_TRUE(heard_.WaitFor({"", std::nullopt}));
  XCloseDisplay(display_);
  display_ = nullptr;
  server_->Kill();
  EXPECT_TRUE(WaitUntil([&] {
    std::lock_guard lock(mutex);
    return !ends.empty();
  }));
  {
    std::lock_guard lock(mutex);
    EXPECT_EQ(ends, std::vector<std::string>{"The X server closed the connection to the display."});
  }
  const auto before = std::chrono::steady_clock::now();
  source_->Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
}

}  // namespace
}  // namespace zelko
