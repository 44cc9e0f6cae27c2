// The macro page as a model: the library list (LB_PCMacroName) and its
// menu's commands, the macro open in the editor, the recorder, and which of
// the page's controls take clicks. Free of any widget toolkit: the window
// binds its widgets to it.
//
// Rows of the library list are the library's entries in use, in entry
// order; a library from an imported file may have gaps, so a row is mapped
// to its entry each time. The selected row is the macro the editor has open:
// clicking a row opens it, and New, Delete and Import One open the macro
// they leave selected, so what the event list shows is always the selected
// macro's events.
//
// Every command that changes the library saves it at once. A command's
// outcome names the language pack text the window shows, if any:
//   Str106 "This macro already exists"   a duplicate name
//   Str103 "Macro bin length out of range"  an import file shorter than one record
//   Str104 "EEPROM space shortage"        an edit or insert that would not fit the macro
//   Str109 "Fail"                         the library file could not be written
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/clock.h"
#include "macros/macro_editor.h"
#include "macros/macro_library.h"
#include "macros/macro_recorder.h"

namespace zelko {

inline constexpr std::string_view kDuplicateNameTextId = "Str106";
inline constexpr std::string_view kShortMacroFileTextId = "Str103";
inline constexpr std::string_view kMacroFullTextId = "Str104";
inline constexpr std::string_view kSaveFailedTextId = "Str109";
// The line that says the recorder hears only what reaches the window.
inline constexpr std::string_view kWindowOnlyCaptureTextId = "Str449";

// What a command did: whether the library (or the open macro) changed, and
// the text to show, empty for none.
struct PageOutcome {
  bool changed = false;
  std::string message_id;
};

// Which request the name dialog completes.
enum class NameRequest { kNone, kNew, kRename };

// One row of the event list: the line's kind digit (its icon) and its text.
struct EventRow {
  char kind = '\0';
  std::string text;
};

// Which controls take clicks now.
struct MacroPageStates {
  bool library_list_enabled = true;  // LB_PCMacroName
  bool event_list_enabled = true;    // LB_macro
  bool new_enabled = true;          // Btn_New, Btn_NewMacro
  bool start_enabled = true;        // Btn_Start
  bool start_shows_stop = false;    // Btn_Start reads "Stop" (Str401)
  bool delay_group_enabled = true;  // Gb_Delay
  bool insert_panel_shown = false;  // Gb_Insert in place of Gb_Delay
  bool insert_start_shows_stop = false;
  bool insert_choices_enabled = true;  // CB_Insert and the panel's delay options
  bool insert_ok_cancel_enabled = true;
};

// The insert panel laid out for the chosen insert: which of its controls
// show and how. Everything is hidden while the panel is closed.
struct InsertPanelLayout {
  bool recording_choice = false;      // an insert recording (Insert Key Front/Back)
  std::string_view background;        // Img_InsertBase: "InsertKeyBase" or "InsertDelayBase"
  bool delay_edit_shown = false;      // Edt_InsertDelay
  bool delay_edit_editable = false;   // typed into, in the font colour (else read-only and grey)
  bool delay_caption_shown = false;   // lbl_Delay
  bool delay_unit_shown = false;      // lbl_s_A
  bool recording_controls_shown = false;  // the three insert delay options and Btn_InsertStart
  bool repeat_shown = false;          // edt_Repeat with lbl_Repeat
  bool repeat_enabled = false;        // only a repeat start takes a count
  bool x_shown = false;               // edt_XAxisValue with lbl_XAxisValue
  bool y_shown = false;               // edt_YAxisValue with lbl_YAxisValue
  bool ok_keeps_recording = false;    // OK reads Str421 (keep the recorded lines), else Str420
  friend bool operator==(const InsertPanelLayout&, const InsertPanelLayout&) = default;
};

// The insert panel's repeat count edit after every change: digits kept
// within 0..255, and an emptied edit shows the start count again, so that
// clearing it never asks for 256 rounds.
std::string CorrectedInsertRepeatText(std::string_view text);
// The count an insert takes from the edit's text: the start count when the
// text holds no number.
int InsertRepeatCount(std::string_view text);

class MacroPageModel {
 public:
  using SaveLibrary = std::function<bool(const PCMacroLibrary&)>;

  MacroPageModel(PCMacroLibrary& library, SaveLibrary save, const Clock& clock);

  // The library list.
  std::vector<std::string> LibraryRows() const;
  std::size_t library_row_count() const { return library_.CountInUse(); }
  std::optional<std::size_t> selected_library_row() const { return selected_row_; }
  // LB_PCMacroNameClick: selects the row and opens its macro. Nothing while
  // a recording runs or the insert panel is open.
  void OpenLibraryRow(std::size_t row);
  // A press below the last row: no row selected, no macro open.
  void DeselectLibrary();
  // The rows were rebuilt from outside (a new library): nothing selected.
  void LibraryReplaced();

  // New and Rename open the name dialog; false when it is not to be opened
  // (a full library; no selected row for a rename).
  bool RequestNew();
  bool RequestRename();
  NameRequest pending_name() const { return pending_name_; }
  // ApplyMacroName: the confirmed name completes the pending request. An
  // empty name changes nothing.
  PageOutcome ApplyMacroName(std::string_view name);
  PageOutcome DeleteSelected();
  PageOutcome ImportOne(std::span<const std::uint8_t> file);
  PageOutcome ImportAll(std::span<const std::uint8_t> file);
  std::optional<MacroRecordBytes> ExportSelected() const;
  std::vector<std::uint8_t> ExportAll() const { return LibraryToBytes(library_); }

  // The open macro.
  MacroEditor& editor() { return editor_; }
  const MacroEditor& editor() const { return editor_; }
  std::vector<EventRow> EventRows() const;
  // The outcome of an editor call as the page reports it.
  static PageOutcome OutcomeOf(EditOutcome outcome);

  // The recorder. The sources hand their events to recorder() from any
  // thread; ProcessPending takes them on the page's thread.
  MacroRecorder& recorder() { return recorder_; }
  // Btn_StartClick: starts a normal recording (true) or stops the one that
  // runs (false, with the outcome of storing it).
  struct StartClickResult {
    bool started = false;
    bool stopped = false;
    PageOutcome outcome;
  };
  StartClickResult StartClick();
  // Btn_InsertStartClick.
  StartClickResult InsertStartClick();
  // The recorder stopped itself (a full macro): the window redraws.
  std::function<void(bool insert)> on_auto_stopped;

  // The insert panel.
  void OpenInsertPanel();
  PageOutcome InsertOk(const InsertValues& values);
  void InsertCancel();

  MacroPageStates States() const;
  InsertPanelLayout InsertPanel() const;

 private:
  std::optional<std::size_t> EntryOfRow(std::size_t row) const;
  std::optional<std::size_t> RowOfEntry(std::size_t entry) const;
  void SelectAndOpen(std::optional<std::size_t> row);
  bool Busy() const { return recorder_.recording() || editor_.insert_panel_open(); }
  PageOutcome Saved(bool saved) const;

  PCMacroLibrary& library_;
  SaveLibrary save_;
  MacroEditor editor_;
  MacroRecorder recorder_;
  std::optional<std::size_t> selected_row_;
  NameRequest pending_name_ = NameRequest::kNone;
};

}  // namespace zelko
