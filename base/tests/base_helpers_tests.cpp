// Hex input, bit operations, atomic file writes and whole-file reads.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "base/atomic_file.h"
#include "base/bit_ops.h"
#include "base/file_reading.h"
#include "base/near_miss.h"
#include "base/number_text.h"

namespace zelko {
namespace {

TEST(HexText, ParsesWithOrWithoutPrefixAndRefusesJunk) {
  struct Case {
    const char* text;
    std::uint32_t max;
    std::optional<std::uint32_t> value;
  };
  const Case cases[] = {
      {"7F", 0xFF, 0x7F},     {"0x7f", 0xFF, 0x7F}, {"0X35", 0xFF, 0x35}, {" 75 ", 0xFF, 0x75},
      {"100", 0xFF, {}},      {"", 0xFF, {}},       {"0x", 0xFF, {}},     {"7G", 0xFF, {}},
      {"-1", 0xFF, {}},       {"FFFFFFFFF", 0xFFFFFFFF, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseHexNumber(c.text, c.max), c.value) << c.text;
  EXPECT_EQ(ParseDecimalNumber("342", 1000), 342u);
  EXPECT_FALSE(ParseDecimalNumber("0x10", 1000).has_value());
}

TEST(NearMiss, NamesTheOptionASlipOfTheFingersMeant) {
  const std::vector<std::string> names{"--simulate", "--device", "--screenshot", "--sim-ids", "--sim-ack"};
  struct Case {
    const char* typed;
    std::optional<std::string> meant;
  };
  const Case cases[] = {
      {"--simulte", "--simulate"},   // a letter left out
      {"--simmulate", "--simulate"}, // one too many
      {"--devcie", "--device"},      // two swapped: two edits
      {"--sim-idz", "--sim-ids"},
      {"--sim-acz", "--sim-ack"},
      {"--sim-ic", {}},              // as near to --sim-ids as to --sim-ack: no guess
      {"--verbose", {}},             // near nothing
      {"--simulate", {}},            // not a slip: the name itself
      {"-d", {}},                    // too short to judge
  };
  for (const auto& c : cases) EXPECT_EQ(NearMiss(c.typed, names), c.meant) << c.typed;
  EXPECT_EQ(EditDistance("", "abc"), 3u);
  EXPECT_EQ(EditDistance("kitten", "sitting"), 3u);
}

TEST(HexText, SplitsListsAtTheSeparator) {
  EXPECT_EQ(SplitList("a,b,,c"), (std::vector<std::string_view>{"a", "b", "", "c"}));
  EXPECT_TRUE(SplitList("").empty());
}

TEST(BitOps, BitNumbersWrapAt32) {
  EXPECT_TRUE(TestBit(0x4, 2));
  EXPECT_TRUE(TestBit(0x4, 34));
  EXPECT_EQ(SetBit(0, 33), 0x2u);
  EXPECT_EQ(SetBit(0, 31), 0x80000000u);
  EXPECT_EQ(ClearBit(0xFF, 32 + 7), 0x7Fu);
  EXPECT_EQ(SetBit(0, -1), 0x80000000u);
}

TEST(AtomicFile, ReplacesTheFileAndLeavesNoTemporary) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("zelko-atomic-" + std::to_string(std::random_device{}()));
  fs::create_directories(folder);
  const std::string path = (folder / "image.bin").string();
  const std::vector<std::uint8_t> first{1, 2, 3}, second{9, 8};
  EXPECT_EQ(WriteFileAtomically(path, first), "");
  EXPECT_EQ(WriteFileAtomically(path, second), "");
  EXPECT_EQ(ReadWholeFile(path), second);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1);

  const std::string error = WriteFileAtomically((folder / "missing" / "x.bin").string(), first);
  EXPECT_NE(error.find("missing"), std::string::npos);
  // Neither a missing file nor a folder reads as content; the error names the path.
  for (const fs::path& unreadable : {folder / "none.bin", folder}) {
    std::string read_error;
    EXPECT_FALSE(ReadWholeFile(unreadable.string(), &read_error).has_value()) << unreadable;
    EXPECT_NE(read_error.find(unreadable.string()), std::string::npos) << read_error;
  }
  fs::remove_all(folder);
}

#ifndef _WIN32
// What a replacement keeps of the old file: a link stays a link (its target
// gets the new bytes), the permissions stay, and a file the user may not
// write is refused instead of replaced.
TEST(AtomicFile, KeepsLinksAndPermissionsAndRefusesReadOnlyFiles) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("zelko-keep-" + std::to_string(std::random_device{}()));
  fs::create_directories(folder);
  const std::vector<std::uint8_t> old_bytes{1, 2, 3}, new_bytes{7, 7};

  const fs::path target = folder / "library.bin";
  const fs::path link = folder / "link.bin";
  ASSERT_EQ(WriteFileAtomically(target.string(), old_bytes), "");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(target, link);
  ASSERT_EQ(WriteFileAtomically(link.string(), new_bytes), "");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(target.string()), new_bytes);
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

  if (::geteuid() != 0) {  // root may write any file
    const fs::path locked = folder / "locked.bin";
    ASSERT_EQ(WriteFileAtomically(locked.string(), old_bytes), "");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string error = WriteFileAtomically(locked.string(), new_bytes);
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(ReadWholeFile(locked.string()), old_bytes);
    fs::permissions(locked, fs::perms::owner_all);
  }
  fs::remove_all(folder);
}
#endif

#ifndef _WIN32
// Inputs that never end, never answer or would fill the memory are refused
// with a reason before anything is read.
TEST(ReadWholeFile, RefusesFilesThatAreNotRegularOrTooLarge) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("zelko-read-" + std::to_string(std::random_device{}()));
  fs::create_directories(folder);
  const fs::path fifo = folder / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path sparse = folder / "sparse.bin";
  std::ofstream(sparse).close();
  fs::resize_file(sparse, 1u << 30);
  struct Case {
    fs::path path;
    const char* says;
  };
  for (const Case& c : {Case{"/dev/zero", "not a regular file"}, Case{fifo, "not a regular file"},
                        Case{sparse, "more than the"}}) {
    std::string error;
    EXPECT_FALSE(ReadWholeFile(c.path.string(), &error).has_value()) << c.path;
    EXPECT_NE(error.find(c.says), std::string::npos) << error;
  }
  std::string error;
  EXPECT_FALSE(ReadWholeFile((folder / "pipe").string(), &error, 10).has_value());
  fs::resize_file(sparse, 11);
  EXPECT_FALSE(ReadWholeFile(sparse.string(), &error, 10).has_value());
  EXPECT_EQ(ReadWholeFile(sparse.string(), &error, 11)->size(), 11u);
  fs::remove_all(folder);
}

// The start of a file of any size; what never ends or is no file is refused.
TEST(ReadFileStart, ReadsAtMostTheCountAndRefusesWhatIsNoFile) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("zelko-start-" + std::to_string(std::random_device{}()));
  fs::create_directories(folder);
  const fs::path fifo = folder / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path big = folder / "big.bin";
  std::ofstream(big).close();
  fs::resize_file(big, 1u << 30);  // far more than ReadWholeFile takes
  EXPECT_EQ(ReadFileStart(big.string(), 2048), std::vector<std::uint8_t>(2048, 0));
  const fs::path small = folder / "small.bin";
  ASSERT_EQ(WriteFileAtomically(small.string(), std::vector<std::uint8_t>{1, 2, 3}), "");
  EXPECT_EQ(ReadFileStart(small.string(), 2048), (std::vector<std::uint8_t>{1, 2, 3}));
  struct Case {
    fs::path path;
    const char* says;
  };
  for (const Case& c : {Case{"/dev/zero", "not a regular file"}, Case{fifo, "not a regular file"},
                        Case{folder, "it is a folder"}, Case{folder / "none.bin", "cannot open"}}) {
    std::string error;
    EXPECT_FALSE(ReadFileStart(c.path.string(), 2048, &error).has_value()) << c.path;
    EXPECT_NE(error.find(c.says), std::string::npos) << error;
  }
  fs::remove_all(folder);
}
#endif

}  // namespace
}  // namespace zelko
