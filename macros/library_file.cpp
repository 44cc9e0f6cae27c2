#include "macros/library_file.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "device/atomic_file.h"
#include "resources/resources.h"

namespace zelko {
namespace {

std::string WithSeparator(const std::filesystem::path& folder) {
  std::string text = folder.string();
  if (text.empty() || text.back() != std::filesystem::path::preferred_separator) {
    text += std::filesystem::path::preferred_separator;
  }
  return text;
}

bool FolderWritable(const std::filesystem::path& folder) {
  return !folder.empty() && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

std::filesystem::path UserDataFolder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  std::filesystem::path base;
  if (xdg != nullptr && std::filesystem::path(xdg).is_absolute()) {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = std::filesystem::path(home != nullptr ? home : ".") / ".local" / "share";
  }
  return base / "zelko77";
}

std::string MacroFolder(std::string_view layout_path, const std::filesystem::path& program_folder) {
  if (!layout_path.empty()) return std::string(layout_path);
  if (FolderWritable(program_folder)) return WithSeparator(program_folder);
  const std::filesystem::path user = UserDataFolder();
  std::error_code error;
  std::filesystem::create_directories(user, error);
  return WithSeparator(user);
}

std::filesystem::path LibraryFilePath(std::string_view macro_folder) {
  return std::filesystem::path(std::string(macro_folder) + std::string(kLibraryFileName));
}

PCMacroLibrary DefaultLibrary() {
  PCMacroLibrary library;
  if (const auto resource = LookupResource(kDefaultLibraryResource)) {
    ReadLibraryRecords(resource->first(std::min(resource->size(), kLibraryFileSize)), library);
  }
  return library;
}

LibraryLoad CheckPCMacro(const std::filesystem::path& file, PCMacroLibrary& library,
                         const AtomicWriteHook& hook) {
  std::error_code error;
  if (!std::filesystem::exists(file, error) && !error) {
    library = DefaultLibrary();
    return RefreshPCMacro(file, library, hook) ? LibraryLoad::kCreated : LibraryLoad::kCreateFailed;
  }
  if (!std::filesystem::is_regular_file(file, error)) return LibraryLoad::kUnreadable;
  const auto bytes = ReadWholeFile(file.string());
  if (!bytes) return LibraryLoad::kUnreadable;
  library = PCMacroLibrary{};
  ReadLibraryRecords(*bytes, library);
  if (bytes->size() < kLibraryFileSize) return LibraryLoad::kLoadedShort;
  if (bytes->size() > kLibraryFileSize) return LibraryLoad::kLoadedLong;
  return LibraryLoad::kLoaded;
}

bool RefreshPCMacro(const std::filesystem::path& file, const PCMacroLibrary& library,
                    const AtomicWriteHook& hook) {
  const auto bytes = LibraryToBytes(library);
  return WriteFileAtomically(file.string(), bytes, hook).empty();
}

}  // namespace zelko
