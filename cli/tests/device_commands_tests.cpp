// zelko77ctl info, dump and doctor against the simulated mouse.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <nlohmann/json.hpp>

#include "session/outcomes.h"
#include "cli/tests/run_ctl.h"

namespace zelko::cli {
namespace {

using session::kExitBadInput;
using session::kExitNoDevice;
using session::kExitNotConfigurable;
using session::kExitOk;
using session::kExitTransferFailed;

using testing::ReadText;
using testing::RunCtl;
using testing::TempFolder;
using Args = std::vector<std::string>;
using namespace std::chrono_literals;

// The simulated mouse in virtual time, then `args`.
Args Sim(Args args) {
  args.insert(args.begin(), {"--simulate", "--sim-virtual-time"});
  return args;
}

TEST(InfoCommand, AHealthyMouseIsChip99AndConfigurable) {
  const auto run = RunCtl(Sim({"info"}));
  EXPECT_EQ(run.exit_code, kExitOk) << run;
  EXPECT_NE(run.out.find("path:           sim:mouse/vendor"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("vendor id:      0x3151"), std::string::npos);
  EXPECT_NE(run.out.find("version:        0x0104"), std::string::npos);
  EXPECT_NE(run.out.find("status flag:    set"), std::string::npos);
  EXPECT_NE(run.out.find("chip id:        0x99"), std::string::npos);
  EXPECT_NE(run.out.find("configurable:   yes"), std::string::npos);
  EXPECT_NE(run.out.find("identity bytes: 0xFF 0xFF"), std::string::npos);
}

TEST(InfoCommand, JsonCarriesTheSameFacts) {
  const auto run = RunCtl(Sim({"--sim-identity", "12,34", "info", "--json"}));
  ASSERT_EQ(run.exit_code, kExitOk) << run;
  const auto json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["chip_id"], "0x99");
  EXPECT_EQ(json["configurable"], true);
  EXPECT_EQ(json["identity"], nlohmann::json::array({"0x12", "0x34"}));
}

TEST(InfoCommand, Chip35IsNotConfigurableAndNothingIsTransferred) {
  const auto run = RunCtl(Sim({"--sim-chip", "0x35", "info"}));
  EXPECT_EQ(run.exit_code, kExitNotConfigurable);
  EXPECT_NE(run.out.find("chip id:        0x90"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("configurable:   no"), std::string::npos);
  EXPECT_EQ(run.out.find("identity bytes"), std::string::npos);

  TempFolder folder;
  const auto dump = RunCtl(Sim({"--sim-chip", "35", "dump", "-o", folder / "image.bin"}));
  EXPECT_EQ(dump.exit_code, kExitNotConfigurable);
  EXPECT_NE(dump.err.find("refuses configuration"), std::string::npos) << dump.err;
  EXPECT_FALSE(std::filesystem::exists(folder / "image.bin"));
}

TEST(DumpCommand, Reads2048BytesWith0x99At0x07F) {
  TempFolder folder;
  const auto run = RunCtl(Sim({"dump", "-o", folder / "image.bin"}));
  ASSERT_EQ(run.exit_code, kExitOk) << run;
  const std::string image = ReadText(folder.path() / "image.bin");
  ASSERT_EQ(image.size(), 2048u);
  EXPECT_EQ(static_cast<unsigned char>(image[0x07F]), 0x99);

  const auto hex = RunCtl(Sim({"dump"}));
  ASSERT_EQ(hex.exit_code, kExitOk) << hex.err;
  EXPECT_NE(hex.out.find("0070: 08 00 00 10 00 00 CA FF FE FF FF FF FF FF FE 99\n"), std::string::npos);
  EXPECT_NE(hex.out.find("\n07F0: "), std::string::npos);
}

TEST(DumpCommand, UnacknowledgedChunksFailWithoutWritingTheFile) {
  TempFolder folder;
  const auto run = RunCtl(Sim({"--sim-unacked-chunks", "5", "dump", "-o", folder / "image.bin"}));
  EXPECT_EQ(run.exit_code, kExitTransferFailed);
  EXPECT_NE(run.err.find("1 of 342 chunks were not acknowledged (the first at address 0x001E)"), std::string::npos)
      << run.err;
  EXPECT_FALSE(std::filesystem::exists(folder / "image.bin"));
}

TEST(SimulateFile, OneRunSeesWhatTheFileHolds) {
  TempFolder folder;
  const std::string file = folder / "mouse.bin";
  // A first run creates the file from the factory image.
  ASSERT_EQ(RunCtl({"--simulate=" + file, "--sim-virtual-time", "info"}).exit_code, kExitOk);
  std::string memory = ReadText(file);
  ASSERT_EQ(memory.size(), 2048u);
  memory[0x100] = 0x42;
  std::ofstream(file, std::ios::binary | std::ios::trunc) << memory;

  const auto run = RunCtl({"--simulate=" + file, "--sim-virtual-time", "dump"});
  ASSERT_EQ(run.exit_code, kExitOk) << run;
  EXPECT_NE(run.out.find("0100: 42 00"), std::string::npos);
  EXPECT_EQ(ReadText(file), memory);
}

TEST(GlobalOptions, ExitCodesForBadInputAndMissingOrSilentMice) {
  TempFolder folder;
  const std::string short_file = folder / "short.bin";
  std::ofstream(short_file, std::ios::binary) << "12345";
  const std::string memory_folder = folder / "a-folder";
  std::filesystem::create_directories(memory_folder);
  struct Case {
    Args arguments;
    int exit_code;
    std::string message;
  };
  const Case cases[] = {
      {Sim({"--sim-chip", "zz", "info"}), kExitBadInput, "--sim-chip: 'zz' is not a hexadecimal number"},
      {Sim({"--sim-stuck", "40,900", "info"}), kExitBadInput, "--sim-stuck"},
      {Sim({"--device", "nonsense", "info"}), kExitBadInput, "--device"},
      {{"--simulate=" + short_file, "info"}, kExitBadInput,
       "zelko77ctl: --simulate: " + short_file + " holds 5 bytes, not the 2048 of the mouse's memory"},
      {{"--simulate=" + short_file, "reset", "2"}, kExitBadInput, "holds 5 bytes"},
      {{"--simulate=" + short_file, "watch", "--ticks", "1"}, kExitBadInput, "holds 5 bytes"},
      {{"--simulate=" + memory_folder, "info"}, kExitBadInput, "it is a folder"},
      {{"--device", "nonsense", "info"}, kExitBadInput,
       "zelko77ctl: --device: 'nonsense' is not VID:PID in hexadecimal (e.g. 3151:7707)\n"},
      {Sim({"--device", "1:2", "info"}), kExitNoDevice, "no simulated mouse with id 0001:0002"},
      {Sim({"--sim-ids", "1:2", "info"}), kExitNoDevice, "--sim-ids"},
      {Sim({"--sim-no-answer", "info"}), kExitTransferFailed, "did not answer"},
      {Sim({"--sim-signature", "0", "info"}), kExitNotConfigurable, ""},
      // An answer with another signature is no silence: replugging will not help.
      {Sim({"--sim-signature", "55", "read"}), kExitNotConfigurable, "signature 0x55 instead of 0xAA"},
      {Sim({"--sim-no-flag", "info"}), kExitNotConfigurable, ""},
      {{"--simulate", "--bogus", "info"}, kExitBadInput, ""},
  };
  for (const auto& c : cases) {
    const auto run = RunCtl(c.arguments);
    EXPECT_EQ(run.exit_code, c.exit_code) << run;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run;
  }
  EXPECT_EQ(ReadText(short_file), "12345");  // a file that could not be read is never overwritten
  EXPECT_TRUE(std::filesystem::is_directory(memory_folder));
}

TEST(DoctorCommand, InstallsTheShippedRuleAndThenFindsIt) {
  TempFolder folder;
  // An empty hidraw tree: a machine without the mouse, whatever is plugged
  // into this one.
  const std::string root = folder / "root";
  std::filesystem::create_directories(folder.path() / "root" / "sys" / "class" / "hidraw");
  const auto install =
      RunCtl({"doctor", "--install-udev-rule", "--rules-dir", folder.path().string(), "--hidraw-root", root});
  EXPECT_NE(install.out.find("installed " + (folder / "70-zelko77.rules")), std::string::npos) << install.out;
  EXPECT_EQ(ReadText(folder.path() / "70-zelko77.rules"),
            ReadText(std::string(ZELKO_SOURCE_DIR) + "/packaging/70-zelko77.rules"));
  EXPECT_NE(install.out.find("ok:      the udev rule"), std::string::npos) << install.out;
  EXPECT_NE(install.out.find("problem: no hidraw node with id 3151:7707 is present"), std::string::npos)
      << install.out;
  EXPECT_EQ(install.exit_code, kExitNoDevice) << install;

  const auto missing = RunCtl({"doctor", "--rules-dir", folder / "nowhere", "--hidraw-root", root});
  EXPECT_NE(missing.out.find("is not installed"), std::string::npos) << missing.out;
  // Without a hidraw class folder at all.
  const auto no_hidraw = RunCtl({"doctor", "--rules-dir", folder.path().string(), "--hidraw-root", folder / "none"});
  EXPECT_NE(no_hidraw.out.find("no hidraw support"), std::string::npos) << no_hidraw.out;
  EXPECT_EQ(no_hidraw.exit_code, kExitNoDevice) << no_hidraw;
}

TEST(RunCtl, KillsAProgramThatOutlivesItsDeadline) {
  // Twelve reports of a second each, in real time: far beyond the deadline.
  const auto started = std::chrono::steady_clock::now();
  const auto run = RunCtl({"--simulate", "--sim-latency", "1000", "info"}, 300ms);
  EXPECT_TRUE(run.timed_out) << run;
  EXPECT_EQ(run.exit_code, -1);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
}

TEST(Help, DocumentsEveryDeviceCommandAndOption) {
  const auto run = RunCtl({"--help"});
  EXPECT_EQ(run.exit_code, kExitOk);
  for (const char* word : {"--simulate", "--device", "--sim-chip", "--sim-signature", "--sim-identity",
                           "--sim-stuck", "--sim-latency", "info", "dump", "doctor"}) {
    EXPECT_NE(run.out.find(word), std::string::npos) << word;
  }
}

}  // namespace
}  // namespace zelko::cli
