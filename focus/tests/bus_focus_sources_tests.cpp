// The GNOME Shell and KWin sources against a private dbus-daemon, with a
// stand-in for GNOME Shell or KWin on the same bus; the test sends what the
// extension and the KWin script would send.
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <systemd/sd-bus.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "focus/bus_focus_listener.h"
#include "focus/focus_names.h"
#include "focus/gnome_shell_focus_source.h"
#include "focus/kwin_focus_source.h"
#include "focus/open_focus_source.h"
#include "focus/session_bus.h"
#include "focus/tests/private_session_bus.h"
#include "focus/wake_pipe.h"

namespace zelko {
namespace {

using namespace std::chrono_literals;
using testing_support::PrivateSessionBus;

const std::string kBusName(focus_names::kBusName);
const std::string kObjectPath(focus_names::kObjectPath);
const std::string kInterface(focus_names::kInterface);
const std::string kMethod(focus_names::kFocusChanged);

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline = 10s) {
  const auto until = std::chrono::steady_clock::now() + deadline;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

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
  bool WaitFor(const FocusedApp& app) const {
    return WaitUntil([&] {
      std::lock_guard lock(mutex_);
      return !apps_.empty() && apps_.back() == app;
    });
  }

 private:
  mutable std::mutex mutex_;
  std::vector<FocusedApp> apps_;
};

// A desktop's end of the bus (GNOME Shell or KWin): it owns the desktop's
// name and answers every call through `handler` on a thread of its own.
class BusStandIn {
 public:
  using Handler = std::function<int(sd_bus_message*)>;

  ~BusStandIn() {
    wake_.Wake();
    if (thread_.joinable()) thread_.join();
    slot_ = sd_bus_slot_unref(slot_);
  }

  void Serve(const std::string& address, const std::string& name, Handler handler) {
    handler_ = std::move(handler);
    auto bus = OpenSessionBus(address);
    ASSERT_TRUE(bus.ok()) << bus.error();
    bus_ = std::move(*bus);
    ASSERT_GE(sd_bus_add_fallback(bus_.get(), &slot_, "/", &BusStandIn::OnMessage, this), 0);
    ASSERT_GE(sd_bus_request_name(bus_.get(), name.c_str(), 0), 0);
    thread_ = std::thread([this] {
      for (;;) {
        int r = 0;
        do {
          r = sd_bus_process(bus_.get(), nullptr);
        } while (r > 0);
        if (r < 0) return;
        pollfd fds[2] = {{sd_bus_get_fd(bus_.get()), static_cast<short>(sd_bus_get_events(bus_.get())), 0},
                         {wake_.read_fd(), POLLIN, 0}};
        (void)poll(fds, 2, 100);
        if ((fds[1].revents & POLLIN) != 0) return;
      }
    });
  }

  // From the handler: a call to our switcher that does not wait for its
  // answer, as KWin's callDBus sends it.
  void SendFocusChanged(const char* app_id, double pid) {
    (void)sd_bus_call_method_async(bus_.get(), nullptr, kBusName.c_str(), kObjectPath.c_str(),
                                   kInterface.c_str(), kMethod.c_str(), nullptr, nullptr, "sd", app_id, pid);
  }

 private:
  static int OnMessage(sd_bus_message* message, void* self, sd_bus_error*) {
    std::uint8_t type = 0;
    if (sd_bus_message_get_type(message, &type) < 0 || type != SD_BUS_MESSAGE_METHOD_CALL) return 0;
    return static_cast<BusStandIn*>(self)->handler_(message);
  }

  BusPtr bus_;
  sd_bus_slot* slot_ = nullptr;
  Handler handler_;
  WakePipe wake_;
  std::thread thread_;
};

class BusFocusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto bus = PrivateSessionBus::Start();
    if (!bus) GTEST_SKIP() << "No dbus-daemon for this test: " << bus.error();
    bus_ = std::move(*bus);
    auto client = OpenSessionBus(bus_->address());
    ASSERT_TRUE(client.ok()) << client.error();
    client_ = std::move(*client);
  }

  // A call to the switcher as the extension or the script makes it: the
  // app id, then the pid in `pid_type` (none for 0).
  template <typename Pid>
  int CallFocusChanged(const char* app_id, char pid_type, Pid pid) {
    sd_bus_message* raw = nullptr;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    int r = sd_bus_message_new_method_call(client_.get(), &raw, kBusName.c_str(), kObjectPath.c_str(),
                                           kInterface.c_str(), kMethod.c_str());
    BusMessagePtr call(raw);
    if (r >= 0) r = sd_bus_message_append_basic(raw, 's', app_id);
    if (r >= 0 && pid_type != 0) r = sd_bus_message_append_basic(raw, pid_type, &pid);
    if (r >= 0) r = sd_bus_call(client_.get(), raw, 2'000'000, &error, nullptr);
    sd_bus_error_free(&error);
    return r;
  }

  bool NameOwned() { return BusNameHasOwner(client_.get(), kBusName); }

  std::unique_ptr<PrivateSessionBus> bus_;
  BusPtr client_;
  Heard heard_;
};

// GNOME Shell's GetExtensionInfo answer for our extension: {"state": d}
// (an empty dictionary for an extension Shell does not know).
int AnswerExtensionInfo(sd_bus_message* call, std::optional<double> state, std::string* asked_uuid) {
  if (sd_bus_message_is_method_call(call, "org.gnome.Shell.Extensions", "GetExtensionInfo") <= 0) return 0;
  const char* uuid = nullptr;
  if (sd_bus_message_read(call, "s", &uuid) < 0) return -EINVAL;
  if (asked_uuid != nullptr) *asked_uuid = uuid;
  sd_bus_message* reply = nullptr;
  int r = sd_bus_message_new_method_return(call, &reply);
  BusMessagePtr owned(reply);
  if (r >= 0) r = sd_bus_message_open_container(reply, 'a', "{sv}");
  if (r >= 0 && state) r = sd_bus_message_append(reply, "{sv}", "uuid", "s", uuid);
  if (r >= 0 && state) r = sd_bus_message_append(reply, "{sv}", "state", "d", *state);
  if (r >= 0) r = sd_bus_message_close_container(reply);
  if (r >= 0) r = sd_bus_send(nullptr, reply, nullptr);
  return r < 0 ? r : 1;
}

TEST(GnomeExtensionProblem, SaysWhatToDoForEachState) {
  EXPECT_EQ(GnomeExtensionProblem(1), "");
  const std::string enable = "`gnome-extensions enable zelko77-focus@zelko77.org`";
  EXPECT_EQ(GnomeExtensionProblem(2), "The GNOME Shell extension zelko77-focus@zelko77.org is not enabled: run " +
                                          enable + ".");
  EXPECT_NE(GnomeExtensionProblem(std::nullopt).find("log out and in once, then run " + enable),
            std::string::npos);
  EXPECT_NE(GnomeExtensionProblem(3).find("gnome-extensions info zelko77-focus@zelko77.org"), std::string::npos);
  EXPECT_NE(GnomeExtensionProblem(4).find("does not support this version"), std::string::npos);
  EXPECT_NE(GnomeExtensionProblem(6).find(enable), std::string::npos);
}

TEST_F(BusFocusTest, GnomeSourceHearsWhatTheExtensionSends) {
  std::string asked_uuid;
  BusStandIn shell;
  shell.Serve(bus_->address(), "org.gnome.Shell",
              [&](sd_bus_message* call) { return AnswerExtensionInfo(call, 1.0, &asked_uuid); });
  EXPECT_TRUE(GnomeShellFocusSource::ExtensionRuns(bus_->address()).ok());

  GnomeShellFocusSource source(bus_->address());
  const Status started = source.Start(heard_.Callback());
  ASSERT_TRUE(started.ok()) << started.error();
  EXPECT_EQ(asked_uuid, focus_names::kGnomeExtensionUuid);
  EXPECT_TRUE(NameOwned());

  ASSERT_GE(CallFocusChanged("org.gnome.TextEditor", 'u', std::uint32_t{77}), 0);
  ASSERT_GE(CallFocusChanged("steam_app_730", 'u', std::uint32_t{78}), 0);
  ASSERT_GE(CallFocusChanged("steam_app_730", 'u', std::uint32_t{78}), 0);
  ASSERT_GE(CallFocusChanged("", 'u', std::uint32_t{0}), 0);  // nothing has the focus
  ASSERT_TRUE(heard_.WaitFor({"", std::nullopt}));
  const std::vector<FocusedApp> expected = {{"org.gnome.TextEditor", 77}, {"steam_app_730", 78}, {"", std::nullopt}};
  EXPECT_EQ(heard_.apps(), expected);

  source.Stop();
  EXPECT_FALSE(NameOwned());
  EXPECT_LT(CallFocusChanged("late", 'u', std::uint32_t{1}), 0);
  EXPECT_EQ(heard_.apps().size(), expected.size());
}

TEST_F(BusFocusTest, GnomeSourceRefusesToStartWithoutTheExtensionAndSaysHowToEnableIt) {
  struct Case {
    const char* name;
    std::optional<double> state;
    std::string says;
  };
  const Case cases[] = {
      {"disabled", 2.0, "gnome-extensions enable zelko77-focus@zelko77.org"},
      {"unknown to Shell", std::nullopt, "log out and in once"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BusStandIn shell;
    shell.Serve(bus_->address(), "org.gnome.Shell",
                [&](sd_bus_message* call) { return AnswerExtensionInfo(call, c.state, nullptr); });
    const Status runs = GnomeShellFocusSource::ExtensionRuns(bus_->address());
    ASSERT_FALSE(runs.ok());
    EXPECT_NE(runs.error().find(c.says), std::string::npos) << runs.error();
    GnomeShellFocusSource source(bus_->address());
    const Status started = source.Start(heard_.Callback());
    ASSERT_FALSE(started.ok());
    EXPECT_EQ(started.error(), runs.error());
    EXPECT_FALSE(NameOwned());
  }
}

TEST_F(BusFocusTest, OnGnomeWaylandTheSwitcherIsToldInOneLineHowToEnableTheExtension) {
  setenv("DBUS_SESSION_BUS_ADDRESS", bus_->address().c_str(), 1);
  setenv("WAYLAND_DISPLAY", "wayland-0", 1);
  setenv("XDG_SESSION_TYPE", "wayland", 1);
  setenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME", 1);
  std::optional<double> state = 2.0;
  std::mutex mutex;
  BusStandIn shell;
  shell.Serve(bus_->address(), "org.gnome.Shell", [&](sd_bus_message* call) {
    std::lock_guard lock(mutex);
    return AnswerExtensionInfo(call, state, nullptr);
  });
  std::string line;
  EXPECT_EQ(OpenFocusSource(line), nullptr);
  EXPECT_EQ(line,
            "No focus source: The GNOME Shell extension zelko77-focus@zelko77.org is not enabled: run "
            "`gnome-extensions enable zelko77-focus@zelko77.org`.");
  {
    std::lock_guard lock(mutex);
    state = 1.0;
  }
  auto source = OpenFocusSource(line);
  ASSERT_NE(source, nullptr) << line;
  EXPECT_EQ(line, "Focus source: GNOME Shell on Wayland (the extension zelko77-focus@zelko77.org).");
}

TEST_F(BusFocusTest, GnomeSourceSaysWhenGnomeShellDoesNotAnswer) {
  GnomeShellFocusSource source(bus_->address());
  const Status started = source.Start(heard_.Callback());
  ASSERT_FALSE(started.ok());
  EXPECT_EQ(started.error().rfind("GNOME Shell does not answer on the session bus", 0), 0u) << started.error();
  EXPECT_FALSE(NameOwned());
}

// A stand-in for KWin's scripting interface: loadScript answers `load_id`,
// run on `run_path` runs "the script", which reports the active window
// (resource class "firefox", pid 4321) the way callDBus sends it.
struct KWinStandIn {
  std::int32_t load_id = 0;
  std::string run_path = "/Scripting/Script0";
  std::mutex mutex;
  std::vector<std::string> calls;  // "loadScript PATH NAME", "run PATH", "unloadScript NAME"
  BusStandIn bus;

  void Serve(const std::string& address) {
    bus.Serve(address, "org.kde.KWin", [this](sd_bus_message* call) { return Answer(call); });
  }
  std::vector<std::string> Calls() {
    std::lock_guard lock(mutex);
    return calls;
  }

 private:
  void Record(std::string call) {
    std::lock_guard lock(mutex);
    calls.push_back(std::move(call));
  }

  int Answer(sd_bus_message* call) {
    const std::string path = sd_bus_message_get_path(call);
    if (path == "/Scripting" && sd_bus_message_is_method_call(call, "org.kde.kwin.Scripting", "loadScript") > 0) {
      const char* file = nullptr;
      const char* name = nullptr;
      if (sd_bus_message_read(call, "ss", &file, &name) < 0) return -EINVAL;
      Record(std::string("loadScript ") + file + " " + name);
      return sd_bus_reply_method_return(call, "i", load_id);
    }
    if (path == "/Scripting" && sd_bus_message_is_method_call(call, "org.kde.kwin.Scripting", "unloadScript") > 0) {
      const char* name = nullptr;
      if (sd_bus_message_read(call, "s", &name) < 0) return -EINVAL;
      Record(std::string("unloadScript ") + name);
      return sd_bus_reply_method_return(call, "b", 1);
    }
    if (path == run_path && sd_bus_message_is_method_call(call, "org.kde.kwin.Script", "run") > 0) {
      Record("run " + path);
      bus.SendFocusChanged("firefox", 4321.0);
      return sd_bus_reply_method_return(call, "");
    }
    return 0;  // sd-bus answers UnknownObject or UnknownMethod
  }
};

struct KWinRunCase {
  const char* name;
  std::string run_path;
};

class KWinSourceTest : public BusFocusTest, public ::testing::WithParamInterface<KWinRunCase> {};

TEST_P(KWinSourceTest, LoadsAndRunsTheScriptHearsItAndUnloadsItAtStop) {
  const std::filesystem::path script = std::filesystem::path(::testing::TempDir()) / "zelko77-focus.js";
  std::ofstream(script) << "// stand-in\n";
  KWinStandIn kwin;
  kwin.load_id = 3;
  kwin.run_path = GetParam().run_path;
  kwin.Serve(bus_->address());
  EXPECT_TRUE(KWinFocusSource::KWinAnswers(bus_->address()).ok());

  KWinFocusSource source(script, bus_->address());
  const Status started = source.Start(heard_.Callback());
  ASSERT_TRUE(started.ok()) << started.error();
  EXPECT_TRUE(heard_.WaitFor({"firefox", 4321}));  // the window active when the script ran
  ASSERT_GE(CallFocusChanged("steam_app_730", 'd', 99.0), 0);
  EXPECT_TRUE(heard_.WaitFor({"steam_app_730", 99}));

  source.Stop();
  EXPECT_FALSE(NameOwned());
  const std::vector<std::string> calls = kwin.Calls();
  ASSERT_GE(calls.size(), 4u);
  EXPECT_EQ(calls.front(), "unloadScript zelko77-focus");  // a script a killed switcher left
  EXPECT_EQ(calls[1], "loadScript " + std::filesystem::absolute(script).string() + " zelko77-focus");
  EXPECT_EQ(calls.back(), "unloadScript zelko77-focus");
  EXPECT_NE(std::find(calls.begin(), calls.end(), "run " + GetParam().run_path), calls.end());
}

INSTANTIATE_TEST_SUITE_P(PlasmaVersions, KWinSourceTest,
                         ::testing::Values(KWinRunCase{"Plasma6", "/Scripting/Script3"},
                                           KWinRunCase{"Plasma5", "/3"}),
                         [](const ::testing::TestParamInfo<KWinRunCase>& info) { return info.param.name; });

TEST_F(BusFocusTest, KWinSourceFailsCleanlyWhenTheScriptIsRefusedOrMissing) {
  const std::filesystem::path script = std::filesystem::path(::testing::TempDir()) / "zelko77-focus.js";
  std::ofstream(script) << "// stand-in\n";
  {
    KWinFocusSource source(script, bus_->address());  // no KWin on the bus
    EXPECT_FALSE(KWinFocusSource::KWinAnswers(bus_->address()).ok());
    const Status started = source.Start(heard_.Callback());
    ASSERT_FALSE(started.ok());
    EXPECT_EQ(started.error().rfind("KWin does not load scripts over the session bus", 0), 0u) << started.error();
    EXPECT_FALSE(NameOwned());
  }
  KWinStandIn kwin;
  kwin.load_id = -1;
  kwin.Serve(bus_->address());
  {
    KWinFocusSource source(script, bus_->address());
    const Status started = source.Start(heard_.Callback());
    ASSERT_FALSE(started.ok());
    EXPECT_EQ(started.error(), "KWin refused the focus script " + std::filesystem::absolute(script).string() + ".");
    EXPECT_FALSE(NameOwned());
  }
  {
    KWinFocusSource source(std::filesystem::path(::testing::TempDir()) / "no-such-script.js", bus_->address());
    const Status started = source.Start(heard_.Callback());
    ASSERT_FALSE(started.ok());
    EXPECT_NE(started.error().find("is missing"), std::string::npos);
  }
}

TEST_F(BusFocusTest, ListenerTakesThePidInAnyNumberTypeOrNone) {
  BusFocusListener listener(bus_->address());
  ASSERT_TRUE(listener.Open().ok());
  ASSERT_TRUE(listener.Start(heard_.Callback(), nullptr).ok());
  EXPECT_GE(CallFocusChanged("u32", 'u', std::uint32_t{11}), 0);
  EXPECT_GE(CallFocusChanged("i32", 'i', std::int32_t{12}), 0);
  EXPECT_GE(CallFocusChanged("i64", 'x', std::int64_t{13}), 0);
  EXPECT_GE(CallFocusChanged("double", 'd', 14.0), 0);
  EXPECT_GE(CallFocusChanged("none", 0, 0), 0);
  EXPECT_GE(CallFocusChanged("negative", 'i', std::int32_t{-1}), 0);
  EXPECT_GE(CallFocusChanged("zero", 'd', 0.0), 0);
  ASSERT_TRUE(heard_.WaitFor({"zero", std::nullopt}));
  const std::vector<FocusedApp> expected = {{"u32", 11},           {"i32", 12},
                                            {"i64", 13},           {"double", 14},
                                            {"none", std::nullopt}, {"negative", std::nullopt},
                                            {"zero", std::nullopt}};
  EXPECT_EQ(heard_.apps(), expected);

  // Not a string first: refused, nothing heard.
  sd_bus_error error = SD_BUS_ERROR_NULL;
  const int r = sd_bus_call_method(client_.get(), kBusName.c_str(), kObjectPath.c_str(), kInterface.c_str(),
                                   kMethod.c_str(), &error, nullptr, "i", 5);
  EXPECT_LT(r, 0);
  EXPECT_TRUE(sd_bus_error_has_name(&error, SD_BUS_ERROR_INVALID_ARGS));
  sd_bus_error_free(&error);
  EXPECT_EQ(heard_.apps().size(), expected.size());
}

TEST_F(BusFocusTest, ASecondListenerIsToldTheNameIsTaken) {
  BusFocusListener first(bus_->address());
  ASSERT_TRUE(first.Open().ok());
  BusFocusListener second(bus_->address());
  const Status opened = second.Open();
  ASSERT_FALSE(opened.ok());
  EXPECT_EQ(opened.error(),
            "Another program follows the focus already: org.zelko77.Focus is taken on the session bus.");
}

TEST_F(BusFocusTest, ListenerSaysWhenTheBusWentAwayAndStillStops) {
  std::mutex mutex;
  std::vector<std::string> ends;
  BusFocusListener listener(bus_->address());
  ASSERT_TRUE(listener.Open().ok());
  ASSERT_TRUE(listener
                  .Start(heard_.Callback(),
                         [&](const std::string& reason) {
                           std::lock_guard lock(mutex);
                           ends.push_back(reason);
                         })
                  .ok());
  client_.reset();
  bus_.reset();  // the daemon ends
  EXPECT_TRUE(WaitUntil([&] {
    std::lock_guard lock(mutex);
    return !ends.empty();
  }));
  {
    std::lock_guard lock(mutex);
    EXPECT_EQ(ends, std::vector<std::string>{"The session bus closed the connection."});
  }
  const auto before = std::chrono::steady_clock::now();
  listener.Close();
  EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
}

TEST_F(BusFocusTest, StopsPromptlyWhileCallsArriveAndReportsNothingAfter) {
  std::atomic<bool> stopped{false};
  std::atomic<int> after_stop{0};
  std::atomic<int> reports{0};
  BusFocusListener listener(bus_->address());
  ASSERT_TRUE(listener.Open().ok());
  ASSERT_TRUE(listener
                  .Start(
                      [&](const FocusedApp&) {
                        if (stopped) ++after_stop;
                        ++reports;
                      },
                      nullptr)
                  .ok());
  std::atomic<bool> keep_going{true};
  std::thread desktop([&, address = bus_->address()] {
    auto bus = OpenSessionBus(address);
    if (!bus) return;
    for (int i = 0; keep_going; ++i) {
      (void)sd_bus_call_method_async(bus->get(), nullptr, kBusName.c_str(), kObjectPath.c_str(), kInterface.c_str(),
                                     kMethod.c_str(), nullptr, nullptr, "su", i % 2 == 0 ? "classA" : "classB",
                                     static_cast<std::uint32_t>(i % 2 + 1));
      (void)sd_bus_flush(bus->get());
    }
  });
  ASSERT_TRUE(WaitUntil([&] { return reports >= 20; }));
  const auto before = std::chrono::steady_clock::now();
  listener.Stop();
  stopped = true;
  EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
  listener.Close();
  keep_going = false;
  desktop.join();
  EXPECT_EQ(after_stop, 0);
}

}  // namespace
}  // namespace zelko
