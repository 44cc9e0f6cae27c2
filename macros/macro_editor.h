// The macro editor as a model: the open library macro's MacroLines, the
// selected row, the release option, the delay options of the page and of
// the insert panel, deleting, editing through the dialogs' results and
// inserting through the insert panel. Every change is committed at once:
// the lines are encoded into the library macro and the library is saved.
//
// Rows: row i of the event list shows line i + 1 (line 0 is the header).
//
// Size rule: an edit or insert whose lines would take more than the 221
// event bytes a macro holds is refused: the lines go back to what they were,
// nothing is stored and the operation says kTooLong. (The end of a normal
// recording cuts instead; see macro_recorder.h.)
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "macros/macro_library.h"
#include "macros/macro_lines.h"

namespace zelko {

enum class EditOutcome {
  kDone,
  kNothing,     // no open macro, no selected row, an empty dialog result, or a kind without a dialog
  kTooLong,     // refused: the lines would not fit the content
  kSaveFailed,  // stored in the library in memory, but the library file could not be written
};

// The insert choices of the insert panel, in list order.
enum class InsertChoice {
  kDelayBefore = 0,
  kDelayAfter = 1,
  kKeyFront = 2,  // an insert recording
  kKeyBack = 3,   // an insert recording
  kRepeatStart = 4,
  kRepeatStop = 5,
  kXBefore = 6,
  kXAfter = 7,
  kYBefore = 8,
  kYAfter = 9,
};
inline constexpr int kInsertChoiceCount = 10;

// The repeat count a repeat start is inserted with unless the user types
// another. The stored byte is the count - 1, so a count of 0 stands for 256
// rounds: only a typed 0 asks for that.
inline constexpr int kInsertRepeatStart = 2;

// The values of the insert panel's edits, kept in their ranges.
struct InsertValues {
  int delay_ms = 0;                  // 0..2040
  int repeat = kInsertRepeatStart;   // 0..255
  int x = 0;         // -128..127
  int y = 0;         // -128..127
};
InsertValues ClampInsertValues(InsertValues values);

// The delay groups of the page (normal recording) and of the insert panel
// (insert recording).
struct DelayOptions {
  DelayMode page_mode = DelayMode::kRecorded;
  int page_delay_ms = 0;  // Edt_Delay, 0..2040
  DelayMode panel_mode = DelayMode::kRecorded;
  int panel_delay_ms = 0;  // Edt_InsertDelay, 0..2040
};
int ClampDelayEdit(long long ms);

// The dialog an edit opens, by the kind digit of the selected line.
enum class EditDialog { kNone, kDelay, kKey, kValue };

class MacroEditor {
 public:
  using SaveLibrary = std::function<bool(const PCMacroLibrary&)>;
  MacroEditor(PCMacroLibrary& library, SaveLibrary save);

  // Opens library entry `entry`: the lines, the release option (content
  // byte 0: 1 = stop, 0 = continue, anything else leaves it) and the page's
  // delay option from the decoded header. An entry without events (length
  // byte 0 or 0xFF) opens with no lines. The last row is selected.
  void Open(std::size_t entry);
  // Forgets the open macro (new, deleted or imported entries).
  void Close();

  std::optional<std::size_t> open_entry() const { return open_entry_; }
  const MacroLines& lines() const { return lines_; }
  std::size_t row_count() const { return lines_.empty() ? 0 : lines_.size() - 1; }
  std::optional<std::size_t> selected_row() const { return selected_row_; }
  void SelectRow(std::optional<std::size_t> row);

  // The release option; takes effect at the next encoding.
  bool release_stop() const { return release_stop_; }
  void ChooseReleaseStop() { release_stop_ = true; }
  void ChooseReleaseContinue() { release_stop_ = false; }
  std::uint8_t release_mode() const { return release_stop_ ? kReleaseStop : kReleaseContinue; }

  DelayOptions& delay_options() { return delay_options_; }
  const DelayOptions& delay_options() const { return delay_options_; }

  // Deletes the selected row; a press takes the first later line of the
  // same name with it, a release the nearest earlier one.
  EditOutcome DeleteSelected();

  // Editing the selected row: BeginEdit remembers the row and tells which
  // dialog to open; the Apply calls take the confirmed dialog's result.
  EditDialog BeginEdit();
  EditOutcome ApplyEditedDelay(std::string_view delay_text);
  // key_event: the key's name, " CODE:", "82" or "02", the usage in two digits.
  EditOutcome ApplyEditedKey(std::string_view key_label, std::string_view key_event);
  EditOutcome ApplyEditedValue(std::string_view value_text);

  // The insert panel.
  void OpenInsertPanel();
  bool insert_panel_open() const { return insert_panel_open_; }
  void ChooseInsert(InsertChoice choice);
  InsertChoice insert_choice() const { return insert_choice_; }
  EditOutcome InsertOk(const InsertValues& values);
  void InsertCancel();

  // Replaces the event lines (the header is rebuilt from the page's delay
  // option when `lines` has none) and commits them; for lines written by
  // hand.
  EditOutcome ReplaceLines(MacroLines lines);

  // For the recorder.
  MacroLines& mutable_lines() { return lines_; }
  // Encodes the lines into the open macro and saves, refusing lines that do
  // not fit (the lines are left for the caller to restore).
  EditOutcome Commit();
  // Encodes and saves, cutting lines that do not fit; the lines keep what
  // was stored. Returns the outcome and how many lines were cut.
  EditOutcome CommitCut(std::size_t* lines_cut = nullptr);
  // Zeroes the open macro's content in memory (the start of a recording).
  void ClearOpenContent();
  std::uint8_t StoredLengthByte() const;

 private:
  EditOutcome CommitOrRestore(const MacroLines& before);
  EditOutcome Store(const MacroContent& content);
  void InsertLineAtRow(std::size_t row, std::string line);

  PCMacroLibrary& library_;
  SaveLibrary save_;
  std::optional<std::size_t> open_entry_;
  MacroLines lines_;
  std::optional<std::size_t> selected_row_;
  bool release_stop_ = false;
  DelayOptions delay_options_;
  std::optional<std::size_t> edit_row_;
  char edit_kind_ = '\0';
  bool insert_panel_open_ = false;
  InsertChoice insert_choice_ = InsertChoice::kDelayBefore;
  std::optional<std::size_t> saved_row_;
};

}  // namespace zelko
