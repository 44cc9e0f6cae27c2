#include <gtest/gtest.h>

#include <filesystem>

#include "base/atomic_file.h"
#include "image/backup_store.h"
#include "base/file_reading.h"

namespace zelko {
namespace {

namespace fs = std::filesystem;

class BackupStore : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("zelko77-backups-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

TEST(BackupFileName, SortsByTime) {
  EXPECT_EQ(BackupFileName(0), "zelko77-19700101-000000-000.bin");
  EXPECT_EQ(BackupFileName(1'765'333'002'123ull), "zelko77-20251210-021642-123.bin");
  EXPECT_LT(BackupFileName(1'765'333'002'999ull), BackupFileName(1'765'333'003'000ull));
}

TEST_F(BackupStore, KeepsTheNewestAndListsThemNewestFirst) {
  DataBuf image{};
  for (std::uint64_t t = 0; t < 5; ++t) {
    image[0] = static_cast<std::uint8_t>(t);
    ASSERT_TRUE(SaveBackup(folder_.string(), image, 1'000'000 + t * 1000, 3).ok());
  }
  fs::create_directories(folder_ / "zelko77-sub.bin");  // not a file: ignored
  const auto backups = ListBackups(folder_.string());
  ASSERT_EQ(backups.size(), 3u);
  const auto newest = ReadWholeFile(backups[0]);
  ASSERT_TRUE(newest);
  EXPECT_EQ(newest->size(), kDataBufSize);
  EXPECT_EQ((*newest)[0], 4);
  EXPECT_EQ((*ReadWholeFile(backups[2]))[0], 2);
}

TEST_F(BackupStore, SameMillisecondGetsTheNextName) {
  const DataBuf image{};
  const auto first = SaveBackup(folder_.string(), image, 5000);
  const auto second = SaveBackup(folder_.string(), image, 5000);
  ASSERT_TRUE(first.ok() && second.ok());
  EXPECT_NE(first.path, second.path);
  EXPECT_EQ(ListBackups(folder_.string()).front(), second.path);
}

TEST_F(BackupStore, ABackupMadeWithTheClockSetBackIsKept) {
  DataBuf image{};
  for (std::uint64_t t = 0; t < 3; ++t) ASSERT_TRUE(SaveBackup(folder_.string(), image, 90'000 + t, 3).ok());
  image[0] = 0x77;
  const auto saved = SaveBackup(folder_.string(), image, 1'000, 3);
  ASSERT_TRUE(saved.ok());
  const auto kept = ReadWholeFile(saved.path);
  ASSERT_TRUE(kept) << saved.path << " was removed right after it was written";
  EXPECT_EQ((*kept)[0], 0x77);
  const auto backups = ListBackups(folder_.string());
  ASSERT_EQ(backups.size(), 3u);
  EXPECT_EQ(backups.back(), saved.path);  // the oldest name; the oldest of the others went
}

TEST_F(BackupStore, UnusableFolderIsAnError) {
  EXPECT_FALSE(SaveBackup("", DataBuf{}, 1).ok());
  fs::create_directories(folder_);
  const fs::path file = folder_ / "plain-file";
  ASSERT_TRUE(WriteFileAtomically(file.string(), std::vector<std::uint8_t>{1}).empty());
  const auto saved = SaveBackup((file / "backups").string(), DataBuf{}, 1);
  EXPECT_FALSE(saved.ok());
  EXPECT_TRUE(saved.path.empty());
}

TEST(BackupName, SaysWhichWriteMadeItAndWhatARestorePutBack) {
  const std::uint64_t t = 1'765'333'002'123ull;
  EXPECT_EQ(BackupFileName(t, {"set-button", ""}, false), "zelko77-20251210-021642-123-set-button.part");
  EXPECT_EQ(BackupFileName(t, {"restore", "20251210-021600-001"}, true),
            "zelko77-20251210-021642-123-restore-of-20251210-021600-001.bin");
  EXPECT_EQ(BackupFileName(t, {"Bad/Name", ""}, true), BackupFileName(t));
  const auto restore = ParseBackupName("/x/zelko77-20251210-021642-123-restore-of-20251210-021600-001.bin");
  ASSERT_TRUE(restore);
  EXPECT_EQ(restore->stamp, "20251210-021642-123");
  EXPECT_TRUE(restore->made_by_restore());
  EXPECT_EQ(restore->maker.restored_stamp, "20251210-021600-001");
  const auto old = ParseBackupName(BackupFileName(t));
  ASSERT_TRUE(old);
  EXPECT_TRUE(old->maker.write.empty());
  EXPECT_TRUE(old->whole);
  for (const char* name : {"zelko77-2025.bin", "zelko77-20251210-021642-123-.bin", "other.bin",
                           "zelko77-20251210-021642-123-set button.part", "zelko77-20251210-021642-123.txt"}) {
    EXPECT_FALSE(ParseBackupName(name)) << name;
  }
}

// Backups named by stamp (single letters stand for stamps) and maker.
struct WalkCase {
  std::string name;
  std::vector<std::string> newest_first;  // "e:load", "d:restore-of-c"
  std::string chosen;                     // a stamp, or empty for none
};

class BackupToRestoreOf : public ::testing::TestWithParam<WalkCase> {};

TEST_P(BackupToRestoreOf, WalksBackPastWhatRestoresPutBack) {
  const auto stamp = [](char c) { return std::string("20260101-000000-00") + c; };
  std::vector<BackupEntry> entries;
  for (const auto& text : GetParam().newest_first) {
    BackupEntry e;
    e.stamp = stamp(text[0]);
    const std::string maker = text.substr(2);
    if (maker.starts_with("restore-of-")) {
      e.maker = {"restore", stamp(maker.back())};
    } else {
      e.maker = {maker == "old" ? "" : maker, ""};
    }
    entries.push_back(e);
  }
  const auto chosen = BackupToRestore(entries);
  if (GetParam().chosen.empty()) {
    EXPECT_FALSE(chosen);
  } else {
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->stamp, stamp(GetParam().chosen[0]));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BackupToRestoreOf,
    ::testing::Values(
        WalkCase{"TheNewest", {"c:set-button", "b:load", "a:old"}, "c"},
        // load other.bin; restore; restore: the second goes one further back.
        WalkCase{"ARestoreIsNotUndoneByTheNext", {"c:restore-of-b", "b:load", "a:reset"}, "a"},
        WalkCase{"TwoRestoresWalkTwoSteps", {"d:restore-of-a", "c:restore-of-b", "b:load", "a:reset"}, ""},
        WalkCase{"AWriteAfterARestoreIsUndoneFirst", {"d:set-dpi", "c:restore-of-b", "b:load", "a:reset"}, "d"},
        WalkCase{"ARestoreOfAFileElsewhereIsSkippedAlone", {"c:restore", "b:load", "a:reset"}, "b"},
        WalkCase{"NothingLeft", {"b:restore-of-a", "a:load"}, ""}),
    [](const ::testing::TestParamInfo<WalkCase>& info) { return info.param.name; });

TEST_F(BackupStore, ABackupOfSectionsIsListedAndReadBack) {
  DataBuf image{};
  image.fill(0x11);
  const BackupContent part{image, {{0x036, 0x077}, {0x0F0, 0x0FB}}};
  const auto saved = SaveBackup(folder_.string(), part, {"set-button", ""}, 7000);
  ASSERT_TRUE(saved.ok()) << saved.error;
  ASSERT_TRUE(SaveBackup(folder_.string(), image, 7000).ok());  // same ms: the next stamp
  const auto entries = ListBackupEntries(folder_.string());
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].path, saved.path);
  EXPECT_FALSE(entries[1].whole);
  EXPECT_EQ(entries[1].maker.write, "set-button");
  const auto file = ReadWholeFile(saved.path);
  ASSERT_TRUE(file);
  const auto back = DecodeSectionBackup(*file);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->ranges, part.ranges);
  EXPECT_EQ(back->image[0x040], 0x11);
  EXPECT_EQ(back->image[0x000], 0xFF);  // not held
  EXPECT_EQ(file->size(), kSectionBackupHeaderSize + 8 + (0x077 - 0x036) + 11);
}

TEST(SectionBackup, AFileThatDoesNotHoldTogetherIsRefused) {
  DataBuf image{};
  const auto good = EncodeBackup({image, {{0x030, 0x038}}});
  ASSERT_TRUE(DecodeSectionBackup(good));
  const auto with = [&](std::size_t at, std::uint8_t value) {
    auto bytes = good;
    bytes[at] = value;
    return bytes;
  };
  auto longer = good;
  longer.push_back(0);
  const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> bad = {
      {"cut short", {good.begin(), good.end() - 1}},
      {"a byte too many", longer},
      {"no range", with(8, 0)},
      {"past the image", with(11, 0x08)},   // begins at 0x830
      {"empty range", with(12, 0)},
      {"other magic", with(0, 'X')},
      {"the whole image", std::vector<std::uint8_t>(image.begin(), image.end())},
  };
  for (const auto& [name, bytes] : bad) EXPECT_FALSE(DecodeSectionBackup(bytes)) << name;
}

TEST(DefaultBackupFolder, FollowsXdgDataHome) {
#ifndef _WIN32
  const char* old = std::getenv("XDG_DATA_HOME");
  const std::string saved = old ? old : "";
  setenv("XDG_DATA_HOME", "/tmp/data-home", 1);
  EXPECT_EQ(DefaultBackupFolder(), "/tmp/data-home/zelko77/backups");
  if (old) setenv("XDG_DATA_HOME", saved.c_str(), 1); else unsetenv("XDG_DATA_HOME");
#endif
}

}  // namespace
}  // namespace zelko
