// The library file "ZELKO77-Macro.bin": the 100 library records back to
// back, 25,600 bytes, entry i at offset 256 * i.
//
// Where it lives (MacroFolder): the layout pack's Path key, used as a prefix
// exactly as written; when that is empty, the user's data folder
// ($XDG_DATA_HOME/zelko77/, ~/.local/share/zelko77/ by default), created
// when missing. On Windows the program's own folder comes first when it is
// writable, then %APPDATA%\zelko77\. On Linux nothing is ever written
// beside the program.
#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/atomic_file.h"
#include "macros/macro_library.h"

namespace zelko {

inline constexpr std::string_view kLibraryFileName = "ZELKO77-Macro.bin";
// The resource the first library is made from; of its 27,200 bytes the first
// 25,600 are the 100 records.
inline constexpr std::string_view kDefaultLibraryResource = "PCMacroData";

// The folder prefix of the library file (ends with a separator unless it is
// the layout pack's Path, which is taken as written). Nothing when no Path
// is set and no user data folder is known (no HOME).
std::optional<std::string> MacroFolder(std::string_view layout_path,
                                       const std::filesystem::path& program_folder);
std::filesystem::path LibraryFilePath(std::string_view macro_folder);

// The default library: the first 25,600 bytes of PCMacroData as records;
// zeros where the resource is missing or shorter.
PCMacroLibrary DefaultLibrary();

enum class LibraryLoad {
  kLoaded,         // the file had exactly 25,600 bytes
  kLoadedShort,    // shorter: the entries it reaches were read (a last one in part), the rest are empty
  kLoadedLong,     // longer: its first 25,600 bytes were read
  kCreated,        // it was missing and was made from the default library
  kCreateFailed,   // it was missing and could not be created; the default is in memory
  kUnreadable,     // it exists but cannot be read; nothing was loaded
};

// The library from the bytes of a library file of any size: kLoaded,
// kLoadedShort or kLoadedLong. `library` starts empty.
LibraryLoad LibraryFromBytes(std::span<const std::uint8_t> bytes, PCMacroLibrary& library);

// CheckPCMacro: loads the library from the file, creating the file from the
// default library when it is missing. `library` starts empty.
[[nodiscard]] LibraryLoad LoadOrCreateLibraryFile(const std::filesystem::path& file, PCMacroLibrary& library,
                         const AtomicWriteHook& hook = {});

// RefreshPCMacro: replaces the file with the whole library, atomically.
[[nodiscard]] bool SaveLibraryFile(const std::filesystem::path& file, const PCMacroLibrary& library,
                    const AtomicWriteHook& hook = {});

}  // namespace zelko
