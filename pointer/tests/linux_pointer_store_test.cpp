#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
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
