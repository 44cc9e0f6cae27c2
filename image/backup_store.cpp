#include "image/backup_store.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "base/atomic_file.h"
#include "base/path_text.h"
#include "base/user_folders.h"

namespace zelko {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = "zelko77-";
constexpr std::string_view kSuffix = ".bin";

bool IsBackupName(const std::string& name) {
  return name.size() > kPrefix.size() + kSuffix.size() && name.starts_with(kPrefix) &&
         name.ends_with(kSuffix);
}

}  // namespace

std::string DefaultBackupFolder() {
  const auto data = UserDataFolder();
  return data ? Utf8FromPath(*data / "backups") : std::string();
}

std::string BackupFileName(std::uint64_t epoch_ms) {
  const std::time_t seconds = static_cast<std::time_t>(epoch_ms / 1000);
  std::tm utc{};
#ifdef _WIN32
  gmtime_s(&utc, &seconds);
#else
  gmtime_r(&seconds, &utc);
#endif
  char text[64];
  std::snprintf(text, sizeof text, "zelko77-%04d%02d%02d-%02d%02d%02d-%03u.bin",
                utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min,
                utc.tm_sec, static_cast<unsigned>(epoch_ms % 1000));
  return text;
}

std::vector<std::string> ListBackups(const std::string& folder) {
  std::vector<std::string> paths;
  std::error_code error;
  for (fs::directory_iterator it(PathFromUtf8(folder), error), end; !error && it != end; it.increment(error)) {
    const std::string name = Utf8FromPath(it->path().filename());
    if (IsBackupName(name) && it->is_regular_file(error)) paths.push_back(Utf8FromPath(it->path()));
  }
  std::sort(paths.begin(), paths.end(), std::greater<>());
  return paths;
}

BackupSaved SaveBackup(const std::string& folder, const DataBuf& image, std::uint64_t epoch_ms,
                       std::size_t keep) {
  BackupSaved saved;
  if (folder.empty()) {
    saved.error = "no folder for backups (set XDG_DATA_HOME or HOME)";
    return saved;
  }
  std::error_code error;
  fs::create_directories(PathFromUtf8(folder), error);
  if (error) {
    saved.error = "cannot create " + folder + ": " + error.message();
    return saved;
  }
  // Two backups within the same millisecond get successive names.
  std::uint64_t stamp = epoch_ms;
  fs::path path = PathFromUtf8(folder) / BackupFileName(stamp);
  while (fs::exists(path, error)) path = PathFromUtf8(folder) / BackupFileName(++stamp);

  saved.error = WriteFileAtomically(Utf8FromPath(path), image);
  if (!saved.ok()) return saved;
  saved.path = Utf8FromPath(path);

  // The oldest go, but never the backup just written: with the clock set
  // back its name sorts among the oldest, and the write it guards is yet to
  // come.
  std::size_t kept = 1;
  for (const auto& other : ListBackups(folder)) {
    if (PathFromUtf8(other).filename() == path.filename()) continue;
    if (kept < std::max<std::size_t>(keep, 1)) {
      ++kept;
    } else {
      fs::remove(PathFromUtf8(other), error);
    }
  }
  return saved;
}

std::uint64_t EpochMsNow() {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(
      duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
}

}  // namespace zelko
