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
constexpr std::string_view kWholeSuffix = ".bin";
constexpr std::string_view kPartSuffix = ".part";
constexpr std::string_view kRestoredMark = "-of-";
// "20261210-021642-123"
constexpr std::size_t kStampLength = 19;

bool IsStamp(std::string_view text) {
  if (text.size() != kStampLength) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool dash = i == 8 || i == 15;
    if (dash ? text[i] != '-' : (text[i] < '0' || text[i] > '9')) return false;
  }
  return true;
}

bool IsWriteName(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
  });
}

}  // namespace

std::string DefaultBackupFolder() {
  const auto data = UserDataFolder();
  return data ? Utf8FromPath(*data / "backups") : std::string();
}

std::string BackupStamp(std::uint64_t epoch_ms) {
  const std::time_t seconds = static_cast<std::time_t>(epoch_ms / 1000);
  std::tm utc{};
#ifdef _WIN32
  gmtime_s(&utc, &seconds);
#else
  gmtime_r(&seconds, &utc);
#endif
  char text[40];
  std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d-%03u", utc.tm_year + 1900,
                utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                static_cast<unsigned>(epoch_ms % 1000));
  return text;
}

std::string BackupFileName(std::uint64_t epoch_ms) {
  return std::string(kPrefix) + BackupStamp(epoch_ms) + std::string(kWholeSuffix);
}

std::string BackupFileName(std::uint64_t epoch_ms, const BackupMaker& maker, bool whole) {
  std::string name = std::string(kPrefix) + BackupStamp(epoch_ms);
  if (IsWriteName(maker.write)) {
    name += "-" + maker.write;
    if (IsStamp(maker.restored_stamp)) name += std::string(kRestoredMark) + maker.restored_stamp;
  }
  return name + std::string(whole ? kWholeSuffix : kPartSuffix);
}

std::optional<BackupEntry> ParseBackupName(const std::string& path) {
  const std::string name = Utf8FromPath(PathFromUtf8(path).filename());
  BackupEntry entry;
  entry.path = path;
  std::string_view rest = name;
  if (!rest.starts_with(kPrefix)) return std::nullopt;
  rest.remove_prefix(kPrefix.size());
  if (rest.ends_with(kWholeSuffix)) {
    rest.remove_suffix(kWholeSuffix.size());
  } else if (rest.ends_with(kPartSuffix)) {
    rest.remove_suffix(kPartSuffix.size());
    entry.whole = false;
  } else {
    return std::nullopt;
  }
  if (rest.size() < kStampLength || !IsStamp(rest.substr(0, kStampLength))) return std::nullopt;
  entry.stamp = std::string(rest.substr(0, kStampLength));
  rest.remove_prefix(kStampLength);
  if (rest.empty()) return entry;
  if (rest.front() != '-') return std::nullopt;
  rest.remove_prefix(1);
  // "restore-of-<stamp>": the stamp of the backup that restore put back.
  if (const auto mark = rest.rfind(kRestoredMark);
      mark != std::string_view::npos && IsStamp(rest.substr(mark + kRestoredMark.size()))) {
    entry.maker.restored_stamp = std::string(rest.substr(mark + kRestoredMark.size()));
    rest = rest.substr(0, mark);
  }
  if (!IsWriteName(rest)) return std::nullopt;
  entry.maker.write = std::string(rest);
  return entry;
}

std::vector<BackupEntry> ListBackupEntries(const std::string& folder) {
  std::vector<BackupEntry> entries;
  std::error_code error;
  for (fs::directory_iterator it(PathFromUtf8(folder), error), end; !error && it != end; it.increment(error)) {
    auto entry = ParseBackupName(Utf8FromPath(it->path()));
    if (entry && it->is_regular_file(error)) entries.push_back(std::move(*entry));
  }
  // Newest first by the stamp; the whole name breaks a tie.
  std::sort(entries.begin(), entries.end(), [](const BackupEntry& a, const BackupEntry& b) {
    return a.stamp != b.stamp ? a.stamp > b.stamp : a.path > b.path;
  });
  return entries;
}

std::vector<std::string> ListBackups(const std::string& folder) {
  std::vector<std::string> paths;
  for (auto& entry : ListBackupEntries(folder)) paths.push_back(std::move(entry.path));
  return paths;
}

std::optional<BackupEntry> BackupToRestore(const std::vector<BackupEntry>& newest_first) {
  // Backups from `undone_from` on hold states a later restore already
  // walked back over.
  std::optional<std::string> undone_from;
  for (const auto& entry : newest_first) {
    if (entry.made_by_restore()) {
      if (!entry.maker.restored_stamp.empty() &&
          (!undone_from || entry.maker.restored_stamp < *undone_from)) {
        undone_from = entry.maker.restored_stamp;
      }
      continue;
    }
    if (undone_from && entry.stamp >= *undone_from) continue;
    return entry;
  }
  return std::nullopt;
}

BackupSaved SaveBackup(const std::string& folder, const DataBuf& image, std::uint64_t epoch_ms,
                       std::size_t keep) {
  return SaveBackup(folder, BackupContent::Whole(image), BackupMaker{}, epoch_ms, keep);
}

BackupSaved SaveBackup(const std::string& folder, const BackupContent& content,
                       const BackupMaker& maker, std::uint64_t epoch_ms, std::size_t keep) {
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
  // Two backups within the same millisecond get successive stamps, so that
  // the newest is always the one named last, whatever made them.
  std::uint64_t stamp = epoch_ms;
  const std::vector<BackupEntry> existing = ListBackupEntries(folder);
  const auto taken = [&existing](std::uint64_t ms) {
    const std::string wanted = BackupStamp(ms);
    return std::any_of(existing.begin(), existing.end(),
                       [&](const BackupEntry& e) { return e.stamp == wanted; });
  };
  while (taken(stamp)) ++stamp;
  const fs::path path = PathFromUtf8(folder) / BackupFileName(stamp, maker, content.whole());

  saved.error = WriteFileAtomically(Utf8FromPath(path), EncodeBackup(content));
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
