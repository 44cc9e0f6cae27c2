// The user's own folders for what the programs keep between runs. One rule
// for every caller:
//   data   $XDG_DATA_HOME/zelko77, else ~/.local/share/zelko77
//          (%APPDATA%\zelko77 on Windows): macro library, backups
//   config $XDG_CONFIG_HOME/zelko77, else ~/.config/zelko77
//          (%APPDATA%\zelko77 on Windows): the OS pointer settings
//   runtime $XDG_RUNTIME_DIR/zelko77, else /tmp/zelko77-UID (POSIX only):
//          the mouse locks and the one-window socket, for this user alone
// An XDG variable that is empty or not an absolute path is ignored, as the
// XDG base directory rules say. Nothing when no home folder is known.
#pragma once
#include <filesystem>
#include <optional>

#include "base/result.h"

namespace zelko {

std::optional<std::filesystem::path> UserDataFolder();
std::optional<std::filesystem::path> UserConfigFolder();

#ifndef _WIN32
// The user's private runtime folder, made (mode 0700) when missing. A
// folder that is there already is used only when it is a real folder (not
// a link), owned by this user and closed to everyone else: another local
// user could otherwise have made it first and put things in it. It is
// never repaired, only refused, with the reason.
Result<std::filesystem::path> UserRuntimeFolder();
// The same check for any folder: empty when it is private to this user.
std::string PrivateFolderProblem(const std::filesystem::path& folder);
#endif

// True when the folder exists and the user may create files in it. On
// Windows that is tried by creating (and at once deleting) a file there,
// because the C runtime's access check ignores the folder's permissions
// (a program folder below "Program Files" passes it).
bool FolderWritable(const std::filesystem::path& folder);

// The folder of the running program's file; nothing when the system does
// not tell it.
std::optional<std::filesystem::path> ProgramFolder();

}  // namespace zelko
