// Hex input, bit operations, atomic file writes and whole-file reads.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
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

  // A failed write names the file the user chose, not our temporary one.
  const std::string chosen = (folder / "missing" / "x.bin").string();
  const std::string error = WriteFileAtomically(chosen, first);
  EXPECT_NE(error.find(chosen + ":"), std::string::npos) << error;
  EXPECT_EQ(error.find(".tmp"), std::string::npos) << error;
  const std::string interrupted = WriteFileAtomically(
      path, first, [](AtomicWriteStep step) { return step != AtomicWriteStep::kWriteChunk; });
  EXPECT_NE(interrupted.find(path + ":"), std::string::npos) << interrupted;
  EXPECT_EQ(interrupted.find(".tmp"), std::string::npos) << interrupted;
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
// gets the new bytes), the permissions stay, and a file without write
// permission is refused instead of replaced, even for root.
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

  const fs::path locked = folder / "locked.bin";
  ASSERT_EQ(WriteFileAtomically(locked.string(), old_bytes), "");
  fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::string error = WriteFileAtomically(locked.string(), new_bytes);
  EXPECT_NE(error.find("read-only"), std::string::npos) << error;
  EXPECT_EQ(ReadWholeFile(locked.string()), old_bytes);
  fs::permissions(locked, fs::perms::owner_all);
  fs::remove_all(folder);
}

void SetAge(const std::filesystem::path& file, std::chrono::seconds age) {
  std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() - age);
}

// A writer killed in the middle leaves a temporary file; the next write
// beside it removes it, but only ours, only an old one, and never one a live
// writer still holds.
TEST(AtomicFile, TheNextWriteRemovesTemporariesAKilledWriterLeft) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("zelko-stale-" + std::to_string(std::random_device{}()));
  fs::create_directories(folder);
  const fs::path target = folder / "ZELKO77-Macro.bin";
  auto make = [&](const char* name, std::chrono::seconds age) {
    std::ofstream(folder / name) << "part";
    SetAge(folder / name, age);
    return folder / name;
  };
  const auto old_age = kLeftOverTempAge + std::chrono::hours(1);
  const fs::path stale = make("ZELKO77-Macro.bin.0badcafe.tmp", old_age);
  const fs::path fresh = make("ZELKO77-Macro.bin.1234abcd.tmp", std::chrono::seconds(0));
  const fs::path held = make("ZELKO77-Macro.bin.feedf00d.tmp", old_age);
  const fs::path other_file = make("profile.bin.0badcafe.tmp", old_age);
  const fs::path other_pattern = make("ZELKO77-Macro.bin.backup.tmp", old_age);
  const int live_writer = ::open(held.c_str(), O_RDONLY);
  ASSERT_GE(live_writer, 0);
  ASSERT_EQ(::flock(live_writer, LOCK_EX), 0);

  ASSERT_EQ(WriteFileAtomically(target.string(), std::vector<std::uint8_t>{1}), "");
  EXPECT_FALSE(fs::exists(stale));
  for (const fs::path& kept : {fresh, held, other_file, other_pattern}) EXPECT_TRUE(fs::exists(kept)) << kept;
  ::close(live_writer);
  fs::remove_all(folder);
}

// The kernel's protected-symlinks rule: in a sticky folder everyone may
// write, a link another user planted is not followed.
TEST(AtomicFile, RefusesALinkAnotherUserPlantedInASharedFolder) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a link to another user needs root";
  namespace fs = std::filesystem;
  const fs::path shared = fs::temp_directory_path() / ("zelko-shared-" + std::to_string(std::random_device{}()));
  fs::create_directories(shared);
  fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
  const fs::path victim = shared / "victim.txt";
  ASSERT_EQ(WriteFileAtomically(victim.string(), std::vector<std::uint8_t>{1, 2}), "");
  const fs::path planted = shared / "profile.bin";
  fs::create_symlink(victim, planted);
  constexpr uid_t kStranger = 65534;
  ASSERT_EQ(::lchown(planted.c_str(), kStranger, kStranger), 0);

  const std::string error = WriteFileAtomically(planted.string(), std::vector<std::uint8_t>{9});
  EXPECT_NE(error.find("link another user made"), std::string::npos) << error;
  EXPECT_EQ(ReadWholeFile(victim.string()), (std::vector<std::uint8_t>{1, 2}));

  // The user's own link, or one of the folder's owner, is written through.
  ASSERT_EQ(::lchown(planted.c_str(), ::geteuid(), ::getegid()), 0);
  EXPECT_EQ(WriteFileAtomically(planted.string(), std::vector<std::uint8_t>{9}), "");
  EXPECT_EQ(ReadWholeFile(victim.string()), (std::vector<std::uint8_t>{9}));
  fs::remove_all(shared);
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

// A file swapped for a pipe while the reader looks at it: the reader opens
// first and checks what it opened, so it never waits for a writer.
TEST(ReadWholeFile, AFileSwappedForAPipeNeverBlocksTheReader) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("zelko-swap-" + std::to_string(std::random_device{}()));
  fs::create_directories(folder);
  const fs::path path = folder / "pointer.ini";
  std::atomic<bool> reading{true};
  std::atomic<bool> stop{false};
  std::thread swapper([&] {
    for (unsigned i = 0; reading; ++i) {
      const fs::path next = folder / ("next" + std::to_string(i));
      if (i % 2 == 0) {
        std::ofstream(next) << "x";
      } else if (::mkfifo(next.c_str(), 0600) == 0) {
        // A second name, so that a reader caught in the pipe can be freed.
        std::error_code ignored;
        fs::create_hard_link(next, folder / ("pipe" + std::to_string(i)), ignored);
      }
      std::error_code ignored;
      fs::rename(next, path, ignored);
    }
  });
  std::atomic<bool> done{false};
  std::thread reader([&] {
    for (int i = 0; i < 20000 && !stop; ++i) (void)ReadWholeFile(path.string());
    done = true;
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!done && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  reading = false;
  swapper.join();
  const bool blocked = !done;
  stop = true;
  while (!done) {  // free a reader that waits in open() for a writer of a pipe
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path().filename().string().rfind("pipe", 0) != 0) continue;
      const int writer = ::open(entry.path().c_str(), O_WRONLY | O_NONBLOCK);
      if (writer >= 0) ::close(writer);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  reader.join();
  EXPECT_FALSE(blocked) << "the reader waited on a pipe";
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
