// zelko77ctl keytest and set-identity against the simulated mouse.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <vector>

#include "session/outcomes.h"
#include "cli/tests/run_ctl.h"

namespace zelko::cli {
namespace {

using session::kExitBadInput;
using session::kExitNotConfigurable;
using session::kExitOk;
using session::kExitTransferFailed;

using testing::ReadText;
using testing::RunCtl;
using testing::TempFolder;

using Bytes = std::vector<std::uint8_t>;

testing::CtlRun KeyTest(const std::vector<std::string>& sim_options) {
  std::vector<std::string> args{"--simulate", "--sim-virtual-time"};
  args.insert(args.end(), sim_options.begin(), sim_options.end());
  args.push_back("keytest");
  return RunCtl(args);
}

// The seconds of "the test ended after N s".
double EndedAfter(const std::string& out) {
  const auto at = out.find("ended after ");
  double seconds = -1;
  if (at != std::string::npos) (void)std::sscanf(out.c_str() + at, "ended after %lf", &seconds);
  return seconds;
}

TEST(KeyTestCommand, PrintsEachPressAndEndsAfterFiveQuietSeconds) {
  const auto run = KeyTest({"--sim-buttons=3@1000+200,1+2@4000+100"});
  ASSERT_EQ(run.exit_code, kExitOk) << run;
  const auto three = run.out.find("button 3 pressed");
  const auto one = run.out.find("button 1 pressed");
  const auto two = run.out.find("button 2 pressed");
  ASSERT_NE(three, std::string::npos) << run.out;
  EXPECT_LT(three, one);
  EXPECT_LT(one, two);
  EXPECT_NE(run.out.find("3 press(es)"), std::string::npos) << run.out;
  // The last press ends at 4.1 s.
  EXPECT_NEAR(EndedAfter(run.out), 9.1, 0.1) << run.out;
  // Not a terminal: no countdown in the output.
  EXPECT_EQ(run.out.find("Ends in"), std::string::npos);
}

TEST(KeyTestCommand, AHeldButtonCountsOnceAndKeepsTheTestGoing) {
  const auto run = KeyTest({"--sim-buttons=5@0+8000"});
  ASSERT_EQ(run.exit_code, kExitOk) << run;
  EXPECT_NE(run.out.find("button 5 pressed"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("1 press(es)"), std::string::npos) << run.out;
  EXPECT_NEAR(EndedAfter(run.out), 13.0, 0.1) << run.out;
}

TEST(KeyTestCommand, SaysWhyItCouldNotRunOrEndCleanly) {
  struct Case {
    const char* name;
    std::vector<std::string> options;
    int exit_code;
    const char* says;
  };
  const Case cases[] = {
      {"refuses configuration", {"--sim-chip=0x35"}, kExitNotConfigurable, "refuses configuration"},
      {"closing pair unanswered", {"--sim-refuse=8,2"}, kExitTransferFailed, "did not acknowledge the end"},
      {"bad script", {"--sim-buttons=3@1000"}, kExitBadInput, "--sim-buttons: '3@1000' is not BUTTONS@START+DURATION"},
      {"unplugged during the test", {"--sim-unplug-after=200"}, kExitTransferFailed, "stopped answering"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto run = KeyTest(c.options);
    EXPECT_EQ(run.exit_code, c.exit_code) << run;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run;
  }
}

class SetIdentityCommand : public ::testing::Test {
 protected:
  Bytes Memory() const {
    const std::string text = ReadText(memory_);
    return Bytes(text.begin(), text.end());
  }
  testing::CtlRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--simulate=" + memory_, "--sim-virtual-time"});
    return RunCtl(args, testing::kCtlTimeout, {{"XDG_DATA_HOME", folder_ / "data"}});
  }
  bool HasBackup() const {
    const auto dir = std::filesystem::path(folder_ / "data") / "zelko77" / "backups";
    return std::filesystem::exists(dir) && !std::filesystem::is_empty(dir);
  }
  TempFolder folder_;
  std::string memory_ = folder_ / "mouse.bin";
};

TEST_F(SetIdentityCommand, WritesAnAcceptedPairAfterABackup) {
  // The reserve codes 0, 0 are accepted as well as the factory's 255, 255.
  const auto run = Run({"set-identity", "0", "0x00"});
  ASSERT_EQ(run.exit_code, kExitOk) << run;
  Bytes memory = Memory();
  ASSERT_EQ(memory.size(), 2048u);
  EXPECT_EQ(memory[0x036], 0x00);
  EXPECT_EQ(memory[0x037], 0x00);
  EXPECT_TRUE(HasBackup());
  EXPECT_EQ(Run({"read"}).exit_code, kExitOk);
}

TEST_F(SetIdentityCommand, RefusesAPairThatWouldLockTheMouseOutUnlessForced) {
  ASSERT_EQ(Run({"read"}).exit_code, kExitOk);  // the memory file is made
  const Bytes kept = Memory();
  const auto refused = Run({"set-identity", "18", "52"});
  EXPECT_EQ(refused.exit_code, kExitBadInput) << refused;
  EXPECT_NE(refused.err.find("(18, 52 at 0x036, 0x037) are not a pair this program accepts"), std::string::npos)
      << refused;
  EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused;
  EXPECT_EQ(Memory(), kept);

  const auto forced = Run({"set-identity", "--force", "18", "52"});
  ASSERT_EQ(forced.exit_code, kExitOk) << forced;
  EXPECT_NE(forced.out.find("which this program refuses"), std::string::npos) << forced.out;
  EXPECT_EQ(Memory()[0x036], 18);
  EXPECT_EQ(Memory()[0x037], 52);
  EXPECT_NE(Run({"read"}).exit_code, kExitOk);
}

TEST_F(SetIdentityCommand, RefusesCodesOutOfRange) {
  for (const auto& [vid, pid] : {std::pair{"256", "0"}, std::pair{"0", "0x100"}, std::pair{"x", "0"}}) {
    SCOPED_TRACE(std::string(vid) + " " + pid);
    const auto run = Run({"set-identity", vid, pid});
    EXPECT_EQ(run.exit_code, kExitBadInput) << run;
    EXPECT_NE(run.err.find("is not a code from 0 to 255"), std::string::npos) << run;
    EXPECT_FALSE(HasBackup());
  }
}

}  // namespace
}  // namespace zelko::cli
