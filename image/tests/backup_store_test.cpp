#include <gtest/gtest.h>

#include <filesystem>

#include "base/atomic_file.h"
#include "image/backup_store.h"
#include "test_support/scoped_environment.h"
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

TEST(DefaultBackupFolder, FollowsXdgDataHome) {
#ifndef _WIN32
  testing_support::ScopedEnvironment env;
  env.Set("XDG_DATA_HOME", "/tmp/data-home");
  EXPECT_EQ(DefaultBackupFolder(), "/tmp/data-home/zelko77/backups");
#endif
}

}  // namespace
}  // namespace zelko
