// The macro page's model: the library list's rows and selection, the name
// requests, the commands' messages, the controls' states, and the keys that
// reach the window as the recorder takes them.
#include "pages/macro_page_model.h"

#include <gtest/gtest.h>

#include "macros/macro_name_codec.h"
#include "pages/window_key_states.h"

namespace zelko {
namespace {

constexpr int kVkA = 0x41;

class MacroPageModelTest : public ::testing::Test {
 protected:
  MacroPageModelTest() : model_(library_, [this](const PCMacroLibrary&) { return ++saves_, save_works_; }, clock_) {}

  // Entry i holds a macro named names[i]; an empty name leaves a gap.
  void Fill(std::initializer_list<const char*> names) {
    std::size_t entry = 0;
    for (const char* name : names) {
      if (*name) library_.names[entry] = MacroNameStrToUnicode(name);
      library_.contents[entry] = MacroLinesToContent({"10", "1 A CODE:8204", "0 96", "2 A CODE:0204"}, 0);
      ++entry;
    }
  }
  std::vector<std::string> Rows() const { return model_.LibraryRows(); }

  PCMacroLibrary library_;
  VirtualClock clock_;
  int saves_ = 0;
  bool save_works_ = true;
  MacroPageModel model_;
};

TEST_F(MacroPageModelTest, NewNameCompletesTheRequestAndOpensTheNewMacro) {
  Fill({"A"});
  ASSERT_FALSE(model_.RequestRename());  // no row selected
  ASSERT_TRUE(model_.RequestNew());
  EXPECT_EQ(model_.pending_name(), NameRequest::kNew);

  // An empty name keeps the request waiting; the duplicate check is exact.
  EXPECT_FALSE(model_.ApplyMacroName("").changed);
  EXPECT_EQ(model_.ApplyMacroName("A").message_id, "Str106");
  EXPECT_EQ(saves_, 0);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"A"}));

  ASSERT_TRUE(model_.RequestNew());
  const PageOutcome made = model_.ApplyMacroName("a");
  EXPECT_TRUE(made.changed);
  EXPECT_TRUE(made.message_id.empty());
  EXPECT_EQ(saves_, 1);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"A", "a"}));
  EXPECT_EQ(model_.selected_library_row(), 1u);
  EXPECT_EQ(model_.editor().open_entry(), 1u);
  EXPECT_EQ(model_.editor().row_count(), 0u);
  EXPECT_EQ(model_.pending_name(), NameRequest::kNone);

  // A confirm without a request (a second dialog left open) changes nothing.
  EXPECT_FALSE(model_.ApplyMacroName("b").changed);

  ASSERT_TRUE(model_.RequestRename());
  EXPECT_EQ(model_.ApplyMacroName("A").message_id, "Str106");
  ASSERT_TRUE(model_.RequestRename());
  EXPECT_TRUE(model_.ApplyMacroName("Burst").changed);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"A", "Burst"}));
}

TEST_F(MacroPageModelTest, NewIsRefusedWhenTheLibraryIsFull) {
  for (std::size_t i = 0; i < kLibraryEntryCount; ++i) library_.names[i] = MacroNameStrToUnicode(std::to_string(i));
  EXPECT_FALSE(model_.States().new_enabled);
  EXPECT_FALSE(model_.RequestNew());
}

struct DeleteCase {
  const char* name;
  std::size_t rows;
  std::size_t deleted;
  std::optional<std::size_t> selected;
  const char* open_name;  // the macro shown afterwards
};

class MacroPageDeleteTest : public MacroPageModelTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(MacroPageDeleteTest, SelectsTheRowBeforeAndShowsItsMacro) {
  const DeleteCase& c = GetParam();
  const char* names[] = {"A", "B", "C"};
  for (std::size_t i = 0; i < c.rows; ++i) library_.names[i] = MacroNameStrToUnicode(names[i]);
  model_.OpenLibraryRow(c.deleted);
  EXPECT_TRUE(model_.DeleteSelected().changed);
  EXPECT_EQ(model_.library_row_count(), c.rows - 1);
  EXPECT_EQ(model_.selected_library_row(), c.selected);
  const auto open = model_.editor().open_entry();
  EXPECT_EQ(open ? MacroNameText(library_.names[*open]) : std::string(), c.open_name);
}

INSTANTIATE_TEST_SUITE_P(Cases, MacroPageDeleteTest,
                         ::testing::Values(DeleteCase{"FirstOfThree", 3, 0, 0, "B"},
                                           DeleteCase{"MiddleOfThree", 3, 1, 0, "A"},
                                           DeleteCase{"LastOfThree", 3, 2, 1, "B"},
                                           DeleteCase{"TheOnlyOne", 1, 0, std::nullopt, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MacroPageModelTest, RowsStandForTheEntriesInUseAcrossGaps) {
  // An imported library may leave entry 1 unused between 0 and 2.
  Fill({"A", "", "C"});
  EXPECT_EQ(Rows(), (std::vector<std::string>{"A", "C"}));
  model_.OpenLibraryRow(1);
  EXPECT_EQ(model_.editor().open_entry(), 2u);
  EXPECT_EQ(model_.ExportSelected()->at(1), 'C');
  EXPECT_TRUE(model_.DeleteSelected().changed);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"A"}));
  EXPECT_EQ(MacroNameText(library_.names[2]), "");
}

TEST_F(MacroPageModelTest, ImportOneSaysWhyAFileIsRefused) {
  Fill({"A"});
  const MacroRecordBytes a = ExportOneMacro(library_, 0);
  EXPECT_EQ(model_.ImportOne(a).message_id, "Str106");
  EXPECT_EQ(model_.ImportOne(std::span(a).first(100)).message_id, "Str103");
  EXPECT_EQ(saves_, 0);

  MacroRecordBytes b = a;
  b[1] = 'B';
  EXPECT_TRUE(model_.ImportOne(b).changed);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(model_.selected_library_row(), 1u);
  EXPECT_EQ(model_.EventRows().size(), 3u);

  EXPECT_TRUE(model_.ImportAll(b).changed);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"B", "B"}));
  EXPECT_FALSE(model_.selected_library_row());
}

TEST_F(MacroPageModelTest, AFailedSaveIsSaidWhileTheChangeStands) {
  Fill({"A"});
  save_works_ = false;
  model_.OpenLibraryRow(0);
  model_.editor().SelectRow(1);
  const PageOutcome outcome = MacroPageModel::OutcomeOf(model_.editor().DeleteSelected());
  EXPECT_EQ(outcome.message_id, "Str109");
  EXPECT_EQ(model_.EventRows().size(), 2u);
  ASSERT_TRUE(model_.RequestNew());
  EXPECT_EQ(model_.ApplyMacroName("B").message_id, "Str109");
  EXPECT_EQ(Rows().size(), 2u);
}

TEST_F(MacroPageModelTest, EventRowsShowKindsAndTexts) {
  Fill({"A"});
  model_.OpenLibraryRow(0);
  const auto rows = model_.EventRows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].kind, '1');
  EXPECT_EQ(rows[0].text, "A");
  EXPECT_EQ(rows[1].kind, '0');
  EXPECT_EQ(rows[1].text, "96 ms");
}

TEST_F(MacroPageModelTest, ControlsFollowTheRecordingAndTheInsertPanel) {
  Fill({"A"});
  EXPECT_FALSE(model_.StartClick().started);  // no macro selected
  model_.OpenLibraryRow(0);

  ASSERT_TRUE(model_.StartClick().started);
  MacroPageStates s = model_.States();
  EXPECT_TRUE(s.start_shows_stop);
  EXPECT_FALSE(s.library_list_enabled);
  EXPECT_FALSE(s.event_list_enabled);
  EXPECT_FALSE(s.new_enabled);
  EXPECT_FALSE(s.delay_group_enabled);
  EXPECT_FALSE(model_.RequestNew());
  model_.OpenLibraryRow(0);  // ignored while recording
  model_.recorder().TakeKey(kVkA, KeyState::kFirstPress);
  clock_.Advance(100);
  model_.recorder().TakeKey(kVkA, KeyState::kRelease);
  model_.recorder().ProcessPending();
  const auto stop = model_.StartClick();
  EXPECT_TRUE(stop.stopped);
  EXPECT_TRUE(stop.outcome.changed);
  EXPECT_EQ(model_.EventRows().size(), 3u);  // A down, 96 ms, A up
  s = model_.States();
  EXPECT_FALSE(s.start_shows_stop);
  EXPECT_TRUE(s.library_list_enabled);

  model_.OpenInsertPanel();
  s = model_.States();
  EXPECT_TRUE(s.insert_panel_shown);
  EXPECT_FALSE(s.start_enabled);
  EXPECT_FALSE(s.new_enabled);
  EXPECT_FALSE(s.library_list_enabled);
  EXPECT_TRUE(s.event_list_enabled);
  EXPECT_FALSE(model_.StartClick().started);

  model_.editor().ChooseInsert(InsertChoice::kKeyBack);
  model_.editor().SelectRow(0);
  ASSERT_TRUE(model_.InsertStartClick().started);
  s = model_.States();
  EXPECT_TRUE(s.insert_start_shows_stop);
  EXPECT_FALSE(s.insert_ok_cancel_enabled);
  EXPECT_FALSE(s.insert_choices_enabled);
  model_.InsertCancel();  // refused while the insert recording runs
  EXPECT_TRUE(model_.States().insert_panel_shown);
  EXPECT_TRUE(model_.InsertStartClick().stopped);
  EXPECT_TRUE(model_.States().insert_ok_cancel_enabled);
}

TEST_F(MacroPageModelTest, TheInsertPanelStaysUntilOkOrCancelAndCancelRestoresTheRows) {
  Fill({"A", "B"});
  model_.OpenLibraryRow(0);
  model_.editor().SelectRow(1);
  model_.OpenInsertPanel();
  model_.OpenLibraryRow(1);  // the other macro cannot be opened meanwhile
  EXPECT_EQ(model_.editor().open_entry(), 0u);

  model_.editor().ChooseInsert(InsertChoice::kKeyFront);
  ASSERT_TRUE(model_.InsertStartClick().started);
  model_.recorder().TakeMouseButton(MacroMouseButton::kRight, true);
  model_.recorder().ProcessPending();
  ASSERT_TRUE(model_.InsertStartClick().stopped);
  EXPECT_EQ(model_.EventRows().size(), 4u);

  const int saves = saves_;
  model_.InsertCancel();
  EXPECT_FALSE(model_.States().insert_panel_shown);
  EXPECT_EQ(model_.EventRows().size(), 3u);
  EXPECT_EQ(model_.editor().selected_row(), 1u);
  EXPECT_EQ(saves_, saves);
}

TEST_F(MacroPageModelTest, TheInsertPanelShowsTheControlsOfTheChosenInsert) {
  Fill({"A"});
  model_.OpenLibraryRow(0);
  EXPECT_EQ(model_.InsertPanel(), InsertPanelLayout{});  // closed: nothing shows
  model_.OpenInsertPanel();
  // What shows for each choice: d delay edit, c delay caption, u unit,
  // r recording controls, n repeat edit, x, y; E the delay edit is typed
  // into, N the repeat edit takes a count, K OK keeps the recorded lines.
  struct Case {
    InsertChoice choice;
    const char* shows;
    const char* background;
  };
  const Case cases[] = {
      {InsertChoice::kDelayBefore, "dcuE", "InsertDelayBase"}, {InsertChoice::kDelayAfter, "dcuE", "InsertDelayBase"},
      {InsertChoice::kKeyFront, "durK", "InsertKeyBase"},      {InsertChoice::kKeyBack, "durK", "InsertKeyBase"},
      {InsertChoice::kRepeatStart, "nN", "InsertDelayBase"},   {InsertChoice::kRepeatStop, "n", "InsertDelayBase"},
      {InsertChoice::kXBefore, "x", "InsertDelayBase"},        {InsertChoice::kXAfter, "x", "InsertDelayBase"},
      {InsertChoice::kYBefore, "y", "InsertDelayBase"},        {InsertChoice::kYAfter, "y", "InsertDelayBase"},
  };
  for (const Case& c : cases) {
    model_.editor().ChooseInsert(c.choice);
    const InsertPanelLayout p = model_.InsertPanel();
    std::string shows;
    for (const auto& [flag, letter] : {std::pair{p.delay_edit_shown, 'd'}, {p.delay_caption_shown, 'c'},
                                       {p.delay_unit_shown, 'u'}, {p.recording_controls_shown, 'r'},
                                       {p.repeat_shown, 'n'}, {p.x_shown, 'x'}, {p.y_shown, 'y'},
                                       {p.delay_edit_editable, 'E'}, {p.repeat_enabled, 'N'},
                                       {p.ok_keeps_recording, 'K'}}) {
      if (flag) shows += letter;
    }
    EXPECT_EQ(shows, c.shows) << static_cast<int>(c.choice);
    EXPECT_EQ(p.background, c.background) << static_cast<int>(c.choice);
  }
}

TEST_F(MacroPageModelTest, ARecordingChoiceTakesATypedDelayOnlyWithTheDefaultDelayOptionAndNoRecordingRunning) {
  Fill({"A"});
  model_.OpenLibraryRow(0);
  model_.OpenInsertPanel();
  model_.editor().ChooseInsert(InsertChoice::kKeyBack);
  model_.editor().delay_options().panel_mode = DelayMode::kRecorded;
  EXPECT_FALSE(model_.InsertPanel().delay_edit_editable);
  model_.editor().delay_options().panel_mode = DelayMode::kDefault;
  EXPECT_TRUE(model_.InsertPanel().delay_edit_editable);
  ASSERT_TRUE(model_.InsertStartClick().started);
  EXPECT_FALSE(model_.InsertPanel().delay_edit_editable);
}

TEST(InsertRepeatCount, AnEmptyEditIsTheStartCountNever256Rounds) {
  struct Case {
    const char* typed;
    const char* shown;
    int count;
  };
  const Case cases[] = {{"", "2", 2}, {"5", "5", 5}, {"300", "255", 255}, {"0", "0", 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(CorrectedInsertRepeatText(c.typed), c.shown) << c.typed;
    EXPECT_EQ(InsertRepeatCount(CorrectedInsertRepeatText(c.typed)), c.count) << c.typed;
  }
  EXPECT_EQ(InsertRepeatCount(""), kInsertRepeatStart);
  EXPECT_EQ(InsertRepeatCount("x"), kInsertRepeatStart);
}

TEST_F(MacroPageModelTest, AStartRepeatWithTheEditUntouchedRepeatsTwice) {
  Fill({"A"});
  model_.OpenLibraryRow(0);
  model_.editor().SelectRow(0);
  model_.OpenInsertPanel();
  model_.editor().ChooseInsert(InsertChoice::kRepeatStart);
  ASSERT_TRUE(model_.InsertOk(InsertValues{}).changed);
  // FD 01: the block runs twice (the stored byte is the count - 1).
  EXPECT_EQ(model_.editor().lines()[1], "7 FD01");
  EXPECT_EQ(model_.EventRows()[0].text, "Rep-Start  2");
}

struct KeyStep {
  bool down;
  bool auto_repeat;
  std::optional<KeyState> expected;
};

TEST(WindowKeyStates, GiveFirstPressesRepeatsAndReleases) {
  // A down, A repeats (with the platform's repeat releases), B down while A
  // is held, B up, A up, A down again.
  const KeyStep steps[] = {
      {true, false, KeyState::kFirstPress}, {false, true, std::nullopt},        {true, true, KeyState::kRepeatPress},
      {true, false, KeyState::kRepeatPress}, {false, false, KeyState::kRelease}, {false, false, KeyState::kRelease},
      {true, false, KeyState::kFirstPress},
  };
  WindowKeyStates states;
  int i = 0;
  for (const KeyStep& step : steps) {
    const std::optional<KeyState> got = step.down ? states.Down(step.auto_repeat) : states.Up(step.auto_repeat);
    EXPECT_EQ(got, step.expected) << "step " << i;
    ++i;
  }
}

}  // namespace
}  // namespace zelko
