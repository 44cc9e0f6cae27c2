#include "macros/library_file.h"
#include "test_support/scoped_environment.h"

#ifdef _WIN32
#include <process.h>
#include <stdlib.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/atomic_file.h"
#include "macros/macro_name_codec.h"
#include "base/file_reading.h"

namespace zelko {
namespace {

namespace fs = std::filesystem;

class LibraryFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("zelko-macro-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    file_ = folder_ / "ZELKO77-Macro.bin";
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::vector<std::uint8_t> FileBytes() const { return ReadWholeFile(file_.string()).value_or(std::vector<std::uint8_t>{}); }
  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }

  fs::path folder_;
  fs::path file_;
};

PCMacroLibrary Named(const char* name) {
  PCMacroLibrary library;
  library.names[0] = MacroNameStrToUnicode(name);
  library.contents[0][1] = 0x02;
  library.contents[99][223] = 0x77;  // the last byte of the file
  return library;
}

TEST_F(LibraryFileTest, MissingFileIsCreatedFromTheDefaultLibrary) {
  PCMacroLibrary library = Named("stale");
  EXPECT_EQ(LoadOrCreateLibraryFile(file_, library), LibraryLoad::kCreated);
  EXPECT_EQ(library, DefaultLibrary());
  EXPECT_EQ(library.CountInUse(), 0u);  // the shipped default library is empty
  EXPECT_EQ(FileBytes(), LibraryToBytes(library));
  EXPECT_EQ(FileBytes().size(), kLibraryFileSize);
}

TEST_F(LibraryFileTest, LoadsWhatTheFileHolds) {
  ASSERT_TRUE(SaveLibraryFile(file_, Named("one")));
  PCMacroLibrary library;
  EXPECT_EQ(LoadOrCreateLibraryFile(file_, library), LibraryLoad::kLoaded);
  EXPECT_EQ(library, Named("one"));
}

TEST_F(LibraryFileTest, ShortAndLongFiles) {
  PCMacroLibrary two = Named("x");
  two.names[1] = MacroNameStrToUnicode("partial-name");
  std::vector<std::uint8_t> bytes = LibraryToBytes(two);
  bytes.resize(256 + 17);  // one whole record and a part of the next
  {
    std::ofstream(file_, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<std::streamsize>(bytes.size()));
  }
  PCMacroLibrary library = Named("old");
  EXPECT_EQ(LoadOrCreateLibraryFile(file_, library), LibraryLoad::kLoadedShort);
  // The part is kept: the next write of the library loses none of it.
  PCMacroLibrary expected;
  expected.SetRecord(0, Named("x").Record(0));
  std::copy_n(two.names[1].begin(), 17, expected.names[1].begin());
  EXPECT_EQ(library, expected);

  bytes = LibraryToBytes(Named("y"));
  bytes.resize(kLibraryFileSize + 5, 0xEE);
  {
    std::ofstream(file_, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  EXPECT_EQ(LoadOrCreateLibraryFile(file_, library), LibraryLoad::kLoadedLong);
  EXPECT_EQ(library, Named("y"));

  fs::remove(file_);
  fs::create_directory(file_);  // a folder where the file should be
  EXPECT_EQ(LoadOrCreateLibraryFile(file_, library), LibraryLoad::kUnreadable);
}

// Counts the steps of one rewrite, so that each can be failed in turn.
std::size_t StepsOfOneRewrite(const fs::path& file) {
  std::size_t steps = 0;
  EXPECT_TRUE(SaveLibraryFile(file, Named("count"), [&](AtomicWriteStep) { return ++steps, true; }));
  return steps;
}

TEST_F(LibraryFileTest, AFailedStepLeavesTheOldFileAndNoTemporaryFile) {
  const std::size_t steps = StepsOfOneRewrite(file_);
  ASSERT_GT(steps, 8u);  // create, 7 chunks, sync, close, rename, folder
  for (std::size_t fail_at = 1; fail_at <= steps; ++fail_at) {
    ASSERT_TRUE(SaveLibraryFile(file_, Named("old")));
    std::size_t step = 0;
    AtomicWriteStep failed{};
    const bool written = SaveLibraryFile(file_, Named("new"), [&](AtomicWriteStep s) {
      failed = s;
      return ++step != fail_at;
    });
    const auto expected = LibraryToBytes(written ? Named("new") : Named("old"));
    EXPECT_EQ(FileBytes(), expected) << "step " << fail_at;
    EXPECT_EQ(FilesInFolder(), 1u) << "step " << fail_at;
    // Only the flush of the folder comes after the new file is in place.
    EXPECT_EQ(written, failed == AtomicWriteStep::kSyncFolder) << "step " << fail_at;
  }
}

#ifndef _WIN32
TEST_F(LibraryFileTest, ACrashAtAnyStepLeavesTheOldOrTheNewFile) {
  const std::size_t steps = StepsOfOneRewrite(file_);
  const auto old_bytes = LibraryToBytes(Named("old"));
  const auto new_bytes = LibraryToBytes(Named("new"));
  for (std::size_t crash_at = 1; crash_at <= steps; ++crash_at) {
    ASSERT_TRUE(SaveLibraryFile(file_, Named("old")));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // The process dies at this step, with no clean-up of any kind.
      std::size_t step = 0;
      (void)SaveLibraryFile(file_, Named("new"), [&](AtomicWriteStep) {  // the child dies inside
        if (++step == crash_at) ::_exit(0);
        return true;
      });
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    const auto bytes = FileBytes();
    EXPECT_TRUE(bytes == old_bytes || bytes == new_bytes) << "crash at step " << crash_at;
    // A later rewrite still succeeds next to what the crash left.
    ASSERT_TRUE(SaveLibraryFile(file_, Named("after")));
    EXPECT_EQ(FileBytes(), LibraryToBytes(Named("after")));
    for (const auto& entry : fs::directory_iterator(folder_)) {
      if (entry.path() != file_) fs::remove(entry.path());
    }
  }
}

#endif

#ifndef _WIN32
TEST_F(LibraryFileTest, FolderIsPathKeyThenUserDataFolderNeverBesideTheProgram) {
  EXPECT_EQ(MacroFolder("C:\\Macros\\", folder_), "C:\\Macros\\");  // taken as written
  EXPECT_EQ(LibraryFilePath("dir/"), fs::path("dir/ZELKO77-Macro.bin"));

  testing_support::ScopedEnvironment env;
  env.Set("XDG_DATA_HOME", (folder_ / "data").string());
  // A writable program folder is not used on Linux.
  EXPECT_EQ(MacroFolder("", folder_), (folder_ / "data" / "zelko77" / "").string());
  EXPECT_TRUE(fs::is_directory(folder_ / "data" / "zelko77"));
}

#else
// On Windows the library lives in the program's folder when the user may
// write there, else in %APPDATA%\zelko77 (made when missing); a folder
// named in Chinese is no different.
TEST_F(LibraryFileTest, FolderIsPathKeyThenAWritableProgramFolderThenAppData) {
  EXPECT_EQ(MacroFolder("C:\\Macros\\", folder_), "C:\\Macros\\");  // taken as written

  const fs::path program = folder_ / L"\u7A0B\u5E8F";  // "程序"
  const fs::path appdata = folder_ / L"\u6570\u636E";  // "数据"
  fs::create_directories(program);
  const std::wstring saved = _wgetenv(L"APPDATA") ? _wgetenv(L"APPDATA") : L"";
  _wputenv_s(L"APPDATA", appdata.c_str());

  const auto beside = MacroFolder("", program);
  ASSERT_TRUE(beside.has_value());
  EXPECT_EQ(LibraryFilePath(*beside), program / "ZELKO77-Macro.bin");
  // A program folder that cannot take files: missing, or a file.
  std::ofstream(folder_ / "a-file") << "x";
  for (const fs::path& closed : {folder_ / "missing", folder_ / "a-file"}) {
    const auto user = MacroFolder("", closed);
    ASSERT_TRUE(user.has_value()) << closed;
    EXPECT_EQ(LibraryFilePath(*user), appdata / "zelko77" / "ZELKO77-Macro.bin") << closed;
  }
  EXPECT_TRUE(fs::is_directory(appdata / "zelko77"));

  // The library is made, written and read again in the Chinese-named folder.
  const fs::path file = LibraryFilePath(*MacroFolder("", folder_ / "missing"));
  PCMacroLibrary library;
  EXPECT_EQ(LoadOrCreateLibraryFile(file, library), LibraryLoad::kCreated);
  ASSERT_TRUE(SaveLibraryFile(file, Named("one")));
  PCMacroLibrary again;
  EXPECT_EQ(LoadOrCreateLibraryFile(file, again), LibraryLoad::kLoaded);
  EXPECT_EQ(again, Named("one"));
  _wputenv_s(L"APPDATA", saved.c_str());
}
#endif

}  // namespace
}  // namespace zelko
