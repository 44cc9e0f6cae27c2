// Runs zelko77ctl's macro commands against a library file and a simulated
// mouse, both in a temporary folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/file_reading.h"
#include "cli/tests/run_ctl.h"
#include "macros/library_file.h"
#include "macros/macro_name_codec.h"
#include "macros/tests/macro_test_support.h"

namespace zelko {
namespace {

namespace fs = std::filesystem;
using cli::testing::CtlRun;
using cli::testing::ReadText;
using cli::testing::RunCtl;
using cli::testing::TempFolder;
using testing_support::ContentOf;

class MacroCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    library_ = folder_.path() / "library.bin";
    mouse_ = folder_.path() / "mouse.bin";
  }

  // zelko77ctl --sim-virtual-time --simulate=mouse.bin [GLOBAL...] macro --library library.bin ARGS...
  // Backups of the mouse's image go to data/ in the test's folder.
  CtlRun Ctl(const std::vector<std::string>& args, const std::vector<std::string>& global = {}) {
    std::vector<std::string> all = {"--sim-virtual-time", "--simulate=" + mouse_.string()};
    all.insert(all.end(), global.begin(), global.end());
    all.insert(all.end(), {"macro", "--library", library_.string()});
    all.insert(all.end(), args.begin(), args.end());
    return RunCtl(all, cli::testing::kCtlTimeout, {{"XDG_DATA_HOME", folder_ / "data"}});
  }
  fs::path Write(const std::string& name, const std::string& text) {
    const fs::path path = folder_.path() / name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  fs::path WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    return Write(name, std::string(bytes.begin(), bytes.end()));
  }
  std::vector<std::uint8_t> Bytes(const fs::path& path) {
    return ReadWholeFile(path.string()).value_or(std::vector<std::uint8_t>{});
  }
  std::uintmax_t LibrarySize() { return fs::file_size(library_); }
  std::vector<std::vector<std::uint8_t>> Backups() {
    std::vector<std::vector<std::uint8_t>> backups;
    const fs::path backup_folder = folder_.path() / "data" / "zelko77" / "backups";
    if (!fs::exists(backup_folder)) return backups;
    for (const auto& entry : fs::directory_iterator(backup_folder)) backups.push_back(Bytes(entry.path()));
    return backups;
  }

  TempFolder folder_;
  fs::path library_;
  fs::path mouse_;
};

TEST_F(MacroCliTest, SetThenShowGivesTheLinesAsStored) {
  ASSERT_EQ(Ctl({"new", "Combo"}).exit_code, 0);
  EXPECT_EQ(LibrarySize(), kLibraryFileSize);
  const fs::path lines = Write("lines.txt", "1 A CODE:8204\r\n0 100\n\n2 A CODE:0204\n0 5000\n3 FB0C\n");
  const CtlRun set = Ctl({"set", "Combo", "--lines", lines.string(), "--release", "stop"});
  ASSERT_EQ(set.exit_code, 0) << set;
  EXPECT_EQ(LibrarySize(), kLibraryFileSize);
  const CtlRun show = Ctl({"show", "Combo"});
  ASSERT_EQ(show.exit_code, 0);
  EXPECT_EQ(show.out, "10\n1 A CODE:8204\n0 96\n2 A CODE:0204\n0 5000\n3 FB0C\n");

  // What show prints is accepted back as it is.
  const CtlRun again = Ctl({"set", "Combo", "--lines", Write("shown.txt", show.out).string()});
  ASSERT_EQ(again.exit_code, 0) << again;
  EXPECT_EQ(Ctl({"show", "Combo"}).out, show.out);
  PCMacroLibrary library;
  ASSERT_EQ(LoadOrCreateLibraryFile(library_, library), LibraryLoad::kLoaded);
  EXPECT_EQ(library.contents[0][kReleaseModeOffset], kReleaseStop);  // kept without --release
  EXPECT_EQ(Ctl({"list"}).out, "Combo\n");
}

TEST_F(MacroCliTest, LibraryErrorsAreClearAndChangeNothing) {
  ASSERT_EQ(Ctl({"new", "A"}).exit_code, 0);
  ASSERT_EQ(Ctl({"new", "B"}).exit_code, 0);
  const auto before = Bytes(library_);
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::string too_long = Write("long.txt", std::string(111 * 14, 'x')).string();
  {
    std::ofstream lines(too_long);
    for (int i = 0; i < 111; ++i) lines << "1 A CODE:8204\n";
  }
  const Case cases[] = {
      {{"new", "A"}, "This macro already exists"},
      {{"rename", "B", "A"}, "This macro already exists"},
      {{"rename", "Z", "Y"}, "no macro named \"Z\""},
      {{"delete", "Z"}, "no macro named \"Z\""},
      {{"show", "Z"}, "no macro named \"Z\""},
      {{"new", "0123456789abcdefg"}, "at most 16 characters"},
      {{"set", "A", "--lines", Write("bad.txt", "1 A CODE:8204\n1 A CODE:0204\n").string()}, "bad.txt:2"},
      {{"set", "A", "--lines", too_long}, "the lines take 222 event bytes"},
      {{"import", Write("short.bin", "abc").string()}, "Macro bin length out of range"},
      {{"import-all", Write("short.bin", "abc").string()}, "Macro bin length out of range"},
      {{"import", folder_ / "missing.bin"}, "missing.bin"},
      {{"import", folder_.path().string()}, "it is a folder"},
      {{"set", "A", "--lines", folder_.path().string()}, "it is a folder"},
  };
  for (const Case& c : cases) {
    const CtlRun run = Ctl(c.args);
    EXPECT_EQ(run.exit_code, 5) << run;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args[0] << ": " << run.err;
    EXPECT_EQ(Bytes(library_), before) << c.args[0];
  }
  // Another pack's text for the same refusal.
  const CtlRun chinese = Ctl({"new", "A"}, {"--lang", "2"});
  EXPECT_NE(chinese.err.find("该目录下已经有一个同名宏"), std::string::npos) << chinese.err;
}

TEST_F(MacroCliTest, AFileThatIsNoLibraryIsNotTouched) {
  const fs::path other = Write("photo.jpg", "not a library");
  library_ = other;
  const CtlRun run = Ctl({"new", "A"});
  EXPECT_EQ(run.exit_code, 5);
  EXPECT_NE(run.err.find("has 13 bytes"), std::string::npos) << run.err;
  EXPECT_EQ(ReadText(other), "not a library");
}

TEST_F(MacroCliTest, ExportAndImport) {
  ASSERT_EQ(Ctl({"new", "A"}).exit_code, 0);
  ASSERT_EQ(Ctl({"new", "B"}).exit_code, 0);
  const fs::path one = folder_ / "a.bin";
  ASSERT_EQ(Ctl({"export", "A", one.string()}).exit_code, 0);
  const auto exported = Bytes(one);
  ASSERT_EQ(exported.size(), kMacroRecordSize);
  EXPECT_EQ((std::vector<std::uint8_t>(exported.begin(), exported.begin() + 4)),
            (std::vector<std::uint8_t>{0x00, 0x41, 0x00, 0x00}));
  EXPECT_EQ(Ctl({"import", one.string()}).exit_code, 5);  // "A" is still there

  const fs::path all = folder_ / "all.bin";
  ASSERT_EQ(Ctl({"export-all", all.string()}).exit_code, 0);
  EXPECT_EQ(Bytes(all), Bytes(library_));

  ASSERT_EQ(Ctl({"delete", "A"}).exit_code, 0);
  EXPECT_EQ(Ctl({"list"}).out, "B\n");
  EXPECT_EQ(LibrarySize(), kLibraryFileSize);
  const CtlRun imported = Ctl({"import", one.string()});
  ASSERT_EQ(imported.exit_code, 0) << imported;
  EXPECT_EQ(imported.out, "A\n");
  EXPECT_EQ(Ctl({"list"}).out, "B\nA\n");

  ASSERT_EQ(Ctl({"import-all", all.string()}).exit_code, 0);
  EXPECT_EQ(Ctl({"list"}).out, "A\nB\n");
  EXPECT_EQ(Bytes(library_), Bytes(all));

  // A whole library given to Import One: its first record, with a word about it.
  ASSERT_EQ(Ctl({"delete", "A"}).exit_code, 0);
  const CtlRun first = Ctl({"import", all.string()});
  EXPECT_EQ(first.exit_code, 0);
  EXPECT_EQ(first.out, "A\n");
  EXPECT_NE(first.err.find("its first 256 were imported"), std::string::npos) << first.err;
}

// Bytes of the simulated mouse's memory.
constexpr std::size_t kProfileOffset = 0x40;
std::size_t ButtonCodeOffset(int profile, int button) {
  return kProfileOffset + static_cast<std::size_t>((profile - 1) * 27 + (button - 1) * 3);
}

TEST_F(MacroCliTest, AssignPutsTheMacroIntoTheChosenSlotAndTheCodeOnTheButton) {
  ASSERT_EQ(Ctl({"new", "Fire"}).exit_code, 0);
  ASSERT_EQ(Ctl({"set", "Fire", "--lines", Write("l.txt", "1 LeftKey CODE:00A1\n2 LeftKey CODE:0021\n").string(),
                 "--release", "stop"}).exit_code, 0);
  const CtlRun assign = Ctl({"assign", "--profile", "2", "4", "Fire"});
  ASSERT_EQ(assign.exit_code, 0) << assign;
  EXPECT_EQ(assign.out, "Profile 2 button 4: 0E0121  Fire (slot 1)\n");
  const auto memory = Bytes(mouse_);
  ASSERT_EQ(memory.size(), 2048u);
  const std::size_t at = ButtonCodeOffset(2, 4);
  EXPECT_EQ((std::vector<std::uint8_t>(memory.begin() + static_cast<std::ptrdiff_t>(at),
                                       memory.begin() + static_cast<std::ptrdiff_t>(at + 3))),
            (std::vector<std::uint8_t>{0x0E, 0x01, 0x21}));
  const MacroContent stored = ContentOf({0xA1, 0x21}, kReleaseStop);
  EXPECT_TRUE(std::equal(stored.begin(), stored.end(), memory.begin() + 0x120));
  EXPECT_EQ(Ctl({"slots"}).out, "1  Fire\n2  (empty)\n3  (empty)\n4  (empty)\n5  (empty)\n6  (empty)\n7  (empty)\n");

  // A second macro on another button takes the next slot; the first keeps its slot.
  ASSERT_EQ(Ctl({"new", "Two"}).exit_code, 0);
  const CtlRun second = Ctl({"assign", "--profile", "1", "5", "Two"});
  ASSERT_EQ(second.exit_code, 0) << second;
  EXPECT_EQ(second.out, "Profile 1 button 5: 060221  Two (slot 2)\n");
}

TEST_F(MacroCliTest, AssignRefusals) {
  ASSERT_EQ(Ctl({"new", "M"}).exit_code, 0);
  // Button 1 of profile 1 carries the only Left Click of the factory image.
  const CtlRun left = Ctl({"assign", "--profile", "1", "1", "M"});
  EXPECT_EQ(left.exit_code, 5);
  EXPECT_NE(left.err.find("Left click (Primary button function) must be assigned to a button."), std::string::npos)
      << left.err;

  // A macro whose release mode byte has no slot code.
  MacroRecordBytes odd{};
  const MacroName name = MacroNameStrToUnicode("Odd");
  std::copy(name.begin(), name.end(), odd.begin());
  const MacroContent content = ContentOf({0xA1, 0x21}, 7);
  std::copy(content.begin(), content.end(), odd.begin() + kMacroNameSize);
  ASSERT_EQ(Ctl({"import", WriteBytes("odd.bin", {odd.begin(), odd.end()}).string()}).exit_code, 0);
  const auto memory_before = Bytes(mouse_);
  const CtlRun refused = Ctl({"assign", "--profile", "1", "4", "Odd"});
  EXPECT_EQ(refused.exit_code, 5);
  EXPECT_NE(refused.err.find("release mode byte is 0x07"), std::string::npos) << refused.err;
  EXPECT_EQ(Bytes(mouse_), memory_before);
}

TEST_F(MacroCliTest, ImportSlotsChecksEverySlotAndVerifies) {
  std::vector<std::uint8_t> file(1792, 0);
  auto put = [&](int slot, const char* slot_name, MacroContent content) {
    const MacroName n = MacroNameStrToUnicode(slot_name);
    const std::size_t at = static_cast<std::size_t>(slot - 1) * 256;
    std::copy(n.begin(), n.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
    std::copy(content.begin(), content.end(), file.begin() + static_cast<std::ptrdiff_t>(at + 32));
  };
  put(1, "One", ContentOf({0xA4, 0x24}));
  MacroContent bad = ContentOf({0xA1, 0x21});
  bad[4] ^= 0x55;
  put(2, "Two", bad);
  const fs::path slots = WriteBytes("slots.bin", file);
  const CtlRun run = Ctl({"import-slots", slots.string()});
  ASSERT_EQ(run.exit_code, 0) << run;
  EXPECT_EQ(run.out.substr(0, 14), "1  One\n2  Two\n");
  const auto memory = Bytes(mouse_);
  ASSERT_EQ(memory.size(), 2048u);
  EXPECT_EQ(memory[0x200 + 1], 'T');  // slot 2 keeps its name
  EXPECT_TRUE(std::all_of(memory.begin() + 0x220, memory.begin() + 0x300, [](std::uint8_t b) { return b == 0; }));
  const MacroContent one = ContentOf({0xA4, 0x24});
  EXPECT_TRUE(std::equal(one.begin(), one.end(), memory.begin() + 0x120));

  // A byte the mouse does not keep: the write does not verify.
  fs::remove(mouse_);
  const CtlRun stuck = Ctl({"import-slots", slots.string()}, {"--sim-stuck", "121"});
  EXPECT_EQ(stuck.exit_code, 4) << stuck;
  EXPECT_EQ(Ctl({"import-slots", Write("tiny.bin", "x").string()}).exit_code, 5);

  // A file of one slot: imported, and said, as import and import-all say it.
  fs::remove(mouse_);
  const std::vector<std::uint8_t> one_slot(file.begin(), file.begin() + 256);
  const CtlRun part = Ctl({"import-slots", WriteBytes("one-slot.bin", one_slot).string()});
  EXPECT_EQ(part.exit_code, 0) << part;
  EXPECT_NE(part.err.find("has 256 bytes, not the 1792 of seven slots: slots 1..1 were replaced"),
            std::string::npos)
      << part;
}

TEST_F(MacroCliTest, SlotWritesKeepABackupAndDryRunWritesNothing) {
  ASSERT_EQ(Ctl({"new", "Fire"}).exit_code, 0);
  ASSERT_EQ(Ctl({"slots"}).exit_code, 0);  // the simulated mouse now holds the factory image
  std::vector<std::uint8_t> one_slot(256, 0);
  const MacroName name = MacroNameStrToUnicode("One");
  std::copy(name.begin(), name.end(), one_slot.begin());
  const MacroContent content = ContentOf({0xA4, 0x24});
  std::copy(content.begin(), content.end(), one_slot.begin() + kMacroNameSize);
  const std::string slot_file = WriteBytes("one.bin", one_slot).string();

  const std::vector<std::vector<std::string>> writes = {
      {"assign", "--profile", "2", "4", "Fire"},
      {"import-slots", slot_file},
  };
  std::size_t backups = 0;
  for (auto args : writes) {
    const auto before = Bytes(mouse_);
    ASSERT_EQ(before.size(), 2048u);
    args.insert(args.begin() + 1, "--dry-run");
    const CtlRun dry = Ctl(args);
    EXPECT_EQ(dry.exit_code, 0) << dry;
    EXPECT_NE(dry.out.find("byte(s) would change; nothing was written (--dry-run)."), std::string::npos)
        << args[0] << ": " << dry.out;
    EXPECT_NE(dry.out.rfind("0 byte(s)", 0), 0u) << args[0] << ": the change is listed";
    EXPECT_EQ(Bytes(mouse_), before) << args[0];
    EXPECT_EQ(Backups().size(), backups) << args[0];

    args.erase(args.begin() + 1);
    const CtlRun run = Ctl(args);
    ASSERT_EQ(run.exit_code, 0) << run;
    EXPECT_NE(Bytes(mouse_), before) << args[0];
    const auto kept = Backups();
    ASSERT_EQ(kept.size(), ++backups) << args[0];
    EXPECT_NE(std::find(kept.begin(), kept.end(), before), kept.end()) << args[0] << ": the image read is kept";
  }
}

}  // namespace
}  // namespace zelko
