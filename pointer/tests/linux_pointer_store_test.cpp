#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <fstream>
#include <map>
#include <sstream>

#include "base/clock.h"
#include "pointer/linux_pointer_store.h"
#include "pointer/pointer_parameters.h"
#include "pointer/settings_file.h"

namespace zelko {
namespace {

// gsettings as a map of keys; `refuse_writes` models a session where "set"
// exits 0 but nothing changes.
class FakeGsettings final : public CommandRunner {
 public:
  bool has_schema = true;
  bool refuse_writes = false;
  std::map<std::string, std::string> values = {
      {"speed", "0.0"}, {"accel-profile", "'flat'"}, {"double-click", "400"}};
  std::vector<std::string> commands;

  CommandResult Run(const std::vector<std::string>& argv, std::uint32_t) override {
    std::string line;
    for (const auto& a : argv) line += (line.empty() ? "" : " ") + a;
    commands.push_back(line);
    CommandResult r;
    r.started = true;
    r.exit_code = 0;
    const std::string& verb = argv.at(1);
    if (verb == "list-schemas") {
      r.output = has_schema ? "org.gnome.desktop.interface\norg.gnome.desktop.peripherals.mouse\n"
                            : "org.gnome.desktop.interface\n";
    } else if (verb == "list-keys") {
      for (const auto& [k, v] : values) r.output += k + "\n";
    } else if (verb == "get") {
      r.output = values.at(argv.at(3)) + "\n";
    } else if (verb == "set") {
      if (!refuse_writes) values[argv.at(3)] = argv.at(4);
    }
    return r;
  }
};

class LinuxStore : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("zelko-pointer-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    file_ = dir_ / "zelko77" / "pointer.ini";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::filesystem::path dir_;
  std::filesystem::path file_;
  FakeGsettings gsettings_;
};

TEST_F(LinuxStore, KeepsTheSixValuesUnderTheirRegistryNamesAndReportsWhatGnomeTook) {
  LinuxPointerStore store(file_, gsettings_);
  PointerParameters params;
  SetSpeedLevel(params, 11);
  SetPrecision(params, true);
  SetDoubleClickLevel(params, 7);
  SetScrollLevel(params, 5);
  const auto report = WriteAndApplyPointerParameters(store, params);

  const auto sections = LoadSettingsFile(file_);
  ASSERT_TRUE(sections);
  const auto& mouse = sections->at("Control Panel\\Mouse");
  EXPECT_EQ(mouse.at("MouseSensitivity"), "20");
  EXPECT_EQ(mouse.at("MouseSpeed"), "1");
  EXPECT_EQ(mouse.at("MouseThreshold1"), "6");
  EXPECT_EQ(mouse.at("MouseThreshold2"), "10");
  EXPECT_EQ(mouse.at("DoubleClickSpeed"), "480");
  EXPECT_EQ(sections->at("Control Panel\\Desktop").at("WheelScrollLines"), "5");
  EXPECT_TRUE(report.all_stored());

  EXPECT_DOUBLE_EQ(std::stod(gsettings_.values["speed"]), 1.0);
  EXPECT_EQ(gsettings_.values["accel-profile"], "'adaptive'");
  EXPECT_EQ(gsettings_.values["double-click"], "480");
  std::map<std::string, ApplyOutcome> applied;
  for (const auto& s : report.settings) {
    if (s.applied) applied[s.name] = *s.applied;
  }
  EXPECT_EQ(applied.at("MouseSensitivity"), ApplyOutcome::Taken);
  EXPECT_EQ(applied.at("MouseSpeed"), ApplyOutcome::Taken);
  EXPECT_EQ(applied.at("DoubleClickSpeed"), ApplyOutcome::Taken);
  EXPECT_EQ(applied.at("WheelScrollLines"), ApplyOutcome::NoPlace);

  // What was kept comes back on the next read.
  LinuxPointerStore again(file_, gsettings_);
  EXPECT_EQ(ReadPointerParameters(again, {}), params);
}

TEST_F(LinuxStore, ASetThatDoesNotReadBackIsAFailure) {
  gsettings_.refuse_writes = true;
  LinuxPointerStore store(file_, gsettings_);
  EXPECT_EQ(store.ApplyDoubleClickTime(900), ApplyOutcome::Failed);
}

TEST_F(LinuxStore, WithoutTheSchemaNothingIsAppliedButEverythingIsKept) {
  gsettings_.has_schema = false;
  LinuxPointerStore store(file_, gsettings_);
  const auto report = WriteAndApplyPointerParameters(store, PointerParameters{});
  for (const auto& s : report.settings) {
    if (s.applied) {
      EXPECT_EQ(*s.applied, ApplyOutcome::NoPlace) << s.name;
    }
  }
  EXPECT_TRUE(report.all_stored());
  for (const auto& c : gsettings_.commands) EXPECT_EQ(c.find(" set "), std::string::npos) << c;
}

TEST_F(LinuxStore, AFirstReadTakesTheDesktopsCurrentSettings) {
  gsettings_.values["speed"] = "-0.5";
  LinuxPointerStore store(file_, gsettings_);
  const auto params = ReadPointerParameters(store, {});
  EXPECT_EQ(params.speed_level, 3);  // speed 5
  EXPECT_FALSE(params.precision_on());
  EXPECT_EQ(params.double_click_level, 9);  // 400 ms
  EXPECT_EQ(params.scroll_level, 3);        // fallback
}

TEST_F(LinuxStore, AFileThatCannotBeWrittenIsReportedAndTheOldOneStays) {
  std::filesystem::create_directories(file_.parent_path());
  std::ofstream(file_) << "[Control Panel\\Desktop]\nWheelScrollLines=7\n";
  // A folder where the temporary file should go cannot be created.
  LinuxPointerStore store(file_ / "inside-a-file", gsettings_);
  EXPECT_FALSE(store.WriteValue(PointerKey::Mouse, "MouseSpeed", "1"));
  EXPECT_FALSE(store.last_error().empty());
  EXPECT_EQ(LoadSettingsFile(file_)->at("Control Panel\\Desktop").at("WheelScrollLines"), "7");
}

// A file that is there but cannot be read (a pipe that never ends, a link
// to an endless device, a folder, a file the user may not read): a clear
// error, never a hang, and never a write that replaces the user's values
// with the few written now.
TEST_F(LinuxStore, AFileThatCannotBeReadIsAnErrorAndIsNeverReplaced) {
  struct Case {
    const char* name;
    std::function<void(const std::filesystem::path&)> make;
    const char* says;
  };
  const std::vector<Case> cases = {
      {"pipe", [](const auto& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0); }, "not a regular file"},
      {"link to /dev/zero", [](const auto& f) { std::filesystem::create_symlink("/dev/zero", f); },
       "not a regular file"},
      {"folder", [](const auto& f) { std::filesystem::create_directories(f); }, "folder"},
      {"write-only file",
       [](const auto& f) {
         std::ofstream(f) << "[Control Panel\\Mouse]\nMouseSensitivity=4\n";
         std::filesystem::permissions(f, std::filesystem::perms::owner_write);
       },
       "Permission denied"},
  };
  for (const Case& c : cases) {
    if (std::string(c.name) == "write-only file" && ::geteuid() == 0) continue;  // root reads it
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(file_.parent_path());
    c.make(file_);
    const auto kind = std::filesystem::symlink_status(file_).type();
    LinuxPointerStore store(file_, gsettings_);
    PointerParameters shown;
    SetSpeedLevel(shown, 2);
    EXPECT_EQ(ReadPointerParameters(store, shown), shown);  // nothing read, nothing made up
    EXPECT_NE(store.last_error().find(c.says), std::string::npos) << store.last_error();
    EXPECT_NE(store.last_error().find(file_.string()), std::string::npos) << store.last_error();

    PointerParameters edited;
    SetScrollLevel(edited, 3);
    const auto report = WriteAndApplyPointerParameters(store, edited);
    EXPECT_FALSE(report.mouse_key_opened);
    EXPECT_FALSE(report.desktop_key_opened);
    for (const auto& setting : report.settings) EXPECT_FALSE(setting.stored) << setting.name;
    EXPECT_EQ(std::filesystem::symlink_status(file_).type(), kind);  // not replaced
  }
}

// The six values go to the store in one call, and the file is replaced
// once with all of them, keeping what else it held.
TEST_F(LinuxStore, TheSixValuesAreWrittenInOneReplacement) {
  class CountingStore final : public PointerStore {
   public:
    explicit CountingStore(PointerStore& inner) : inner_(inner) {}
    int batches = 0;
    std::size_t values = 0;
    bool OpenKey(PointerKey key) override { return inner_.OpenKey(key); }
    std::optional<std::string> ReadValue(PointerKey k, std::string_view n) override { return inner_.ReadValue(k, n); }
    bool WriteValue(PointerKey, std::string_view, std::string_view) override {
      ADD_FAILURE() << "a value written on its own";
      return false;
    }
    std::vector<bool> WriteValues(const std::vector<PointerValueText>& v) override {
      ++batches;
      values += v.size();
      return inner_.WriteValues(v);
    }
    ApplyOutcome ApplyPointerSpeed(int s) override { return inner_.ApplyPointerSpeed(s); }
    ApplyOutcome ApplyPrecision(int a, int b, int c) override { return inner_.ApplyPrecision(a, b, c); }
    ApplyOutcome ApplyDoubleClickTime(int t) override { return inner_.ApplyDoubleClickTime(t); }
    ApplyOutcome ApplyWheelScrollLines(int l) override { return inner_.ApplyWheelScrollLines(l); }

   private:
    PointerStore& inner_;
  };
  std::filesystem::create_directories(file_.parent_path());
  std::ofstream(file_) << "[Other]\nKept=yes\n";
  LinuxPointerStore linux_store(file_, gsettings_);
  CountingStore store(linux_store);
  const auto report = WriteAndApplyPointerParameters(store, PointerParameters{});
  EXPECT_TRUE(report.all_stored());
  EXPECT_EQ(store.batches, 1);
  EXPECT_EQ(store.values, 6u);
  const auto sections = LoadSettingsFile(file_);
  ASSERT_TRUE(sections);
  EXPECT_EQ(sections->at("Control Panel\\Mouse").size(), 5u);
  EXPECT_EQ(sections->at("Other").at("Kept"), "yes");
}

// Once the file holds any of the six values, every value comes from the
// file (a missing one takes its fallback), never from the desktop: one
// setting cannot mix a half-written file with the desktop. Before the first
// write, the desktop's settings are shown and said to be the desktop's.
TEST_F(LinuxStore, ValuesComeFromTheFileAloneOnceItHoldsAnyAndSayWhere) {
  gsettings_.values = {{"speed", "-0.5"}, {"accel-profile", "'adaptive'"}, {"double-click", "400"}};
  LinuxPointerStore store(file_, gsettings_);
  std::map<std::string, ValueOrigin> origins;
  for (const auto& o : PointerValueOrigins(store)) origins[std::string(o.name)] = o.origin;
  EXPECT_EQ(origins.at("MouseSensitivity"), ValueOrigin::kDesktop);
  EXPECT_EQ(origins.at("MouseThreshold1"), ValueOrigin::kDesktop);
  EXPECT_EQ(origins.at("WheelScrollLines"), ValueOrigin::kNone);

  std::filesystem::create_directories(file_.parent_path());
  std::ofstream(file_) << "[Control Panel\\Mouse]\nMouseSpeed=1\n[Control Panel\\Desktop]\nWheelScrollLines=7\n";
  const auto params = ReadPointerParameters(store, {});
  EXPECT_EQ(params.speed_level, 11);  // no MouseSensitivity in the file: the fallback, 20
  EXPECT_EQ(params.precision.acceleration, 1);
  EXPECT_EQ(params.precision.threshold1, 0);  // not the desktop's 6
  EXPECT_EQ(params.precision.threshold2, 0);
  EXPECT_EQ(params.double_click_level, 7);  // the fallback 480, not the desktop's 400
  EXPECT_EQ(params.scroll_level, 7);
  origins.clear();
  for (const auto& o : PointerValueOrigins(store)) origins[std::string(o.name)] = o.origin;
  EXPECT_EQ(origins.at("MouseSpeed"), ValueOrigin::kKept);
  EXPECT_EQ(origins.at("WheelScrollLines"), ValueOrigin::kKept);
  EXPECT_EQ(origins.at("MouseThreshold1"), ValueOrigin::kNone);
  EXPECT_EQ(origins.at("DoubleClickSpeed"), ValueOrigin::kNone);
}

TEST(SettingsText, ParsesWhatItFormatsAndSkipsNoise) {
  const auto sections = ParseSettingsText(
      "; comment\n[Control Panel\\Mouse]\n MouseSpeed = 1 \njunk\n\n[Control Panel\\Desktop]\n"
      "WheelScrollLines=-1\r\n");
  EXPECT_EQ(sections.at("Control Panel\\Mouse").at("MouseSpeed"), "1");
  EXPECT_EQ(sections.at("Control Panel\\Desktop").at("WheelScrollLines"), "-1");
  EXPECT_EQ(ParseSettingsText(FormatSettingsText(sections)), sections);
}

TEST(ProcessRunner, StopsAProgramThatDoesNotEndInTime) {
  ProcessRunner runner(DefaultClock());
  const auto slow = runner.Run({"sh", "-c", "sleep 10"}, 100);
  EXPECT_TRUE(slow.started);
  EXPECT_TRUE(slow.timed_out);
  const auto quick = runner.Run({"sh", "-c", "echo out; echo err >&2; exit 3"}, 5000);
  EXPECT_EQ(quick.exit_code, 3);
  EXPECT_EQ(quick.output, "out\n");
  EXPECT_EQ(quick.errors, "err\n");
  EXPECT_FALSE(runner.Run({"zelko-no-such-program"}, 1000).started);
}

}  // namespace
}  // namespace zelko
