// The macro library file of any size as the programs load it, and a macro
// file imported into that library (`macro import`, `import-all`).
//
// Properties: loading loses no byte the file holds up to 25,600 (a record
// covered in part keeps its bytes, the rest zero) and reports the size
// right; the library written back loads as the same library; an import
// that succeeds puts the file's first record into the first free entry and
// changes nothing else, and a refused import changes nothing; every macro
// in use decodes and can be offered to a slot or refused with a reason.
#include <algorithm>

#include "fuzz/fuzz_check.h"
#include "macros/device_slots.h"
#include "macros/library_file.h"
#include "macros/macro_lines.h"
#include "macros/macro_name_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelko;
  const auto file = fuzz::Bytes(data, size);
  PCMacroLibrary library;
  const LibraryLoad load = LibraryFromBytes(file, library);
  FUZZ_REQUIRE(load == (size < kLibraryFileSize   ? LibraryLoad::kLoadedShort
                        : size > kLibraryFileSize ? LibraryLoad::kLoadedLong
                                                  : LibraryLoad::kLoaded));
  const std::vector<std::uint8_t> written = LibraryToBytes(library);
  FUZZ_REQUIRE(written.size() == kLibraryFileSize);
  const std::size_t covered = std::min(size, kLibraryFileSize);
  FUZZ_REQUIRE(std::equal(data, data + covered, written.begin()));
  FUZZ_REQUIRE(std::all_of(written.begin() + static_cast<std::ptrdiff_t>(covered), written.end(),
                           [](std::uint8_t b) { return b == 0; }));
  PCMacroLibrary reloaded;
  FUZZ_REQUIRE(LibraryFromBytes(written, reloaded) == LibraryLoad::kLoaded);
  FUZZ_REQUIRE(reloaded == library);

  for (const std::size_t entry : library.EntriesInUse()) {
    (void)MacroNameText(library.names[entry]);
    (void)ContentToMacroLines(library.contents[entry]);
    (void)MacroAssignProblem(library.contents[entry]);
  }

  // The same bytes as a macro file imported into the library just loaded.
  PCMacroLibrary one = library;
  const LibraryChange imported = ImportOneMacro(one, file);
  if (imported.result == LibraryResult::kOk) {
    FUZZ_REQUIRE(imported.entry == library.FirstFreeEntry());
    FUZZ_REQUIRE(RecordToBytes(one.Record(imported.entry)) ==
                 RecordToBytes(RecordFromBytes(file.first<kMacroRecordSize>())));
    one.SetRecord(imported.entry, library.Record(imported.entry));
  }
  FUZZ_REQUIRE(one == library);

  PCMacroLibrary all = library;
  const LibraryChange imported_all = ImportAllMacros(all, file);
  FUZZ_REQUIRE((imported_all.result == LibraryResult::kOk) == (size >= kMacroRecordSize));
  if (imported_all.result == LibraryResult::kOk) {
    const std::size_t records = std::min(size / kMacroRecordSize, kLibraryEntryCount);
    const auto all_bytes = LibraryToBytes(all);
    FUZZ_REQUIRE(std::equal(data, data + records * kMacroRecordSize, all_bytes.begin()));
  } else {
    FUZZ_REQUIRE(all == library);
  }
  return 0;
}
