#include "macros/library_file.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "base/atomic_file.h"
#include "base/user_folders.h"
#include "resources/resources.h"
#include "base/file_reading.h"
#include "base/path_text.h"

namespace zelko {
namespace {

std::string WithSeparator(const std::filesystem::path& folder) {
  std::string text = Utf8FromPath(folder);
  if (text.empty() || text.back() != std::filesystem::path::preferred_separator) {
    text += std::filesystem::path::preferred_separator;
  }
  return text;
}

}  // namespace

std::optional<std::string> MacroFolder(std::string_view layout_path,
                                       const std::filesystem::path& program_folder) {
  if (!layout_path.empty()) return std::string(layout_path);
#ifdef _WIN32
  if (FolderWritable(program_folder)) return WithSeparator(program_folder);
#else
  // Beside the binary is never a place for the user's data on Linux.
  (void)program_folder;
#endif
  const auto user = UserDataFolder();
  if (!user) return std::nullopt;
  std::error_code error;
  std::filesystem::create_directories(*user, error);
  return WithSeparator(*user);
}

std::filesystem::path LibraryFilePath(std::string_view macro_folder) {
  return PathFromUtf8(std::string(macro_folder) + std::string(kLibraryFileName));
}

PCMacroLibrary DefaultLibrary() {
  PCMacroLibrary library;
  if (const auto resource = LookupResource(kDefaultLibraryResource)) {
    ReadLibraryRecords(resource->first(std::min(resource->size(), kLibraryFileSize)), library);
  }
  return library;
}

LibraryLoad LoadOrCreateLibraryFile(const std::filesystem::path& file, PCMacroLibrary& library,
                         const AtomicWriteHook& hook) {
  std::error_code error;
  if (!std::filesystem::exists(file, error) && !error) {
    library = DefaultLibrary();
    return SaveLibraryFile(file, library, hook) ? LibraryLoad::kCreated : LibraryLoad::kCreateFailed;
  }
  if (!std::filesystem::is_regular_file(file, error)) return LibraryLoad::kUnreadable;
  auto bytes = ReadWholeFile(Utf8FromPath(file));
  if (!bytes) return LibraryLoad::kUnreadable;
  return LibraryFromBytes(*bytes, library);
}

LibraryLoad LibraryFromBytes(std::span<const std::uint8_t> bytes, PCMacroLibrary& library) {
  library = PCMacroLibrary{};
  // A short file fills the entries it reaches: a record it covers in part
  // keeps those bytes, the rest of it zero, so the next write loses none.
  std::vector<std::uint8_t> covered(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(
                                                                     std::min(bytes.size(), kLibraryFileSize)));
  covered.resize((covered.size() + kMacroRecordSize - 1) / kMacroRecordSize * kMacroRecordSize, 0);
  ReadLibraryRecords(covered, library);
  if (bytes.size() < kLibraryFileSize) return LibraryLoad::kLoadedShort;
  if (bytes.size() > kLibraryFileSize) return LibraryLoad::kLoadedLong;
  return LibraryLoad::kLoaded;
}

bool SaveLibraryFile(const std::filesystem::path& file, const PCMacroLibrary& library,
                    const AtomicWriteHook& hook) {
  const auto bytes = LibraryToBytes(library);
  return WriteFileAtomically(Utf8FromPath(file), bytes, hook).empty();
}

}  // namespace zelko
