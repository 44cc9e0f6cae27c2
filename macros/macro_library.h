// PCMacroLibrary: the PC's 100 macros. Entry i of the name table and of the
// content table is library macro i; an entry is in use when the first two
// bytes of its name are not both 0. The lists show the entries in use in
// entry order.
//
// Imported files are untrusted. The rules of the operations below:
//  - whole records only: a file's trailing partial record is ignored, and a
//    file shorter than one record is refused (kFileTooShort);
//  - Import One takes a file's first record; a record without a name is
//    refused (kNoName), since it would not be in use and could not be
//    listed; a record whose name bytes equal those of a macro in the
//    library is refused (kDuplicateName) and leaves every entry as it was;
//  - Import All takes up to 100 records as they are;
//  - contents are taken as they are; the decoder and the slot assignment
//    deal with bad contents (see macro_lines.h and device_slots.h).
// New macros and imports go into the first entry not in use, so a library
// whose entries in use do not stand together (from an imported file) never
// has a macro overwritten.
#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "macros/macro_record.h"

namespace zelko {

inline constexpr std::size_t kLibraryEntryCount = 100;
inline constexpr std::size_t kLibraryFileSize = kLibraryEntryCount * kMacroRecordSize;  // 25,600

struct PCMacroLibrary {
  std::array<MacroName, kLibraryEntryCount> names{};
  std::array<MacroContent, kLibraryEntryCount> contents{};

  MacroRecord Record(std::size_t entry) const { return {names[entry], contents[entry]}; }
  void SetRecord(std::size_t entry, const MacroRecord& record) {
    names[entry] = record.name;
    contents[entry] = record.content;
  }
  // Entries in use, in entry order: the rows of the lists.
  std::vector<std::size_t> EntriesInUse() const;
  std::size_t CountInUse() const;
  std::optional<std::size_t> FirstFreeEntry() const;
  // The first entry in use whose shown name is exactly this text.
  std::optional<std::size_t> FindByName(std::string_view name) const;

  friend bool operator==(const PCMacroLibrary&, const PCMacroLibrary&) = default;
};

// The 100 records back to back (the library file and Export All).
std::vector<std::uint8_t> LibraryToBytes(const PCMacroLibrary& library);
// Record i of bytes into entry i for the whole records bytes holds (at most
// 100); the other entries keep what they held. Returns the records read.
std::size_t ReadLibraryRecords(std::span<const std::uint8_t> bytes, PCMacroLibrary& library);

enum class LibraryResult {
  kOk,
  kDuplicateName,  // Str106 "This macro already exists"
  kFull,           // 100 macros (new), 99 or more (Import One)
  kNoSuchEntry,
  kNoName,
  kFileTooShort,   // Str103 "Macro bin length out of range"
};

struct LibraryChange {
  LibraryResult result = LibraryResult::kOk;
  std::size_t entry = 0;  // the entry made or changed when result is kOk
};

// An empty name changes nothing (kNoName).
// New macro: the first entry not in use gets the name; its content stays
// what the entry held (zeros for an entry never used). Refused at 100
// macros and when a macro in use already shows exactly this name.
LibraryChange NewMacro(PCMacroLibrary& library, std::string_view name);
// Rename: refused when any macro in use (this one too) already shows
// exactly this name.
LibraryChange RenameMacro(PCMacroLibrary& library, std::size_t entry, std::string_view name);
// Delete: entries entry + 1 .. 99 move down by one, entry 99 becomes zeros.
LibraryChange DeleteMacro(PCMacroLibrary& library, std::size_t entry);
// Import One from the bytes of a file; refused at 99 macros or more.
LibraryChange ImportOneMacro(PCMacroLibrary& library, std::span<const std::uint8_t> file);
// Import All: record i of the file into entry i.
LibraryChange ImportAllMacros(PCMacroLibrary& library, std::span<const std::uint8_t> file);

MacroRecordBytes ExportOneMacro(const PCMacroLibrary& library, std::size_t entry);

// The row selected after deleting row `row` when `rows_left` rows remain.
std::optional<std::size_t> RowAfterDelete(std::size_t row, std::size_t rows_left);

// The file an export dialog writes: the chosen folder and typed name with
// ".bin" appended, even to a name that ends in ".bin" already.
std::string ExportFileName(std::string_view folder, std::string_view typed_name);

}  // namespace zelko
