// zelko77ctl read, show, save, load, reset, defaults, restore against the
// simulated mouse, whose memory lives in a file between runs.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
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

Bytes ReadBytes(const std::string& path) {
  const std::string text = ReadText(path);
  return Bytes(text.begin(), text.end());
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes FactoryImage(int n) {
  return ReadBytes(std::string(ZELKO_SOURCE_DIR) + "/resources/factory/ZELKO77Data_Cfg" +
                   std::to_string(n) + ".bin");
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// One simulated mouse whose memory is kept in a file, and a data folder of
// its own for the backups.
class ImageCommands : public ::testing::Test {
 protected:
  void SetUp() override { memory_ = folder_ / "mouse.bin"; }
  void SetMemory(const Bytes& bytes) { WriteBytes(memory_, bytes); }
  Bytes Memory() const { return ReadBytes(memory_); }
  // zelko77ctl --simulate=mouse.bin --sim-virtual-time ARGS...
  testing::CtlRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--simulate=" + memory_, "--sim-virtual-time"});
    return RunCtl(args, testing::kCtlTimeout, {{"XDG_DATA_HOME", folder_ / "data"}});
  }
  std::vector<std::filesystem::path> Backups() const {
    std::vector<std::filesystem::path> paths;
    const auto dir = std::filesystem::path(folder_ / "data") / "zelko77" / "backups";
    if (!std::filesystem::exists(dir)) return paths;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) paths.push_back(entry.path());
    return paths;
  }

  TempFolder folder_;
  std::string memory_;
};

// Memory unlike any factory image: image 1 with its uninterpreted bytes,
// reserves and a macro slot changed.
Bytes UsedMouse() {
  Bytes bytes = FactoryImage(1);
  for (std::size_t a : {0x038u, 0x077u, 0x09Eu, 0x0C4u, 0x0EEu, 0x0FBu}) bytes[a] = 0x5C;
  bytes[0x081] = 0x77;  // ReserveA
  bytes[0x300] = 0x0A;  // macro slot 3
  return bytes;
}

TEST_F(ImageCommands, ResetWritesFactoryImageAfterABackup) {
  SetMemory(UsedMouse());
  const auto dry = Run({"reset", "2", "--dry-run"});
  EXPECT_EQ(dry.exit_code, kExitOk) << dry;
  EXPECT_NE(dry.out.find("0x076  CA -> 06  Profile.checksum"), std::string::npos) << dry.out;
  EXPECT_NE(dry.out.find("0x300  0A -> 00  MacroSlot[3].name[0]"), std::string::npos);
  EXPECT_EQ(Memory(), UsedMouse());
  EXPECT_TRUE(Backups().empty());

  const auto run = Run({"reset", "2"});
  EXPECT_EQ(run.exit_code, kExitOk) << run;
  EXPECT_EQ(Memory(), FactoryImage(2));
  ASSERT_EQ(Backups().size(), 1u);
  EXPECT_EQ(ReadBytes(Backups()[0].string()), UsedMouse());

  EXPECT_EQ(Run({"reset", "4"}).exit_code, kExitBadInput);
}

TEST_F(ImageCommands, DefaultsKeepUninterpretedBytes) {
  const Bytes before = UsedMouse();
  SetMemory(before);
  const auto run = Run({"defaults"});
  ASSERT_EQ(run.exit_code, kExitOk) << run;
  const Bytes memory = Memory();
  for (std::size_t a : {0x038u, 0x077u, 0x09Eu, 0x0C4u, 0x0EEu, 0x0FBu, 0x07Fu}) {
    EXPECT_EQ(memory[a], before[a]) << a;
  }
  for (std::size_t a = 0x080; a < 0x080 + 30; ++a) EXPECT_EQ(memory[a], 0) << a;
  for (std::size_t a = 0x100; a < 0x800; ++a) ASSERT_EQ(memory[a], 0) << a;
  EXPECT_EQ(memory[0x02F], 0x79);
  EXPECT_EQ(memory[0x076], 0xFE);
  EXPECT_EQ(memory[0x0FA], 0x70);
}

TEST_F(ImageCommands, LoadWritesRepairedProfileAndRefusesAWrongSignature) {
  SetMemory(UsedMouse());
  const std::string damaged = folder_ / "damaged.bin";
  Bytes file = FactoryImage(2);
  file[0x076] ^= 0x40;
  WriteBytes(damaged, file);
  const auto run = Run({"load", damaged});
  ASSERT_EQ(run.exit_code, kExitOk) << run;
  const Bytes memory = Memory();
  const Bytes codes = {0x01, 0x01, 0x00, 0x01, 0x04, 0x00, 0x01, 0x02, 0x00,
                       0x01, 0x08, 0x00, 0x01, 0x10, 0x00, 0x05, 0x00, 0x00,
                       0x0F, 0x00, 0x00, 0x02, 0x08, 0x07, 0x09, 0x00, 0x00};
  EXPECT_TRUE(std::equal(codes.begin(), codes.end(), memory.begin() + 0x040));
  EXPECT_TRUE(std::equal(codes.begin(), codes.end(), memory.begin() + 0x05B));
  EXPECT_EQ(memory[0x076], 0xFE);

  const std::string wrong = folder_ / "wrong.bin";
  file[0x07F] = 0x98;
  WriteBytes(wrong, file);
  const Bytes kept = Memory();
  const auto refused = Run({"load", wrong});
  EXPECT_EQ(refused.exit_code, kExitBadInput);
  EXPECT_NE(refused.err.find("ZELKO77Data.bin file type error"), std::string::npos);
  EXPECT_EQ(Memory(), kept);
}

// Files that must not reach the mouse: too short to carry the signature
// (the mouse's own 0x99 must not pass for theirs), a pair of identity codes
// that would lock the mouse out of every later read, something that is not
// a regular file. Each is refused before anything is written.
TEST_F(ImageCommands, LoadRefusesFilesThatCannotBeProfilesBeforeWriting) {
  SetMemory(UsedMouse());
  const auto kept = Memory();
  Bytes foreign = FactoryImage(1);
  foreign[0x036] = 0x12;
  foreign[0x037] = 0x34;
  const std::string foreign_file = folder_ / "foreign.bin";
  WriteBytes(foreign_file, foreign);
  struct Case {
    std::string file;
    std::string says;
  };
  std::vector<Case> cases = {{foreign_file, "not a pair this program accepts"},
                             {"/dev/zero", "not a regular file"}};
  const Bytes image1 = FactoryImage(1);
  for (std::size_t size : {0u, 1u, 127u}) {
    const std::string file = folder_ / ("short" + std::to_string(size) + ".bin");
    WriteBytes(file, Bytes(image1.begin(), image1.begin() + static_cast<std::ptrdiff_t>(size)));
    cases.push_back({file, "ends before byte 0x07F"});
  }
  for (const Case& c : cases) {
    const auto run = Run({"load", c.file});
    EXPECT_EQ(run.exit_code, kExitBadInput) << run;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run;
    EXPECT_EQ(Memory(), kept) << c.file;
  }
  // 128 bytes reach the signature: laid over the image, as before.
  const std::string reaching = folder_ / "reaching.bin";
  const Bytes image2 = FactoryImage(2);
  WriteBytes(reaching, Bytes(image2.begin(), image2.begin() + 128));
  EXPECT_EQ(Run({"load", reaching}).exit_code, kExitOk);
}

TEST_F(ImageCommands, ByteThatNeverTakesEndsWithFail) {
  SetMemory(FactoryImage(1));
  const std::string file = folder_ / "f.bin";
  Bytes bytes = FactoryImage(1);
  bytes[0x305] = 0x42;  // a letter of macro slot 3's name
  WriteBytes(file, bytes);
  const auto run = Run({"--sim-stuck", "0x305", "load", file});
  EXPECT_EQ(run.exit_code, kExitTransferFailed);
  EXPECT_NE(run.err.find("after 3 repair passes"), std::string::npos) << run.err;
  // The way back is named: the backup taken before the write.
  EXPECT_NE(run.err.find("put it back with: zelko77ctl restore "), std::string::npos) << run.err;
  EXPECT_TRUE(EndsWith(run.err, "Fail\n")) << run.err;
}

TEST_F(ImageCommands, SaveThenRestoreTheNewestBackup) {
  SetMemory(UsedMouse());
  const std::string saved = folder_ / "profile.bin";
  ASSERT_EQ(Run({"save", saved}).exit_code, kExitOk);
  EXPECT_EQ(ReadBytes(saved), UsedMouse());

  ASSERT_EQ(Run({"reset", "3"}).exit_code, kExitOk);
  const auto restore = Run({"restore"});
  ASSERT_EQ(restore.exit_code, kExitOk) << restore;
  EXPECT_EQ(Memory(), UsedMouse());
  EXPECT_EQ(Backups().size(), 2u);
}

TEST_F(ImageCommands, RestoreTwiceWalksBackInsteadOfUndoingItself) {
  SetMemory(UsedMouse());
  const std::string other = folder_ / "other.bin";
  WriteBytes(other, FactoryImage(1));
  ASSERT_EQ(Run({"reset", "2"}).exit_code, kExitOk);
  ASSERT_EQ(Run({"load", other}).exit_code, kExitOk);
  ASSERT_EQ(Run({"restore"}).exit_code, kExitOk);
  EXPECT_EQ(Memory(), FactoryImage(2));
  const auto second = Run({"restore"});
  ASSERT_EQ(second.exit_code, kExitOk) << second;
  EXPECT_EQ(Memory(), UsedMouse());
  // Walked past every backup: the next plain restore says so.
  const auto third = Run({"restore"});
  EXPECT_EQ(third.exit_code, kExitBadInput);
  EXPECT_NE(third.err.find("already restored"), std::string::npos) << third;
  EXPECT_EQ(Memory(), UsedMouse());

  const auto listed = Run({"backups"});
  ASSERT_EQ(listed.exit_code, kExitOk);
  for (const char* made : {" reset ", " load ", " restore of "}) {
    EXPECT_NE(listed.out.find(made), std::string::npos) << made << "\n" << listed.out;
  }
}

TEST_F(ImageCommands, SetButtonKeepsTheSectionItReadAndRestorePutsItBack) {
  SetMemory(UsedMouse());
  const auto set = Run({"set-button", "--profile", "1", "4", "Ctrl+Shift+A"});
  ASSERT_EQ(set.exit_code, kExitOk) << set;
  const auto backups = Backups();
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_TRUE(backups[0].filename().string().ends_with("-set-button.part")) << backups[0];
  Bytes changed = Memory();
  EXPECT_NE(changed, UsedMouse());
  // Bytes outside Profile are as they were, the uninterpreted ones included.
  for (std::size_t a = 0; a < changed.size(); ++a) {
    if (a < 0x040 || a >= 0x077) {
      ASSERT_EQ(changed[a], UsedMouse()[a]) << a;
    }
  }
  const auto restored = Run({"restore"});
  ASSERT_EQ(restored.exit_code, kExitOk) << restored;
  EXPECT_EQ(Memory(), UsedMouse());
}

TEST_F(ImageCommands, RestoreWithoutBackupsIsRefused) {
  SetMemory(UsedMouse());
  EXPECT_EQ(Run({"restore"}).exit_code, kExitBadInput);
  EXPECT_EQ(Memory(), UsedMouse());
}

TEST_F(ImageCommands, ShowJsonKeepsTheRawFieldsUnderRecord) {
  SetMemory(FactoryImage(2));
  const auto run = Run({"show", "--json"});
  ASSERT_EQ(run.exit_code, kExitOk) << run;
  const auto json = nlohmann::json::parse(run.out);
  const auto& record = json["record"];
  EXPECT_EQ(record["ManufacturerCode"], 255);
  EXPECT_EQ(record["DpiLevelCount"], 7);
  EXPECT_EQ(record["CurrentDpiLevel"], 1);
  EXPECT_EQ(record["LedState"], 0x42);
  EXPECT_EQ(record["FireRepeatCount"], 2);
  EXPECT_EQ(record["FireInterval"], 6);
  EXPECT_EQ(record["DpiValueIndex"][0], 1);
  EXPECT_EQ(record["ProfileKeyCodes"]["ModeB"][8], "0600F0");
  EXPECT_TRUE(json["repaired_sections"].empty());
}

TEST_F(ImageCommands, UnreadableImageIsNeitherShownNorSaved) {
  SetMemory(UsedMouse());
  const std::string saved = folder_ / "never.bin";
  for (const auto& command : std::vector<std::vector<std::string>>{{"read"}, {"show"}, {"save", saved}, {"defaults"}}) {
    auto args = command;
    args.insert(args.begin(), {"--sim-unacked-chunks", "3"});
    const auto run = Run(args);
    EXPECT_EQ(run.exit_code, kExitTransferFailed) << run;
    EXPECT_TRUE(run.out.empty()) << run << "\nstdout: " << run.out;
  }
  EXPECT_FALSE(std::filesystem::exists(saved));
  EXPECT_EQ(Memory(), UsedMouse());
}

TEST_F(ImageCommands, RefusedMouseIsNotWritten) {
  SetMemory(UsedMouse());
  EXPECT_EQ(Run({"--sim-chip", "0x35", "reset", "1"}).exit_code, kExitNotConfigurable);
  EXPECT_EQ(Run({"--sim-identity", "12,34", "reset", "1"}).exit_code, kExitNotConfigurable);
  Bytes expected = UsedMouse();
  expected[0x036] = 0x12;  // the identity knob is put into memory
  expected[0x037] = 0x34;
  EXPECT_EQ(Memory(), expected);
}

// The mouse takes the image but leaves the closing pair (system reload, end)
// unanswered: the command must not claim success.
TEST_F(ImageCommands, AWriteWhoseEndIsNotAcknowledgedFails) {
  for (const char* refused : {"8", "2", "8,2"}) {
    SCOPED_TRACE(refused);
    SetMemory(UsedMouse());
    const auto run = Run({"--sim-refuse", refused, "reset", "2"});
    EXPECT_EQ(run.exit_code, kExitTransferFailed) << run.err;
    EXPECT_EQ(run.out.find("Written and verified"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("the image was written and verified, but the mouse did not acknowledge the end "
                           "of the exchange"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(Memory(), FactoryImage(2));  // the bytes did take
  }
}

}  // namespace
}  // namespace zelko::cli
