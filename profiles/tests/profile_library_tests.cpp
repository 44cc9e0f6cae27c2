// The profile library on disk: names of any language, what a failed or
// interrupted write leaves, the trash, and entries damaged behind its back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/file_reading.h"
#include "base/path_text.h"
#include "image/expected_codes.h"
#include "image/factory_images.h"
#include "profiles/profile_library.h"
#include "profiles/profile_names.h"
#include "profiles/tests/temp_folder.h"

#ifndef _WIN32
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zelko {
namespace {

namespace fs = std::filesystem;

const std::string kChinese = "\xE5\xB0\x84\xE5\x87\xBB";  // 射击

DataBuf Factory(int n) { return FactoryImage(n).value_or(DataBuf{}); }

std::vector<std::string> Names(const ProfileLibrary& library) {
  std::vector<std::string> names;
  const auto entries = library.List();
  EXPECT_TRUE(entries.ok()) << entries.error();
  if (entries) {
    for (const auto& entry : *entries) names.push_back(entry.name);
  }
  return names;
}

// Every file below a folder, by path relative to it.
std::set<std::string> FilesBelow(const fs::path& folder) {
  std::set<std::string> files;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    if (it->is_regular_file()) files.insert(Utf8FromPath(fs::relative(it->path(), folder)));
  }
  return files;
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ImageBytes(const DataBuf& image) { return std::string(image.begin(), image.end()); }
std::vector<std::uint8_t> ImageVector(const DataBuf& image) { return std::vector<std::uint8_t>(image.begin(), image.end()); }

struct StemCase {
  const char* label;
  std::string name;
  std::string stem;
};

class FileStems : public ::testing::TestWithParam<StemCase> {};

TEST_P(FileStems, KeepTheNameWhereEverySystemAllowsIt) {
  const std::string stem = FileStemFor(GetParam().name);
  EXPECT_EQ(stem, GetParam().stem);
  EXPECT_EQ(stem.find_first_of("/\\:*?\"<>|"), std::string::npos);
  EXPECT_LT(stem.size(), kMaxFileStemBytes);
  EXPECT_NE(stem.front(), '.');
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileStems,
    ::testing::Values(StemCase{"Plain", "Shooter", "Shooter"}, StemCase{"Chinese", kChinese, kChinese},
                      StemCase{"Slashes", "CS/GO\\Retake", "CS_GO_Retake"},
                      StemCase{"WindowsForbidden", "a:b*c?d\"e<f>g|h", "a_b_c_d_e_f_g_h"},
                      StemCase{"DotDot", "..", "profile"},
                      StemCase{"ClimbsOut", "../../etc/passwd", "_.._etc_passwd"},
                      StemCase{"HiddenFile", ".hidden", "hidden"},
                      StemCase{"TrailingDotAndBlank", "Racing. ", "Racing"},
                      StemCase{"ControlCharacters", "a\tb\x7F" "c\xC2\x85" "d", "a_b_c_d"},
                      StemCase{"ReservedDevice", "CON", "_CON"}, StemCase{"ReservedWithExtension", "nul.txt", "_nul.txt"},
                      StemCase{"ReservedPort", "lpt9", "_lpt9"}, StemCase{"NotReserved", "COM10", "COM10"},
                      StemCase{"LongChineseCutAtACharacter", [] {
                                 std::string s;
                                 for (int i = 0; i < 60; ++i) s += kChinese;
                                 return s;
                               }(),
                               [] {
                                 std::string s;
                                 for (int i = 0; i < 13; ++i) s += kChinese;  // 78 bytes
                                 return s;
                               }()}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ProfileNames, RefuseWhatCannotBeShownOrKept) {
  EXPECT_FALSE(ProfileNameProblem(kChinese + "/Shooter 1"));
  EXPECT_FALSE(ProfileNameProblem(std::string(100, 'x')));
  for (const std::string& bad : {std::string(""), std::string("   "), std::string("a\nb"), std::string("\xFF"),
                                std::string(101, 'x')}) {
    EXPECT_TRUE(ProfileNameProblem(bad)) << bad;
  }
}

class Library : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove_all(root_); }
  fs::path folder() const { return root_ / "profiles"; }
  const fs::path root_ = zelko::testing::FreshTempFolder("profiles");
  ProfileLibrary library_{root_ / "profiles"};
};

TEST_F(Library, KeepsNamesOfAnyLanguageAndGivesTheImageBack) {
  const std::string name = kChinese + "/CS:GO";
  ASSERT_TRUE(library_.Add(name, Factory(2)).ok());
  ASSERT_TRUE(library_.Add("  Racing  ", Factory(3)).ok());
  EXPECT_EQ(Names(library_), (std::vector<std::string>{"Racing", name}));
  EXPECT_EQ(FilesBelow(folder()), (std::set<std::string>{"Racing.bin", "Racing.name", kChinese + "_CS_GO.bin",
                                                         kChinese + "_CS_GO.name"}));
  const auto image = library_.Image(kChinese + "/cs:go");  // any case
  ASSERT_TRUE(image.ok()) << image.error();
  EXPECT_EQ(*image, Factory(2));
  // The entry is a profile file as Save Profile writes it.
  EXPECT_EQ(ReadWholeFile(Utf8FromPath(folder() / PathFromUtf8(kChinese + "_CS_GO.bin"))),
            ImageVector(Factory(2)));
}

TEST_F(Library, RefusesATakenNameAndNumbersATakenFileName) {
  ASSERT_TRUE(library_.Add("a/b", Factory(1)).ok());
  const Status again = library_.Add("A/B", Factory(2));
  ASSERT_FALSE(again.ok());
  EXPECT_NE(again.error().find("already exists"), std::string::npos) << again.error();
  ASSERT_TRUE(library_.Add("a:b", Factory(2)).ok());  // the same file name, numbered
  EXPECT_EQ(FilesBelow(folder()), (std::set<std::string>{"a_b.bin", "a_b.name", "a_b (2).bin", "a_b (2).name"}));
  EXPECT_EQ(*library_.Image("a/b"), Factory(1));
  EXPECT_EQ(*library_.Image("a:b"), Factory(2));
}

TEST_F(Library, RefusesAnImageWithoutTheSignature) {
  DataBuf image = Factory(1);
  image[kImageSignatureOffset] = 0;
  EXPECT_FALSE(library_.Add("x", image).ok());
  EXPECT_TRUE(Names(library_).empty());
}

TEST_F(Library, RenamesDuplicatesAndRefusesUnknownNames) {
  ASSERT_TRUE(library_.Add("Shooter", Factory(1)).ok());
  ASSERT_TRUE(library_.Rename("shooter", "SHOOTER").ok());  // its own name in other letters
  ASSERT_TRUE(library_.Add("Racing", Factory(2)).ok());
  EXPECT_FALSE(library_.Rename("Racing", "Shooter").ok());
  ASSERT_TRUE(library_.Rename("Racing", kChinese).ok());
  ASSERT_TRUE(library_.Duplicate("SHOOTER", "Shooter 2").ok());
  EXPECT_EQ(Names(library_), (std::vector<std::string>{"SHOOTER", "Shooter 2", kChinese}));
  EXPECT_EQ(*library_.Image(kChinese), Factory(2));
  EXPECT_EQ(*library_.Image("Shooter 2"), Factory(1));
  EXPECT_FALSE(library_.Rename("Nobody", "x").ok());
  EXPECT_FALSE(library_.Duplicate("Nobody", "x").ok());
  EXPECT_FALSE(library_.Image("Nobody").ok());
}

TEST_F(Library, DeleteMovesToTheTrashAndRestoreBringsTheNewestBack) {
  ASSERT_TRUE(library_.Add("Shooter", Factory(1)).ok());
  ASSERT_TRUE(library_.Delete("Shooter").ok());
  ASSERT_TRUE(library_.Add("Shooter", Factory(2)).ok());
  ASSERT_TRUE(library_.Delete("shooter").ok());
  EXPECT_TRUE(Names(library_).empty());
  const auto deleted = library_.Deleted();
  ASSERT_TRUE(deleted.ok());
  ASSERT_EQ(deleted->size(), 2u);
  EXPECT_EQ(FilesBelow(library_.trash_folder()).size(), 4u);

  ASSERT_TRUE(library_.RestoreDeleted("Shooter").ok());
  EXPECT_EQ(*library_.Image("Shooter"), Factory(2));  // the one deleted last
  const Status taken = library_.RestoreDeleted("Shooter");
  ASSERT_FALSE(taken.ok());
  EXPECT_NE(taken.error().find("already exists"), std::string::npos) << taken.error();
  ASSERT_TRUE(library_.RestoreDeleted("Shooter", "Shooter (old)").ok());
  EXPECT_EQ(*library_.Image("Shooter (old)"), Factory(1));
  EXPECT_TRUE(library_.Deleted()->empty());
  EXPECT_TRUE(FilesBelow(library_.trash_folder()).empty());
}

TEST_F(Library, ImportsAndExportsProfileFiles) {
  fs::create_directories(root_ / "files");
  const fs::path file = root_ / "files" / PathFromUtf8(kChinese + ".bin");
  WriteBytes(file, ImageBytes(Factory(3)) + "tail bytes are not looked at");
  const auto imported = library_.Import(file, std::nullopt, ShippedExpectedCodes());
  ASSERT_TRUE(imported.ok()) << imported.error();
  EXPECT_EQ(imported->name, kChinese);
  EXPECT_EQ(*library_.Image(kChinese), Factory(3));

  const fs::path out = root_ / "files" / "out.bin";
  ASSERT_TRUE(library_.Export(kChinese, out).ok());
  EXPECT_EQ(ReadWholeFile(Utf8FromPath(out)), ImageVector(Factory(3)));
  EXPECT_FALSE(library_.Export("Nobody", out).ok());
}

TEST_F(Library, ImportRefusesWhatLoadProfileRefuses) {
  fs::create_directories(root_ / "files");
  DataBuf unsigned_image = Factory(1);
  unsigned_image[kImageSignatureOffset] = 0x98;
  DataBuf foreign = Factory(1);
  foreign[kManufacturerCodeAddress] = 0x12;
  foreign[kProductCodeAddress] = 0x34;
  const std::vector<std::pair<std::string, std::string>> files = {
      {"short.bin", ImageBytes(Factory(1)).substr(0, 1000)},
      {"unsigned.bin", ImageBytes(unsigned_image)},
      {"foreign.bin", ImageBytes(foreign)},
  };
  for (const auto& [name, bytes] : files) {
    WriteBytes(root_ / "files" / name, bytes);
    const auto imported = library_.Import(root_ / "files" / name, std::nullopt, ShippedExpectedCodes());
    EXPECT_FALSE(imported.ok()) << name;
  }
  EXPECT_FALSE(library_.Import(root_ / "files", "folder", ShippedExpectedCodes()).ok());
  EXPECT_FALSE(library_.Import(root_ / "files" / "missing.bin", "missing", ShippedExpectedCodes()).ok());
  EXPECT_TRUE(Names(library_).empty());
}

// Files changed behind the library's back: each is listed with what is
// wrong, none is left out, and none is overwritten by a later Add.
TEST_F(Library, ListsDamagedEntriesAndNeverOverwritesThem) {
  ASSERT_TRUE(library_.Add("Good", Factory(1)).ok());
  WriteBytes(folder() / "Short.bin", "too short");
  WriteBytes(folder() / "Short.name", "Short");
  WriteBytes(folder() / "Orphan.bin", ImageBytes(Factory(2)));  // a crash before its name was written
  WriteBytes(folder() / "NoImage.name", "No image");
  WriteBytes(folder() / "BadName.bin", ImageBytes(Factory(3)));
  WriteBytes(folder() / "BadName.name", "bad\nname");
  WriteBytes(folder() / "x.bin.1234abcd.tmp", "a temporary file left by a crash");
#ifndef _WIN32
  ASSERT_EQ(::mkfifo((folder() / "Fifo.bin").c_str(), 0600), 0);
#endif
  const auto entries = library_.List();
  ASSERT_TRUE(entries.ok());
  std::map<std::string, EntryState> states;
  for (const auto& entry : *entries) {
    states[entry.name] = entry.state;
    EXPECT_EQ(entry.problem.empty(), entry.state == EntryState::kOk) << entry.name << ": " << entry.problem;
  }
  std::map<std::string, EntryState> expected = {{"Good", EntryState::kOk},
                                                {"Short", EntryState::kDamaged},
                                                {"Orphan", EntryState::kNameLost},
                                                {"No image", EntryState::kImageMissing},
                                                {"BadName", EntryState::kNameLost}};
#ifndef _WIN32
  expected["Fifo"] = EntryState::kUnreadable;
#endif
  EXPECT_EQ(states, expected);

  EXPECT_EQ(*library_.Image("Orphan"), Factory(2));  // an image without its name is still usable
  EXPECT_FALSE(library_.Image("Short").ok());
  EXPECT_FALSE(library_.Add("short", Factory(1)).ok());  // the damaged entry keeps its name
  EXPECT_EQ(ReadWholeFile(Utf8FromPath(folder() / "Short.bin")), std::vector<std::uint8_t>({'t', 'o', 'o', ' ', 's', 'h', 'o', 'r', 't'}));
  ASSERT_TRUE(library_.Rename("Orphan", "Found again").ok());
  EXPECT_EQ(library_.Find("Found again")->state, EntryState::kOk);
  ASSERT_TRUE(library_.Delete("Short").ok());  // a damaged entry can still be put away
  EXPECT_FALSE(library_.Find("Short").ok());
}

// Every step of every write the library makes, failed in turn (as a full
// disk or a read-only folder would fail it): the operation says so and
// the library is as it was.
struct FailCase {
  const char* label;
  AtomicWriteStep step;
  int nth;  // fail the nth time this step comes (1 = the first)
};

class FailedWrites : public ::testing::TestWithParam<FailCase> {};

TEST_P(FailedWrites, LeaveTheLibraryAsItWas) {
  const fs::path root = zelko::testing::FreshTempFolder("profiles-fail");
  int seen = 0;
  int nth = 0;  // 0: nothing fails
  ProfileLibrary library(root / "profiles", [&](AtomicWriteStep step) {
    return step != GetParam().step || ++seen != nth;
  });
  ASSERT_TRUE(library.Add("Shooter", Factory(1)).ok());
  const auto before = FilesBelow(root);
  const auto names_before = Names(library);

  // Add writes the image, then the name.
  nth = GetParam().nth;
  seen = 0;
  const Status added = library.Add(kChinese, Factory(2));
  EXPECT_FALSE(added.ok());
  EXPECT_NE(added.error().find("was not saved"), std::string::npos) << added.error();
  EXPECT_EQ(FilesBelow(root), before);

  // Rename and Export write one file each.
  nth = 1;
  seen = 0;
  const Status renamed = library.Rename("Shooter", "Racing");
  EXPECT_FALSE(renamed.ok());
  EXPECT_EQ(FilesBelow(root), before);
  EXPECT_EQ(Names(library), names_before);

  seen = 0;
  EXPECT_FALSE(library.Export("Shooter", root / "out.bin").ok());
  EXPECT_EQ(FilesBelow(root), before);
  fs::remove_all(root);
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, FailedWrites,
    ::testing::Values(FailCase{"ImageNotCreated", AtomicWriteStep::kCreateTemp, 1},
                      FailCase{"ImageNotWritten", AtomicWriteStep::kWriteChunk, 1},
                      FailCase{"ImageNotFlushed", AtomicWriteStep::kSyncFile, 1},
                      FailCase{"ImageNotMoved", AtomicWriteStep::kRename, 1},
                      FailCase{"NameNotCreated", AtomicWriteStep::kCreateTemp, 2},
                      FailCase{"NameNotMoved", AtomicWriteStep::kRename, 2}),
    [](const auto& info) { return std::string(info.param.label); });

#ifndef _WIN32
// The same on a real file system that is full, and on one mounted
// read-only: the system's own refusal reaches the user. Needs root to
// mount; skipped without it.
class MountedFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = zelko::testing::FreshTempFolder("profiles-mount");
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
  }
  void TearDown() override {
    if (mounted_) ::umount2(root_.c_str(), MNT_DETACH);
    fs::remove_all(root_);
  }
  bool Mount(const char* options, unsigned long flags) {
    mounted_ = ::mount("tmpfs", root_.c_str(), "tmpfs", flags, options) == 0;
    return mounted_;
  }
  fs::path root_;
  bool mounted_ = false;
};

TEST_F(MountedFolder, FullDiskIsReportedAndNothingIsLeftBehind) {
  if (!Mount("size=16k", 0)) GTEST_SKIP() << "tmpfs cannot be mounted here";
  ProfileLibrary library(root_ / "profiles");
  Status added = Status::Ok();
  int kept = 0;
  for (; kept < 20; ++kept) {
    added = library.Add("Profile " + std::to_string(kept), Factory(1));
    if (!added) break;
  }
  ASSERT_FALSE(added.ok()) << "16 KiB never filled up";
  EXPECT_NE(added.error().find("No space left"), std::string::npos) << added.error();
  EXPECT_EQ(Names(library).size(), static_cast<std::size_t>(kept));
  for (const auto& file : FilesBelow(root_)) EXPECT_EQ(file.find(".tmp"), std::string::npos) << file;
}

TEST_F(MountedFolder, ReadOnlyFolderIsReportedAndTheLibraryStillReads) {
  if (!Mount("size=64k", 0)) GTEST_SKIP() << "tmpfs cannot be mounted here";
  ProfileLibrary library(root_ / "profiles");
  ASSERT_TRUE(library.Add("Shooter", Factory(1)).ok());
  ASSERT_EQ(::mount("tmpfs", root_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
  const Status added = library.Add("Racing", Factory(2));
  ASSERT_FALSE(added.ok());
  EXPECT_NE(added.error().find("Read-only"), std::string::npos) << added.error();
  EXPECT_FALSE(library.Rename("Shooter", "Racing").ok());
  EXPECT_FALSE(library.Delete("Shooter").ok());
  EXPECT_EQ(Names(library), std::vector<std::string>{"Shooter"});
  EXPECT_EQ(*library.Image("Shooter"), Factory(1));
}
#endif

}  // namespace
}  // namespace zelko
