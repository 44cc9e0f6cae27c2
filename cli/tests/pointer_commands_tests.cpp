// Runs zelko77ctl against the simulated mouse kept in a temporary file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "cli/tests/run_ctl.h"

namespace zelko::cli {
namespace {

namespace fs = std::filesystem;
using testing::CtlRun;
using testing::ReadText;
using testing::RunCtl;
using testing::TempFolder;

class PointerCli : public ::testing::Test {
 protected:
  // zelko77ctl --simulate=mouse.bin --sim-virtual-time ARGS..., with the
  // configuration and data folders in the test's folder.
  CtlRun Ctl(std::vector<std::string> args) {
    args.insert(args.begin(), {"--simulate=" + memory(), "--sim-virtual-time"});
    return RunCtl(args, testing::kCtlTimeout,
                  {{"XDG_CONFIG_HOME", dir_.path().string()}, {"XDG_DATA_HOME", dir_.path().string()}});
  }

  nlohmann::json Show() {
    const auto run = Ctl({"show", "--json"});
    EXPECT_EQ(run.exit_code, 0) << run;
    const auto json = nlohmann::json::parse(run.out, nullptr, false);
    EXPECT_FALSE(json.is_discarded()) << run.out;
    return json;
  }

  std::string Memory() const { return ReadText(memory()); }
  std::string memory() const { return dir_ / "mouse.bin"; }

  TempFolder dir_;
};

TEST_F(PointerCli, ShowDecodesTheFactoryImage) {
  const auto json = Show();
  const auto& levels = json.at("dpi").at("levels");
  const std::vector<int> dpi = {800, 1600, 2400, 3200, 4800, 6400, 3200};
  for (std::size_t i = 0; i < dpi.size(); ++i) {
    EXPECT_EQ(levels[i]["dpi"], dpi[i]) << i;
    EXPECT_TRUE(levels[i]["active"].get<bool>()) << i;
    EXPECT_EQ(levels[i]["current"].get<bool>(), i == 1) << i;
  }
  EXPECT_EQ(json["dpi"]["current_level"], 2);
  const auto& light = json.at("lighting");
  EXPECT_EQ(light["led_type"], "mcu");
  EXPECT_EQ(light["led_count"], 10);
  EXPECT_EQ(light["m_cpi_switch"], true);
  EXPECT_EQ(light["l_cpi_switch"], true);
  EXPECT_EQ(light["key_mode_saved"], true);
  EXPECT_EQ(light["brightness"], "full");
  EXPECT_EQ(light["modes_offered"],
            nlohmann::json({"Mode 1", "Mode 2", "Mode 3", "Mode 4", "Mode 5", "Mode 6", "Mode 7"}));
  EXPECT_EQ(light["mode"], "Mode 5");
  EXPECT_EQ(light["on"], true);
  EXPECT_EQ(light["step"], 2);
  EXPECT_EQ(json.at("fire")["repeat_count"], 3);
  EXPECT_EQ(json.at("fire")["interval_ms"], 48);
}

TEST_F(PointerCli, FourLevelsMakeLevelFourCurrent) {
  const auto run = Ctl({"set-dpi", "--count", "4"});
  ASSERT_EQ(run.exit_code, 0) << run;
  const auto json = Show();
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(json["dpi"]["levels"][i]["active"].get<bool>(), i < 4) << i;
    EXPECT_EQ(json["dpi"]["levels"][i]["current"].get<bool>(), i == 3) << i;
  }
}

TEST_F(PointerCli, LevelValuesColoursAndCurrent) {
  const auto run =
      Ctl({"set-dpi", "--value", "1=500", "--value", "7=6400", "--colour", "2=#102030", "--current", "7"});
  ASSERT_EQ(run.exit_code, 0) << run;
  const auto json = Show();
  EXPECT_EQ(json["dpi"]["levels"][0]["dpi"], 500);
  EXPECT_EQ(json["dpi"]["levels"][6]["dpi"], 6400);
  EXPECT_EQ(json["dpi"]["levels"][1]["colour"], "#102030");
  EXPECT_TRUE(json["dpi"]["levels"][6]["current"].get<bool>());
}

TEST_F(PointerCli, AimValueReachesEveryAimButton) {
  ASSERT_EQ(Ctl({"set-button", "--profile", "1", "4", "0A0300"}).exit_code, 0);
  ASSERT_EQ(Ctl({"set-button", "--profile", "2", "5", "0A0900"}).exit_code, 0);
  EXPECT_EQ(Show()["aim"]["dpi"], 4800);  // the last AIM button found decides
  const auto run = Ctl({"set-aim", "1600"});
  ASSERT_EQ(run.exit_code, 0) << run;
  const auto json = Show();
  EXPECT_EQ(json["aim"]["dpi"], 1600);
  EXPECT_EQ(json["profiles"][0]["buttons"][3]["code"], "0A0400");
  EXPECT_EQ(json["profiles"][1]["buttons"][4]["code"], "0A0400");
  EXPECT_EQ(json["aim"]["buttons"], nlohmann::json::parse(R"([{"profile":1,"button":4},{"profile":2,"button":5}])"));
}

// Bytes the commands cannot show: four bits of LED count holding 12 (one
// LED) and an AIM button with value index 11. A set- command that names
// neither writes both back as read.
TEST_F(PointerCli, ValuesTheUserDidNotNameAreWrittenBackAsRead) {
  ASSERT_EQ(Ctl({"info"}).exit_code, 0);
  std::string memory = Memory();
  ASSERT_EQ(memory.size(), 2048u);
  const auto close_section = [&memory](std::size_t begin, std::size_t checksum_at) {
    unsigned sum = 0;
    for (std::size_t a = begin; a < checksum_at; ++a) sum += static_cast<unsigned char>(memory[a]);
    memory[checksum_at] = static_cast<char>((sum & 0xFF) ^ 0x5A);
  };
  memory[0x003] = static_cast<char>((memory[0x003] & 0x0F) | 0xC0);  // McuLedConfig
  close_section(0x000, 0x02F);                                        // ParameterA
  const std::size_t profile2_button5 = 0x040 + 27 + 3 * 4;
  memory[profile2_button5] = 0x0A;
  memory[profile2_button5 + 1] = 11;
  memory[profile2_button5 + 2] = 0x00;
  close_section(0x040, 0x076);  // Profile
  std::ofstream(this->memory(), std::ios::binary | std::ios::trunc).write(memory.data(), 2048);

  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"set-fire", "--count", "5"}, {"set-dpi", "--count", "4"}}) {
    const auto run = Ctl(args);
    ASSERT_EQ(run.exit_code, 0) << run;
    const std::string after = Memory();
    EXPECT_EQ(static_cast<unsigned char>(after[0x003]) & 0xF0, 0xC0) << run.command;
    EXPECT_EQ(after.substr(profile2_button5, 3), std::string("\x0A\x0B\x00", 3)) << run.command;
  }
}

TEST_F(PointerCli, RefusedChangesLeaveTheMouseAlone) {
  ASSERT_EQ(Ctl({"set-led", "--modes", "1,2,4,5"}).exit_code, 0);
  const auto before = Memory();
  struct Case {
    std::vector<std::string> args;
    std::string says;
  };
  const std::vector<Case> cases = {
      {{"set-led", "--mode", "3"}, "mode 3 is not offered"},
      {{"set-led", "--type", "normal"}, "--engineer"},
      {{"set-aim", "800"}, "Please select a AIM Key in Profile!"},
      {{"set-aim", "900"}, "900 DPI is not offered"},
      {{"set-dpi", "--value", "2=1500"}, "1500 DPI is not offered"},
      {{"set-dpi", "--colour", "1=Red"}, "#RRGGBB"},
      {{"set-dpi", "--count", "3", "--current", "5"}, "level 5 is not active"},
      {{"set-dpi", "--count", "8"}, "8"},
      {{"set-fire", "--count", "1"}, "1"},
      {{"set-fire", "--interval", "256"}, "256"},
      {{"set-led", "--count", "14"}, "14"},
  };
  for (const auto& c : cases) {
    const auto run = Ctl(c.args);
    EXPECT_EQ(run.exit_code, 5) << run;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run;
    EXPECT_EQ(Memory(), before) << run.command;
  }
}

TEST_F(PointerCli, LightingAndFire) {
  ASSERT_EQ(Ctl({"set-led", "--led", "off", "--count", "6", "--step", "7", "--brightness", "half",
                 "--save-key-mode", "off", "--key-mode-b-colour", "#00FF80"}).exit_code, 0);
  ASSERT_EQ(Ctl({"set-fire", "--count", "10", "--interval", "20"}).exit_code, 0);
  const auto json = Show();
  const auto& light = json["lighting"];
  EXPECT_EQ(light["on"], false);
  EXPECT_EQ(light["led_count"], 6);
  EXPECT_EQ(light["step"], 7);
  EXPECT_EQ(light["brightness"], "half");
  EXPECT_EQ(light["key_mode_saved"], false);
  EXPECT_EQ(json["key_mode"], "A");
  EXPECT_EQ(json["key_mode_colours"]["B"], "#00FF80");
  EXPECT_EQ(light["mode"], "Mode 5");
  EXPECT_EQ(json["fire"]["repeat_count"], 10);
  EXPECT_EQ(json["fire"]["interval_ms"], 160);
}

TEST_F(PointerCli, EngineerSwitchToTheNormalLed) {
  ASSERT_EQ(Ctl({"set-led", "--engineer", "--type", "normal", "--breath", "40"}).exit_code, 0);
  const auto json = Show();
  EXPECT_EQ(json["lighting"]["led_type"], "normal");
  EXPECT_EQ(json["lighting"]["breath_step"], 40);
  EXPECT_EQ(json["lighting"]["mode"], "CPI Breath");
  EXPECT_EQ(Memory().at(0x04), static_cast<char>(0xFF));
}

TEST_F(PointerCli, PointerSettingsAreKeptUnderTheRegistryNames) {
  const auto set = Ctl({"pointer", "set", "--speed", "6", "--double-click", "7", "--scroll", "screen",
                       "--precision", "on", "--no-desktop"});
  ASSERT_EQ(set.exit_code, 0) << set;
  // The desktop was left alone, and the output says so rather than that it
  // has no place for the values.
  EXPECT_NE(set.out.find("the desktop was not asked"), std::string::npos) << set;
  EXPECT_EQ(set.out.find("has no such setting"), std::string::npos) << set;
  const std::string text = ReadText(dir_.path() / "zelko77" / "pointer.ini");
  for (const char* line : {"MouseSensitivity=10", "MouseSpeed=1", "MouseThreshold1=6",
                           "MouseThreshold2=10", "DoubleClickSpeed=480", "WheelScrollLines=-1"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  }
  const auto show = Ctl({"pointer", "show", "--json"});
  ASSERT_EQ(show.exit_code, 0) << show;
  const auto json = nlohmann::json::parse(show.out);
  EXPECT_EQ(json["SpeedLevel"], 6);
  EXPECT_EQ(json["ScrollLevel"], "screen");
  EXPECT_EQ(Ctl({"pointer", "set", "--speed", "12"}).exit_code, 5);
}

TEST_F(PointerCli, PointerSetDryRunListsWhatWouldChangeAndKeepsEverything) {
  const fs::path file = dir_.path() / "zelko77" / "pointer.ini";
  const auto first = Ctl({"pointer", "set", "--speed", "6", "--dry-run"});
  ASSERT_EQ(first.exit_code, 0) << first;
  EXPECT_NE(first.out.find("  MouseSensitivity: (not set) -> 10\n"), std::string::npos) << first.out;
  EXPECT_NE(first.out.find("6 value(s) would change; nothing was written (--dry-run)."), std::string::npos)
      << first.out;
  EXPECT_FALSE(fs::exists(file));

  ASSERT_EQ(Ctl({"pointer", "set", "--speed", "6", "--precision", "on", "--no-desktop"}).exit_code, 0);
  const std::string kept = ReadText(file);
  const auto dry = Ctl({"pointer", "set", "--speed", "3", "--precision", "off", "--dry-run"});
  ASSERT_EQ(dry.exit_code, 0) << dry;
  EXPECT_EQ(dry.out,
            "  MouseSensitivity: 10 -> 4\n"
            "  MouseSpeed: 1 -> 0\n"
            "  MouseThreshold1: 6 -> 0\n"
            "  MouseThreshold2: 10 -> 0\n"
            "4 value(s) would change; nothing was written (--dry-run).\n");
  EXPECT_EQ(ReadText(file), kept);

  const auto same = Ctl({"pointer", "set", "--speed", "6", "--dry-run", "--json"});
  ASSERT_EQ(same.exit_code, 0) << same;
  const auto json = nlohmann::json::parse(same.out, nullptr, false);
  ASSERT_FALSE(json.is_discarded()) << same.out;
  EXPECT_EQ(json["DryRun"], true);
  EXPECT_TRUE(json["Changes"].empty()) << same.out;
  EXPECT_EQ(ReadText(file), kept);
}

// A settings file that is there but cannot be read (a pipe that never ends,
// a link to an endless device): show and set say why, in time, and the file
// is never replaced by one holding only the values set now.
TEST_F(PointerCli, APointerFileThatCannotBeReadIsAnErrorNeverAHangNorAnEmptyFile) {
  const fs::path file = dir_.path() / "zelko77" / "pointer.ini";
  struct Case {
    const char* name;
    void (*make)(const fs::path&);
  };
  const Case cases[] = {
      {"pipe", [](const fs::path& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0); }},
      {"link to /dev/zero", [](const fs::path& f) { fs::create_symlink("/dev/zero", f); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(file.parent_path());
    fs::create_directories(file.parent_path());
    c.make(file);
    const auto kind = fs::symlink_status(file).type();
    const auto show = Ctl({"pointer", "show"});
    EXPECT_EQ(show.exit_code, 1) << show;
    EXPECT_NE(show.err.find("cannot be read"), std::string::npos) << show;
    EXPECT_NE(show.err.find(file.string()), std::string::npos) << show;
    const auto set = Ctl({"pointer", "set", "--speed", "3", "--no-desktop"});
    EXPECT_EQ(set.exit_code, 1) << set;
    EXPECT_EQ(set.out.find(": kept"), std::string::npos) << set;
    EXPECT_EQ(fs::symlink_status(file).type(), kind);
  }
}

// A half-written file: every value comes from it or is the fallback, never
// the desktop's, and show says which value came from where.
TEST_F(PointerCli, PointerShowSaysWhereEachValueCameFrom) {
  const fs::path file = dir_.path() / "zelko77" / "pointer.ini";
  fs::create_directories(file.parent_path());
  std::ofstream(file) << "[Control Panel\\Desktop]\nWheelScrollLines=7\n";
  const auto text = Ctl({"pointer", "show"});
  ASSERT_EQ(text.exit_code, 0) << text;
  EXPECT_NE(text.out.find("  WheelScrollLines: " + file.string() + "\n"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("  MouseThreshold1: not set, the fallback\n"), std::string::npos) << text.out;
  const auto json = nlohmann::json::parse(Ctl({"pointer", "show", "--json"}).out, nullptr, false);
  ASSERT_FALSE(json.is_discarded());
  EXPECT_EQ(json["Origins"]["WheelScrollLines"], "kept");
  EXPECT_EQ(json["Origins"]["MouseSensitivity"], "fallback");
  EXPECT_EQ(json["ScrollLevel"], 7);
}

}  // namespace
}  // namespace zelko::cli
