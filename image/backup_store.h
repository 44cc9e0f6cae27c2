// Backups of the mouse's image, kept before every write: one file per
// backup in the user's data folder, named by time so that the names sort
// oldest first, and by the write that made it; only the newest few are
// kept.
//
//   zelko77-20261210-021642-123-set-button.part       the sections set-button read
//   zelko77-20261210-021700-004-load.bin              a whole image, before a load
//   zelko77-20261210-021705-870-restore-of-20261210-021700-004.bin
//                                                     before a restore put back the one above
//   zelko77-20261210-021642-123.bin                   a whole image of an older version
//
// A `.bin` backup is the 2048 bytes of the image, as a profile file; a
// `.part` backup holds only some ranges (image/section_backup.h).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/image_layout.h"
#include "image/section_backup.h"

namespace zelko {

inline constexpr std::size_t kBackupsKept = 10;

// $XDG_DATA_HOME/zelko77/backups, else $HOME/.local/share/zelko77/backups
// (%APPDATA%\zelko77\backups on Windows). Empty when none of these is set.
std::string DefaultBackupFolder();

// "20261210-021642-123" for a time in milliseconds since the epoch (UTC).
std::string BackupStamp(std::uint64_t epoch_ms);

// "zelko77-20261210-021642-123.bin" for a time in milliseconds since the
// epoch (UTC).
std::string BackupFileName(std::uint64_t epoch_ms);

// Who made a backup: the write it guards ("set-button", "load", "restore",
// ...; lower-case letters, digits and '-') and, for a restore, the stamp of
// the backup it put back.
struct BackupMaker {
  std::string write;
  std::string restored_stamp;
};

inline constexpr std::string_view kRestoreWrite = "restore";

// The name of a backup made at `epoch_ms` by `maker`, whole or of ranges.
std::string BackupFileName(std::uint64_t epoch_ms, const BackupMaker& maker, bool whole);

// One backup as its name tells it.
struct BackupEntry {
  std::string path;
  std::string stamp;  // "20261210-021642-123"
  BackupMaker maker;  // write empty: a backup of an older version
  bool whole = true;  // .bin (the whole image) or .part (some ranges)
  bool made_by_restore() const { return maker.write == kRestoreWrite; }
};

// What a file name says, when it is a backup's name.
std::optional<BackupEntry> ParseBackupName(const std::string& path);

struct [[nodiscard]] BackupSaved {
  std::string path;   // the file written; empty on failure
  std::string error;  // why it failed
  bool ok() const { return error.empty(); }
};

// Writes the image as a new backup (atomically), then removes the oldest
// backups beyond `keep`. Creates the folder when needed.
BackupSaved SaveBackup(const std::string& folder, const DataBuf& image, std::uint64_t epoch_ms,
                       std::size_t keep = kBackupsKept);

// The same for `content` (the whole image or some ranges of it), named by
// the write it guards.
BackupSaved SaveBackup(const std::string& folder, const BackupContent& content,
                       const BackupMaker& maker, std::uint64_t epoch_ms,
                       std::size_t keep = kBackupsKept);

// The backups in the folder, newest first (full paths).
std::vector<std::string> ListBackups(const std::string& folder);
// The same with what their names tell.
std::vector<BackupEntry> ListBackupEntries(const std::string& folder);

// The backup a plain `restore` puts back: the newest one that no restore
// made and no restore has already put back. A backup made by a restore
// holds what that restore undid, and every backup from the one it put back
// on was undone by it, so repeated restores walk back through the backups
// instead of undoing each other. Nothing when every backup was walked past.
std::optional<BackupEntry> BackupToRestore(const std::vector<BackupEntry>& newest_first);

// Milliseconds since the epoch now.
std::uint64_t EpochMsNow();

}  // namespace zelko
