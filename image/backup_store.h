// Backups of the mouse's image, kept before every write: one file per
// backup in the user's data folder, named by time so that the names sort
// oldest first; only the newest few are kept.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "image/image_layout.h"

namespace zelko {

inline constexpr std::size_t kBackupsKept = 10;

// $XDG_DATA_HOME/zelko77/backups, else $HOME/.local/share/zelko77/backups
// (%APPDATA%\zelko77\backups on Windows). Empty when none of these is set.
std::string DefaultBackupFolder();

// "zelko77-20261210-021642-123.bin" for a time in milliseconds since the
// epoch (UTC).
std::string BackupFileName(std::uint64_t epoch_ms);

struct [[nodiscard]] BackupSaved {
  std::string path;   // the file written; empty on failure
  std::string error;  // why it failed
  bool ok() const { return error.empty(); }
};

// Writes the image as a new backup (atomically), then removes the oldest
// backups beyond `keep`. Creates the folder when needed.
BackupSaved SaveBackup(const std::string& folder, const DataBuf& image, std::uint64_t epoch_ms,
                       std::size_t keep = kBackupsKept);

// The backups in the folder, newest first (full paths).
std::vector<std::string> ListBackups(const std::string& folder);

// Milliseconds since the epoch now.
std::uint64_t EpochMsNow();

}  // namespace zelko
