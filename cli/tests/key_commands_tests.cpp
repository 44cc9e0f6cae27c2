// zelko77ctl label and set-button; set-button against the simulated mouse,
// whose memory lives in a file between runs.
#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

#include "session/outcomes.h"
#include "cli/tests/run_ctl.h"
#include "image/image_layout.h"

namespace zelko::cli {
namespace {

using session::kExitBadInput;
using session::kExitOk;

using testing::CtlRun;
using testing::ReadText;
using testing::RunCtl;
using testing::TempFolder;
using Args = std::vector<std::string>;

const std::string kKeepLeftClick = "Left click (Primary button function) must be assigned to a button.";

TEST(LabelCommand, PrintsTheLabelOfACodeInTheChosenLanguage) {
  struct Case {
    Args args;
    int exit_code;
    std::string out;
    std::string err_part;
  };
  const Case cases[] = {
      {{"label", "020F04"}, kExitOk, "Ctrl+Shift+Alt+Win+A\n", ""},
      {{"label", "020807"}, kExitOk, "Desktop\n", ""},
      {{"label", "0a0300"}, kExitOk, "AIM\n", ""},
      {{"--lang", "2", "label", "010100"}, kExitOk, "左键\n", ""},
      {{"--lang", "3", "label", "010100"}, kExitOk, "Left Key\n", ""},
      {{"label", "010100", "--lang", "2"}, kExitOk, "左键\n", ""},
      {{"label", "0D0000"}, kExitOk, "\n", ""},  // a code whose label the pack leaves empty
      {{"label", "01010"}, kExitBadInput, "", "six hexadecimal digits"},
      {{"label", "01010G"}, kExitBadInput, "", "six hexadecimal digits"},
      {{"--lang", "4", "label", "010100"}, kExitBadInput, "", "--lang"},
  };
  for (const Case& c : cases) {
    const CtlRun run = RunCtl(c.args);
    EXPECT_EQ(run.exit_code, c.exit_code) << run;
    EXPECT_EQ(run.out, c.out) << run;
    EXPECT_NE(run.err.find(c.err_part), std::string::npos) << run;
  }
}

// One simulated mouse in a file, created by a first run from factory image
// 1: Left Click on button 1 only, in both profiles.
class SetButton : public ::testing::Test {
 protected:
  void SetUp() override {
    const CtlRun created = Run({"info"});
    ASSERT_EQ(created.exit_code, kExitOk) << created;
    ASSERT_EQ(Memory(), ReadText(std::string(ZELKO_SOURCE_DIR) + "/resources/factory/ZELKO77Data_Cfg1.bin"));
  }

  // zelko77ctl [GLOBAL...] --simulate=mouse.bin --sim-virtual-time ARGS...
  CtlRun Run(const Args& args, const Args& global = {}) {
    Args all = global;
    all.insert(all.end(), {"--simulate=" + memory_, "--sim-virtual-time"});
    all.insert(all.end(), args.begin(), args.end());
    return RunCtl(all, testing::kCtlTimeout, {{"XDG_DATA_HOME", folder_ / "data"}});
  }
  CtlRun SetButtonTo(const std::string& profile, const std::string& button, const std::string& function,
                     const Args& global = {}) {
    return Run({"set-button", "--profile", profile, button, function}, global);
  }
  std::string Memory() const { return ReadText(memory_); }

  // The three code bytes of every button of a profile.
  std::vector<std::uint8_t> ProfileCodes(int profile) const {
    const std::string memory = Memory();
    const std::size_t first = kProfileOffset + (profile == 2 ? 27 : 0);
    return {memory.begin() + static_cast<std::ptrdiff_t>(first),
            memory.begin() + static_cast<std::ptrdiff_t>(first + 27)};
  }
  // The Profile section closes with the sum of its bytes, exclusive-or 0x5A.
  bool ProfileChecksumHolds() const {
    const std::string memory = Memory();
    const auto begin = memory.begin() + static_cast<std::ptrdiff_t>(kProfileOffset);
    const auto end = begin + static_cast<std::ptrdiff_t>(kProfileSize - 1);
    const unsigned sum = std::accumulate(begin, end, 0u, [](unsigned s, char c) {
      return s + static_cast<std::uint8_t>(c);
    });
    return static_cast<std::uint8_t>((sum & 0xFF) ^ 0x5A) == static_cast<std::uint8_t>(*end);
  }

  TempFolder folder_;
  std::string memory_ = folder_ / "mouse.bin";
};

TEST_F(SetButton, RefusalsAreClearAndWriteNothing) {
  const std::string factory = Memory();
  struct Case {
    Args args;
    std::string err_part;
  };
  const Case cases[] = {
      // Button 1 carries the only Left Click of profile 1.
      {{"--profile", "1", "1", "Right Click"}, kKeepLeftClick},
      {{"--profile", "1", "10", "Right Click"}, "not in range 1 to 9"},
      {{"--profile", "3", "1", "Right Click"}, "--profile"},
      {{"--profile", "1", "2", "Hyper"}, "Hyper"},
      {{"--profile", "1", "2", "Ctrl+Hyper"}, "Hyper"},
      {{"--profile", "1", "2", "Backward"}, "010800"},  // several entries carry it: the codes are listed
      {{"--profile", "1", "2", "0101"}, "0101"},
  };
  for (const Case& c : cases) {
    Args args = c.args;
    args.insert(args.begin(), "set-button");
    const CtlRun run = Run(args);
    EXPECT_EQ(run.exit_code, kExitBadInput) << run;
    EXPECT_EQ(run.out, "") << run;
    EXPECT_NE(run.err.find(c.err_part), std::string::npos) << run;
    EXPECT_EQ(Memory(), factory) << run.command;
  }
}

TEST_F(SetButton, ASecondLeftClickFreesTheFirstButton) {
  const CtlRun second = SetButtonTo("1", "2", "Left Click");
  ASSERT_EQ(second.exit_code, kExitOk) << second;
  EXPECT_NE(second.out.find("Profile 1 button 2: 010100  Left Click"), std::string::npos) << second.out;
  const CtlRun right = SetButtonTo("1", "1", "Right Click");
  ASSERT_EQ(right.exit_code, kExitOk) << right;
  EXPECT_NE(right.out.find("Profile 1 button 1: 010200  Right Click"), std::string::npos) << right.out;

  const std::vector<std::uint8_t> profile1 = {0x01, 0x02, 0x00, 0x01, 0x01, 0x00, 0x01, 0x02, 0x00,
                                              0x01, 0x08, 0x00, 0x01, 0x10, 0x00, 0x07, 0x00, 0x00,
                                              0x05, 0x00, 0x00, 0x08, 0x00, 0x00, 0x10, 0x00, 0x00};
  EXPECT_EQ(ProfileCodes(1), profile1);
  const std::vector<std::uint8_t> factory_profile2 = {0x01, 0x01, 0x00, 0x01, 0x04, 0x00, 0x01, 0x02, 0x00,
                                                      0x01, 0x08, 0x00, 0x01, 0x10, 0x00, 0x07, 0x00, 0x00,
                                                      0x05, 0x00, 0x00, 0x08, 0x00, 0x00, 0x10, 0x00, 0x00};
  EXPECT_EQ(ProfileCodes(2), factory_profile2);
  EXPECT_TRUE(ProfileChecksumHolds());

  // show prints each button's label beside its code, in the chosen language.
  const CtlRun show = Run({"show"});
  ASSERT_EQ(show.exit_code, kExitOk) << show;
  EXPECT_NE(show.out.find("    1: 010200  Right Click\n"
                          "    2: 010100  Left Click\n"
                          "    3: 010200  Right Click\n"),
            std::string::npos)
      << show.out;
  const CtlRun third_pack = Run({"show"}, {"--lang", "3"});
  EXPECT_NE(third_pack.out.find("    1: 010200  Right Key\n"), std::string::npos) << third_pack.out;
}

TEST_F(SetButton, ACombinationMayReplaceTheLastLeftClick) {
  const CtlRun combination = SetButtonTo("2", "1", "Ctrl+A");
  ASSERT_EQ(combination.exit_code, kExitOk) << combination;
  EXPECT_NE(combination.out.find("Profile 2 button 1: 020104  Ctrl+A"), std::string::npos) << combination.out;

  // Profile 2 has no Left Click now: the rule refuses every other choice,
  // in the chosen language.
  const std::string combined = Memory();
  const CtlRun refused = SetButtonTo("2", "3", "右键", {"--lang", "2"});
  EXPECT_EQ(refused.exit_code, kExitBadInput) << refused;
  EXPECT_NE(refused.err.find("请保留一个左键"), std::string::npos) << refused;
  EXPECT_EQ(Memory(), combined);

  const CtlRun left_key = SetButtonTo("2", "2", "Left Key", {"--lang", "3"});
  ASSERT_EQ(left_key.exit_code, kExitOk) << left_key;
  EXPECT_NE(left_key.out.find("Profile 2 button 2: 010100  Left Key"), std::string::npos) << left_key.out;
  const CtlRun dpi = SetButtonTo("2", "9", "DPI +");
  ASSERT_EQ(dpi.exit_code, kExitOk) << dpi;
  EXPECT_NE(dpi.out.find("Profile 2 button 9: 070000  DPI +"), std::string::npos) << dpi.out;

  const std::vector<std::uint8_t> profile2 = {0x02, 0x01, 0x04, 0x01, 0x01, 0x00, 0x01, 0x02, 0x00,
                                              0x01, 0x08, 0x00, 0x01, 0x10, 0x00, 0x07, 0x00, 0x00,
                                              0x05, 0x00, 0x00, 0x08, 0x00, 0x00, 0x07, 0x00, 0x00};
  EXPECT_EQ(ProfileCodes(2), profile2);
  EXPECT_TRUE(ProfileChecksumHolds());
  const CtlRun show = Run({"show"});
  EXPECT_NE(show.out.find("    1: 020104  Ctrl+A\n"
                          "    2: 010100  Left Click\n"),
            std::string::npos)
      << show.out;
}

TEST_F(SetButton, DryRunListsTheChangeAndWritesNothing) {
  const std::string before = Memory();
  const CtlRun run = Run({"set-button", "--profile", "1", "5", "Mute", "--dry-run"});
  ASSERT_EQ(run.exit_code, kExitOk) << run;
  EXPECT_NE(run.out.find("0x04E  00 -> E2"), std::string::npos) << run.out;
  EXPECT_EQ(Memory(), before);
  EXPECT_FALSE(std::filesystem::exists(folder_.path() / "data" / "zelko77" / "backups"));
}

}  // namespace
}  // namespace zelko::cli
