// The user's own folders for what the programs keep between runs. One rule
// for every caller:
//   data   $XDG_DATA_HOME/zelko77, else ~/.local/share/zelko77
//          (%APPDATA%\zelko77 on Windows): macro library, backups
//   config $XDG_CONFIG_HOME/zelko77, else ~/.config/zelko77
//          (%APPDATA%\zelko77 on Windows): the OS pointer settings
// An XDG variable that is empty or not an absolute path is ignored, as the
// XDG base directory rules say. Nothing when no home folder is known.
#pragma once
#include <filesystem>
#include <optional>

namespace zelko {

std::optional<std::filesystem::path> UserDataFolder();
std::optional<std::filesystem::path> UserConfigFolder();

// True when the folder exists and the user may create files in it. On
// Windows that is tried by creating (and at once deleting) a file there,
// because the C runtime's access check ignores the folder's permissions
// (a program folder below "Program Files" passes it).
bool FolderWritable(const std::filesystem::path& folder);

// The folder of the running program's file; nothing when the system does
// not tell it.
std::optional<std::filesystem::path> ProgramFolder();

}  // namespace zelko
