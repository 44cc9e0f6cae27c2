#include "macros/macro_editor.h"

#include <gtest/gtest.h>

#include "macros/macro_name_codec.h"
#include "macros/macro_row_text.h"
#include "macros/tests/macro_test_support.h"

namespace zelko {
namespace {

using testing_support::ContentOf;
using testing_support::EventBytes;

class MacroEditorTest : public ::testing::Test {
 protected:
  MacroEditorTest() : editor_(library_, [this](const PCMacroLibrary&) { return ++saves_, save_works_; }) {
    library_.names[0] = MacroNameStrToUnicode("m");
  }

  // Opens entry 0 holding these event lines.
  void OpenWith(const MacroLines& events, std::uint8_t release = 0) {
    MacroLines lines{"10"};
    lines.insert(lines.end(), events.begin(), events.end());
    library_.contents[0] = MacroLinesToContent(lines, release);
    editor_.Open(0);
    saves_ = 0;
  }
  MacroLines Events() const { return MacroLines(editor_.lines().begin() + 1, editor_.lines().end()); }
  MacroLines StoredEvents() const {
    const MacroLines lines = ContentToMacroLines(library_.contents[0]).lines;
    return MacroLines(lines.begin() + 1, lines.end());
  }

  PCMacroLibrary library_;
  int saves_ = 0;
  bool save_works_ = true;
  MacroEditor editor_;
};

const std::string kPressA = "1 A CODE:8204";
const std::string kReleaseA = "2 A CODE:0204";
const std::string kPressB = "1 B CODE:8205";
const std::string kReleaseB = "2 B CODE:0205";
const std::string kDelay = "0 96";

TEST_F(MacroEditorTest, OpeningTakesReleaseOptionAndDelayModeFromTheContent) {
  OpenWith({kPressA, "0 48", kReleaseA, "0 48", kPressA, "0 48", kReleaseA, "0 48"}, kReleaseStop);
  EXPECT_TRUE(editor_.release_stop());
  EXPECT_EQ(editor_.delay_options().page_mode, DelayMode::kDefault);
  EXPECT_EQ(editor_.delay_options().page_delay_ms, 48);
  EXPECT_EQ(editor_.selected_row(), 7u);

  library_.contents[0] = ContentOf({0xA1}, 7);  // no slot code: the option stays
  editor_.Open(0);
  EXPECT_TRUE(editor_.release_stop());
  EXPECT_EQ(editor_.row_count(), 1u);

  library_.contents[0].fill(0xFF);
  editor_.Open(0);
  EXPECT_TRUE(editor_.lines().empty());
  EXPECT_EQ(editor_.open_entry(), 0u);
}

TEST_F(MacroEditorTest, DeletePairsPressesAndReleases) {
  struct Case {
    const char* what;
    MacroLines rows;
    std::size_t row;
    MacroLines left;
    std::optional<std::size_t> selected;
  };
  const Case cases[] = {
      {"press takes its release", {kPressA, kDelay, kReleaseA}, 0, {kDelay}, 0},
      {"release takes its press", {kPressA, kDelay, kReleaseA}, 2, {kDelay}, 0},
      {"release deep in the list", {kDelay, kPressB, kPressA, kDelay, kReleaseA}, 4, {kDelay, kPressB, kDelay}, 2},
      {"press takes a later press of the same key",
       {kPressA, kPressB, kReleaseB, kPressA},
       0,
       {kPressB, kReleaseB},
       0},
      {"press alone", {kDelay, kPressA, kPressB}, 1, {kDelay, kPressB}, std::nullopt},
      {"release alone", {kReleaseB, kPressA, kReleaseA}, 0, {kPressA, kReleaseA}, std::nullopt},
      {"delay", {kDelay, kPressA}, 0, {kPressA}, 0},
      {"last delay", {kPressA, kDelay}, 1, {kPressA}, 0},
      {"repeat start alone", {"7 FD04", kPressA, "8 00FC"}, 0, {kPressA, "8 00FC"}, 0},
  };
  for (const Case& c : cases) {
    OpenWith(c.rows);
    editor_.SelectRow(c.row);
    EXPECT_EQ(editor_.DeleteSelected(), EditOutcome::kDone) << c.what;
    EXPECT_EQ(Events(), c.left) << c.what;
    EXPECT_EQ(StoredEvents(), c.left) << c.what;
    EXPECT_EQ(editor_.selected_row(), c.selected) << c.what;
    EXPECT_EQ(saves_, 1) << c.what;
  }
  editor_.SelectRow(std::nullopt);
  EXPECT_EQ(editor_.DeleteSelected(), EditOutcome::kNothing);
}

TEST_F(MacroEditorTest, EditingThroughTheDialogResults) {
  OpenWith({kDelay, kPressA, "3 FB05", "7 FD04", "8 00FC"});
  editor_.SelectRow(0);
  ASSERT_EQ(editor_.BeginEdit(), EditDialog::kDelay);
  EXPECT_EQ(editor_.ApplyEditedDelay(""), EditOutcome::kNothing);
  EXPECT_EQ(editor_.ApplyEditedDelay("100"), EditOutcome::kDone);
  EXPECT_EQ(EventBytes(library_.contents[0])[1], 0x0C);

  editor_.SelectRow(1);
  ASSERT_EQ(editor_.BeginEdit(), EditDialog::kKey);
  EXPECT_EQ(editor_.ApplyEditedKey("B", "B CODE:8205"), EditOutcome::kDone);
  EXPECT_EQ(editor_.lines()[2], kPressB);

  editor_.SelectRow(2);
  ASSERT_EQ(editor_.BeginEdit(), EditDialog::kValue);
  EXPECT_EQ(editor_.ApplyEditedValue("-1"), EditOutcome::kDone);
  EXPECT_EQ(editor_.lines()[3], "4 FBFF");

  editor_.SelectRow(3);
  ASSERT_EQ(editor_.BeginEdit(), EditDialog::kValue);
  EXPECT_EQ(editor_.ApplyEditedValue("0"), EditOutcome::kDone);
  EXPECT_EQ(editor_.lines()[4], "7 FDFF");
  EXPECT_EQ(EventRowText(editor_.lines()[4]), "Rep-Start  256");

  editor_.SelectRow(4);
  EXPECT_EQ(editor_.BeginEdit(), EditDialog::kNone);  // a repeat end has no value
  EXPECT_EQ(editor_.ApplyEditedValue("3"), EditOutcome::kNothing);
  EXPECT_EQ(saves_, 4);
}

TEST_F(MacroEditorTest, InsertChoicesPlaceTheirLines) {
  struct Case {
    InsertChoice choice;
    InsertValues values;
    std::string line;
    std::size_t selected;  // selected row 1 before
    std::string row_text;
  };
  const Case cases[] = {
      {InsertChoice::kDelayBefore, {.delay_ms = 100}, "0 100", 1, "100 ms"},
      {InsertChoice::kDelayAfter, {.delay_ms = 5000}, "0 2040", 2, "2040 ms"},  // kept to 0..2040
      {InsertChoice::kRepeatStart, {.repeat = 5}, "7 FD04", 1, "Rep-Start  5"},
      {InsertChoice::kRepeatStop, {}, "8 00FC", 2, "Rep-Stop"},
      {InsertChoice::kXBefore, {.x = 0}, "3 FB00", 1, "X-Axis  0"},
      {InsertChoice::kXAfter, {.x = -1}, "4 FBFF", 2, "X-Axis  -1"},
      {InsertChoice::kYBefore, {.y = 127}, "5 FA7F", 1, "Y-Axis  127"},
      {InsertChoice::kYAfter, {.y = -300}, "6 FA80", 2, "Y-Axis  -128"},
  };
  for (const Case& c : cases) {
    OpenWith({kPressA, kDelay, kReleaseA});
    editor_.SelectRow(1);
    editor_.OpenInsertPanel();
    editor_.ChooseInsert(c.choice);
    ASSERT_EQ(editor_.InsertOk(c.values), EditOutcome::kDone) << c.line;
    EXPECT_EQ(editor_.lines()[c.selected + 1], c.line);
    EXPECT_EQ(editor_.selected_row(), c.selected) << c.line;
    EXPECT_EQ(EventRowText(c.line), c.row_text);
    EXPECT_FALSE(editor_.insert_panel_open());
    EXPECT_EQ(editor_.row_count(), 4u);
    EXPECT_EQ(saves_, 1);
  }
}

TEST_F(MacroEditorTest, InsertedDelayIsStoredInEightMsSteps) {
  OpenWith({kPressA, kDelay, kReleaseA, kPressB});
  editor_.SelectRow(3);
  editor_.OpenInsertPanel();
  ASSERT_EQ(editor_.InsertOk({.delay_ms = 100}), EditOutcome::kDone);
  EXPECT_EQ(editor_.lines()[4], "0 100");
  EXPECT_EQ(editor_.selected_row(), 3u);
  const auto bytes = EventBytes(library_.contents[0]);
  EXPECT_EQ(bytes[6], 0xFE);
  EXPECT_EQ(bytes[7], 0x0C);
  EXPECT_EQ(StoredEvents()[3], "0 96");
}

TEST_F(MacroEditorTest, InsertWithoutARowKeepsThePanelOpen) {
  OpenWith({kPressA});
  editor_.SelectRow(std::nullopt);
  editor_.OpenInsertPanel();
  EXPECT_EQ(editor_.InsertOk({.delay_ms = 8}), EditOutcome::kNothing);
  EXPECT_TRUE(editor_.insert_panel_open());
  EXPECT_EQ(saves_, 0);
  editor_.ChooseInsert(InsertChoice::kKeyBack);  // a recording choice still encodes and closes
  EXPECT_EQ(editor_.InsertOk({}), EditOutcome::kDone);
  EXPECT_FALSE(editor_.insert_panel_open());
}

TEST_F(MacroEditorTest, ReleaseOptionTakesEffectAtTheNextEncoding) {
  OpenWith({kPressA, kDelay, kReleaseA});
  const MacroContent before = library_.contents[0];
  editor_.ChooseReleaseStop();
  EXPECT_EQ(library_.contents[0], before);
  editor_.SelectRow(1);
  ASSERT_EQ(editor_.DeleteSelected(), EditOutcome::kDone);
  EXPECT_EQ(library_.contents[0][kReleaseModeOffset], kReleaseStop);
}

TEST_F(MacroEditorTest, ChangesThatDoNotFitAreRefused) {
  MacroLines full;
  for (int i = 0; i < 110; ++i) full.push_back(kPressA);
  full.push_back("1 LeftKey CODE:00A1");  // 221 bytes
  OpenWith(full);
  const MacroContent stored = library_.contents[0];
  const MacroLines lines = editor_.lines();
  editor_.SelectRow(0);
  editor_.OpenInsertPanel();
  EXPECT_EQ(editor_.InsertOk({.delay_ms = 8}), EditOutcome::kTooLong);
  EXPECT_EQ(editor_.lines(), lines);
  EXPECT_EQ(library_.contents[0], stored);
  EXPECT_TRUE(editor_.insert_panel_open());
  EXPECT_EQ(saves_, 0);

  editor_.InsertCancel();
  editor_.SelectRow(110);
  ASSERT_EQ(editor_.BeginEdit(), EditDialog::kKey);
  EXPECT_EQ(editor_.ApplyEditedKey("B", "B CODE:8205"), EditOutcome::kTooLong);
  EXPECT_EQ(editor_.lines(), lines);
}

TEST_F(MacroEditorTest, ASaveThatFailsIsReported) {
  OpenWith({kPressA, kDelay});
  save_works_ = false;
  editor_.SelectRow(1);
  EXPECT_EQ(editor_.DeleteSelected(), EditOutcome::kSaveFailed);
  EXPECT_EQ(StoredEvents(), MacroLines{kPressA});  // kept in memory for the next save
}

TEST_F(MacroEditorTest, ReplaceLinesAddsAHeaderWhenMissing) {
  OpenWith({});
  EXPECT_EQ(editor_.ReplaceLines({kPressA, "0 100", kReleaseA}), EditOutcome::kDone);
  EXPECT_EQ(StoredEvents(), (MacroLines{kPressA, "0 96", kReleaseA}));
  EXPECT_EQ(editor_.ReplaceLines({"00", kPressB}), EditOutcome::kDone);
  EXPECT_EQ(StoredEvents(), MacroLines{kPressB});
  editor_.Close();
  EXPECT_EQ(editor_.ReplaceLines({kPressB}), EditOutcome::kNothing);
}

}  // namespace
}  // namespace zelko
