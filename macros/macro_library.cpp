#include "macros/macro_library.h"

#include <algorithm>

#include "macros/macro_name_codec.h"

namespace zelko {

std::vector<std::size_t> PCMacroLibrary::EntriesInUse() const {
  std::vector<std::size_t> entries;
  for (std::size_t i = 0; i < kLibraryEntryCount; ++i) {
    if (NameInUse(names[i])) entries.push_back(i);
  }
  return entries;
}

std::size_t PCMacroLibrary::CountInUse() const {
  return static_cast<std::size_t>(
      std::count_if(names.begin(), names.end(), [](const MacroName& n) { return NameInUse(n); }));
}

std::optional<std::size_t> PCMacroLibrary::FirstFreeEntry() const {
  for (std::size_t i = 0; i < kLibraryEntryCount; ++i) {
    if (!NameInUse(names[i])) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> PCMacroLibrary::FindByName(std::string_view name) const {
  for (std::size_t i : EntriesInUse()) {
    if (MacroNameText(names[i]) == name) return i;
  }
  return std::nullopt;
}

std::vector<std::uint8_t> LibraryToBytes(const PCMacroLibrary& library) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(kLibraryFileSize);
  for (std::size_t i = 0; i < kLibraryEntryCount; ++i) {
    const auto record = RecordToBytes(library.Record(i));
    bytes.insert(bytes.end(), record.begin(), record.end());
  }
  return bytes;
}

std::size_t ReadLibraryRecords(std::span<const std::uint8_t> bytes, PCMacroLibrary& library) {
  const std::size_t count = std::min(bytes.size() / kMacroRecordSize, kLibraryEntryCount);
  for (std::size_t i = 0; i < count; ++i) {
    library.SetRecord(i, RecordFromBytes(bytes.subspan(i * kMacroRecordSize).first<kMacroRecordSize>()));
  }
  return count;
}

LibraryChange NewMacro(PCMacroLibrary& library, std::string_view name) {
  if (name.empty()) return {LibraryResult::kNoName};
  const auto entry = library.FirstFreeEntry();
  if (!entry) return {LibraryResult::kFull};
  if (library.FindByName(name)) return {LibraryResult::kDuplicateName};
  library.names[*entry] = MacroNameStrToUnicode(name);
  return {LibraryResult::kOk, *entry};
}

LibraryChange RenameMacro(PCMacroLibrary& library, std::size_t entry, std::string_view name) {
  if (entry >= kLibraryEntryCount || !NameInUse(library.names[entry])) {
    return {LibraryResult::kNoSuchEntry};
  }
  if (name.empty()) return {LibraryResult::kNoName};
  if (library.FindByName(name)) return {LibraryResult::kDuplicateName};
  library.names[entry] = MacroNameStrToUnicode(name);
  return {LibraryResult::kOk, entry};
}

LibraryChange DeleteMacro(PCMacroLibrary& library, std::size_t entry) {
  if (entry >= kLibraryEntryCount || !NameInUse(library.names[entry])) {
    return {LibraryResult::kNoSuchEntry};
  }
  for (std::size_t i = entry; i + 1 < kLibraryEntryCount; ++i) {
    library.names[i] = library.names[i + 1];
    library.contents[i] = library.contents[i + 1];
  }
  library.names.back() = {};
  library.contents.back() = {};
  return {LibraryResult::kOk, entry};
}

LibraryChange ImportOneMacro(PCMacroLibrary& library, std::span<const std::uint8_t> file) {
  if (library.CountInUse() >= kLibraryEntryCount - 1) return {LibraryResult::kFull};
  if (file.size() < kMacroRecordSize) return {LibraryResult::kFileTooShort};
  const MacroRecord record = RecordFromBytes(file.first<kMacroRecordSize>());
  if (!NameInUse(record.name)) return {LibraryResult::kNoName};
  for (std::size_t i : library.EntriesInUse()) {
    if (library.names[i] == record.name) return {LibraryResult::kDuplicateName};
  }
  const auto entry = library.FirstFreeEntry();
  if (!entry) return {LibraryResult::kFull};
  library.SetRecord(*entry, record);
  return {LibraryResult::kOk, *entry};
}

LibraryChange ImportAllMacros(PCMacroLibrary& library, std::span<const std::uint8_t> file) {
  if (file.size() < kMacroRecordSize) return {LibraryResult::kFileTooShort};
  ReadLibraryRecords(file, library);
  return {LibraryResult::kOk, 0};
}

MacroRecordBytes ExportOneMacro(const PCMacroLibrary& library, std::size_t entry) {
  return RecordToBytes(library.Record(entry));
}

std::optional<std::size_t> RowAfterDelete(std::size_t row, std::size_t rows_left) {
  if (rows_left == 0) return std::nullopt;
  return row > 0 ? row - 1 : 0;
}

std::string ExportFileName(std::string_view folder, std::string_view typed_name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
  return path + std::string(typed_name) + ".bin";
}

}  // namespace zelko
