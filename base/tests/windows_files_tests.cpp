// File handling as Windows does it (run under Wine): paths held as UTF-8
// reach the file system as the same UTF-16 names, files are written byte
// for byte, a replacement the system refuses keeps the old file, and the
// user's data folder is %APPDATA%\zelko77.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "base/file_reading.h"
#include "base/path_text.h"
#include "base/user_folders.h"

namespace zelko {
namespace {

namespace fs = std::filesystem;

// "宏文件" (macro files) in UTF-8 and as Windows names it.
constexpr const char* kChineseUtf8 = "\xE5\xAE\x8F\xE6\x96\x87\xE4\xBB\xB6";
constexpr const wchar_t* kChineseWide = L"\u5B8F\u6587\u4EF6";

class WindowsFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("zelko-windows-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string Utf8(const fs::path& path) const { return Utf8FromPath(path); }
  std::size_t Entries(const fs::path& folder) const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
  }

  fs::path folder_;
};

TEST_F(WindowsFiles, AFolderNamedInChineseIsWrittenAndReadUnderItsOwnName) {
  const std::string file = Utf8(folder_) + "\\" + kChineseUtf8 + "\\" + kChineseUtf8 + ".bin";
  ASSERT_TRUE(fs::create_directory(folder_ / kChineseWide));
  const std::vector<std::uint8_t> bytes{1, 2, 3, 4};
  ASSERT_EQ(WriteFileAtomically(file, bytes), "");
  EXPECT_TRUE(fs::is_regular_file(folder_ / kChineseWide / (std::wstring(kChineseWide) + L".bin")));
  EXPECT_EQ(ReadWholeFile(file), bytes);
  EXPECT_EQ(Entries(folder_ / kChineseWide), 1u);  // no temporary left
  EXPECT_EQ(PathFromUtf8(file), folder_ / kChineseWide / (std::wstring(kChineseWide) + L".bin"));
  EXPECT_EQ(Utf8FromPath(PathFromUtf8(file)), file);
}

TEST_F(WindowsFiles, BytesAreWrittenAndReadAsTheyAreWithNoLineEndOrEndOfFileTranslation) {
  const std::string file = Utf8(folder_ / "binary.bin");
  // LF, CR LF, a lone CR and Ctrl-Z, which text mode would change or stop at.
  const std::vector<std::uint8_t> bytes{'a', '\n', 'b', '\r', '\n', 'c', '\r', 0x1A, 'd', '\n'};
  ASSERT_EQ(WriteFileAtomically(file, bytes), "");
  EXPECT_EQ(fs::file_size(PathFromUtf8(file)), bytes.size());
  EXPECT_EQ(ReadWholeFile(file), bytes);
}

TEST_F(WindowsFiles, AReplacementTheSystemRefusesKeepsTheOldFile) {
  const fs::path target = folder_ / "library.bin";
  const std::vector<std::uint8_t> old_bytes{1, 1, 1}, new_bytes{2, 2};
  ASSERT_EQ(WriteFileAtomically(Utf8(target), old_bytes), "");
  // Another program holds the file open without letting it be replaced.
  const HANDLE held = CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const std::string error = WriteFileAtomically(Utf8(target), new_bytes);
  CloseHandle(held);
  EXPECT_NE(error.find("cannot replace"), std::string::npos) << error;
  EXPECT_EQ(ReadWholeFile(Utf8(target)), old_bytes);
  EXPECT_EQ(Entries(folder_), 1u);  // the temporary is gone
  // Once the file is free again it is replaced.
  EXPECT_EQ(WriteFileAtomically(Utf8(target), new_bytes), "");
  EXPECT_EQ(ReadWholeFile(Utf8(target)), new_bytes);
}

// Sets APPDATA for one test and restores it afterwards.
class AppData {
 public:
  explicit AppData(const std::wstring& value) {
    if (const wchar_t* old = _wgetenv(L"APPDATA")) saved_ = old;
    _wputenv_s(L"APPDATA", value.c_str());
  }
  ~AppData() { _wputenv_s(L"APPDATA", saved_ ? saved_->c_str() : L""); }
  AppData(const AppData&) = delete;
  AppData& operator=(const AppData&) = delete;

 private:
  std::optional<std::wstring> saved_;
};

TEST_F(WindowsFiles, TheUsersFoldersAreBelowAppData) {
  const fs::path appdata = folder_ / kChineseWide;
  AppData set(appdata.wstring());
  EXPECT_EQ(UserDataFolder(), appdata / "zelko77");
  EXPECT_EQ(UserConfigFolder(), appdata / "zelko77");
  {
    AppData relative(L"relative\\folder");
    EXPECT_EQ(UserDataFolder(), std::nullopt);
  }
}

TEST_F(WindowsFiles, AFolderIsWritableOnlyWhenAFileCanBeMadeThere) {
  EXPECT_TRUE(FolderWritable(folder_));
  EXPECT_EQ(Entries(folder_), 0u);  // the probe is gone
  EXPECT_FALSE(FolderWritable(folder_ / "missing"));
  ASSERT_EQ(WriteFileAtomically(Utf8(folder_ / "file"), std::vector<std::uint8_t>{1}), "");
  EXPECT_FALSE(FolderWritable(folder_ / "file"));
}

TEST_F(WindowsFiles, TheProgramFolderHoldsTheRunningProgram) {
  const auto folder = ProgramFolder();
  ASSERT_TRUE(folder.has_value());
  EXPECT_TRUE(fs::is_regular_file(*folder / "base_tests.exe")) << *folder;
}

}  // namespace
}  // namespace zelko
