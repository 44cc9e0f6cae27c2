#include "macros/macro_library.h"

#include <gtest/gtest.h>

#include "macros/macro_name_codec.h"
#include "macros/tests/macro_test_support.h"

namespace zelko {
namespace {

using testing_support::ContentOf;

PCMacroLibrary LibraryWith(std::initializer_list<const char*> names) {
  PCMacroLibrary library;
  for (const char* name : names) {
    const auto change = NewMacro(library, name);
    library.contents[change.entry] = ContentOf({0xA1, static_cast<std::uint8_t>(change.entry)});
  }
  return library;
}

std::vector<std::string> ShownNames(const PCMacroLibrary& library) {
  std::vector<std::string> names;
  for (std::size_t entry : library.EntriesInUse()) names.push_back(MacroNameText(library.names[entry]));
  return names;
}

TEST(MacroLibrary, DuplicateNamesAreRefusedExactly) {
  PCMacroLibrary library = LibraryWith({"Macro", "Other"});
  const PCMacroLibrary before = library;
  EXPECT_EQ(NewMacro(library, "Macro").result, LibraryResult::kDuplicateName);
  EXPECT_EQ(RenameMacro(library, 1, "Macro").result, LibraryResult::kDuplicateName);
  EXPECT_EQ(RenameMacro(library, 0, "Macro").result, LibraryResult::kDuplicateName);
  EXPECT_EQ(library, before);
  // Case and spaces count.
  EXPECT_EQ(NewMacro(library, "macro").result, LibraryResult::kOk);
  EXPECT_EQ(NewMacro(library, "Macro ").result, LibraryResult::kOk);
  EXPECT_EQ(RenameMacro(library, 1, "OTHER").result, LibraryResult::kOk);
  EXPECT_EQ(ShownNames(library), (std::vector<std::string>{"Macro", "OTHER", "macro", "Macro "}));
  EXPECT_EQ(NewMacro(library, "").result, LibraryResult::kNoName);
}

TEST(MacroLibrary, NewStopsAtOneHundred) {
  PCMacroLibrary library;
  for (int i = 0; i < 99; ++i) ASSERT_EQ(NewMacro(library, "m" + std::to_string(i)).result, LibraryResult::kOk);
  const auto hundredth = NewMacro(library, "last");
  EXPECT_EQ(hundredth.result, LibraryResult::kOk);
  EXPECT_EQ(hundredth.entry, 99u);
  EXPECT_EQ(NewMacro(library, "more").result, LibraryResult::kFull);
}

TEST(MacroLibrary, RenameKeepsContentAndClearsOldNameBytes) {
  PCMacroLibrary library = LibraryWith({"LongerName"});
  const MacroContent content = library.contents[0];
  ASSERT_EQ(RenameMacro(library, 0, "B").result, LibraryResult::kOk);
  EXPECT_EQ(library.names[0], MacroNameStrToUnicode("B"));
  EXPECT_EQ(library.contents[0], content);
  EXPECT_EQ(RenameMacro(library, 5, "C").result, LibraryResult::kNoSuchEntry);
}

TEST(MacroLibrary, DeleteShiftsDownAndZeroesTheLastEntry) {
  PCMacroLibrary library = LibraryWith({"a", "b", "c"});
  library.names[99] = MacroNameStrToUnicode("z");  // a stray entry at the end
  const MacroRecord b = library.Record(1);
  const MacroRecord c = library.Record(2);
  ASSERT_EQ(DeleteMacro(library, 0).result, LibraryResult::kOk);
  EXPECT_EQ(library.Record(0), b);
  EXPECT_EQ(library.Record(1), c);
  EXPECT_EQ(library.Record(98), (MacroRecord{MacroNameStrToUnicode("z"), {}}));
  EXPECT_EQ(library.Record(99), MacroRecord{});
  EXPECT_EQ(DeleteMacro(library, 50).result, LibraryResult::kNoSuchEntry);

  EXPECT_EQ(RowAfterDelete(0, 2), 0u);
  EXPECT_EQ(RowAfterDelete(2, 2), 1u);
  EXPECT_EQ(RowAfterDelete(0, 0), std::nullopt);
}

TEST(MacroLibrary, ExportOneThenImportBack) {
  PCMacroLibrary library = LibraryWith({"A"});
  const MacroRecordBytes file = ExportOneMacro(library, 0);
  EXPECT_EQ(file[0], 0x00);
  EXPECT_EQ(file[1], 0x41);
  EXPECT_EQ(file[2], 0x00);
  EXPECT_EQ(file[3], 0x00);

  const PCMacroLibrary before = library;
  EXPECT_EQ(ImportOneMacro(library, file).result, LibraryResult::kDuplicateName);
  EXPECT_EQ(library, before);  // entry 1 did not keep the refused record

  ASSERT_EQ(DeleteMacro(library, 0).result, LibraryResult::kOk);
  const auto imported = ImportOneMacro(library, file);
  ASSERT_EQ(imported.result, LibraryResult::kOk);
  EXPECT_EQ(library.Record(imported.entry), before.Record(0));
}

TEST(MacroLibrary, ImportOneRefusals) {
  PCMacroLibrary library;
  MacroRecordBytes nameless{};
  nameless[40] = 0x12;
  std::vector<std::uint8_t> longer(300, 0);
  longer[1] = 'L';
  const std::vector<std::uint8_t> short_file(255, 0x41);
  EXPECT_EQ(ImportOneMacro(library, short_file).result, LibraryResult::kFileTooShort);
  EXPECT_EQ(ImportOneMacro(library, nameless).result, LibraryResult::kNoName);
  EXPECT_EQ(ImportOneMacro(library, longer).result, LibraryResult::kOk);  // its first 256 bytes
  EXPECT_EQ(library.names[0], MacroNameStrToUnicode("L"));
  EXPECT_EQ(library.CountInUse(), 1u);

  for (int i = 1; i < 99; ++i) NewMacro(library, "m" + std::to_string(i));
  ASSERT_EQ(library.CountInUse(), 99u);
  MacroRecordBytes another{};
  another[1] = 'N';
  EXPECT_EQ(ImportOneMacro(library, another).result, LibraryResult::kFull);
}

TEST(MacroLibrary, ImportAllTakesTheWholeRecordsOfTheFile) {
  PCMacroLibrary library = LibraryWith({"a", "b", "c"});
  const PCMacroLibrary before = library;
  std::vector<std::uint8_t> one_record(256 + 100, 0);  // one record and a partial one
  one_record[1] = 'X';
  one_record[256 + 1] = 'Y';
  ASSERT_EQ(ImportAllMacros(library, one_record).result, LibraryResult::kOk);
  EXPECT_EQ(ShownNames(library), (std::vector<std::string>{"X", "b", "c"}));
  EXPECT_EQ(library.contents[1], before.contents[1]);
  EXPECT_EQ(ImportAllMacros(library, std::vector<std::uint8_t>(10)).result, LibraryResult::kFileTooShort);

  // A whole library round-trips.
  PCMacroLibrary copy;
  ASSERT_EQ(ImportAllMacros(copy, LibraryToBytes(before)).result, LibraryResult::kOk);
  EXPECT_EQ(copy, before);
}

TEST(MacroLibrary, GapsLeftByAnImportAreFilledFirst) {
  PCMacroLibrary library;
  library.names[3] = MacroNameStrToUnicode("kept");
  library.contents[3] = ContentOf({0xA1});
  const auto change = NewMacro(library, "new");
  EXPECT_EQ(change.entry, 0u);
  EXPECT_EQ(library.contents[3], ContentOf({0xA1}));
  EXPECT_EQ(ShownNames(library), (std::vector<std::string>{"new", "kept"}));
  EXPECT_EQ(library.FindByName("kept"), 3u);
}

TEST(MacroLibrary, ExportFileNameAlwaysAppendsBin) {
  EXPECT_EQ(ExportFileName("/home/u", "macros"), "/home/u/macros.bin");
  EXPECT_EQ(ExportFileName("/home/u/", "macros.bin"), "/home/u/macros.bin.bin");
}

}  // namespace
}  // namespace zelko
