#include "pages/macro_page_model.h"

#include <charconv>
#include <utility>

#include "macros/macro_name_codec.h"
#include "macros/macro_row_text.h"
#include "pages/input_dialogs.h"

namespace zelko {

MacroPageModel::MacroPageModel(PCMacroLibrary& library, SaveLibrary save, const Clock& clock)
    : library_(library),
      save_(save),
      editor_(library, std::move(save)),
      recorder_(editor_, clock, [this](bool insert) {
        if (on_auto_stopped) on_auto_stopped(insert);
      }) {}

std::vector<std::string> MacroPageModel::LibraryRows() const {
  std::vector<std::string> rows;
  for (const std::size_t entry : library_.EntriesInUse()) rows.push_back(MacroNameText(library_.names[entry]));
  return rows;
}

std::optional<std::size_t> MacroPageModel::EntryOfRow(std::size_t row) const {
  const std::vector<std::size_t> entries = library_.EntriesInUse();
  if (row >= entries.size()) return std::nullopt;
  return entries[row];
}

std::optional<std::size_t> MacroPageModel::RowOfEntry(std::size_t entry) const {
  const std::vector<std::size_t> entries = library_.EntriesInUse();
  for (std::size_t row = 0; row < entries.size(); ++row) {
    if (entries[row] == entry) return row;
  }
  return std::nullopt;
}

void MacroPageModel::SelectAndOpen(std::optional<std::size_t> row) {
  const auto entry = row ? EntryOfRow(*row) : std::nullopt;
  if (!entry) {
    selected_row_.reset();
    editor_.Close();
    return;
  }
  selected_row_ = row;
  editor_.Open(*entry);
}

void MacroPageModel::OpenLibraryRow(std::size_t row) {
  if (Busy()) return;
  SelectAndOpen(row);
}

void MacroPageModel::DeselectLibrary() {
  if (Busy()) return;
  SelectAndOpen(std::nullopt);
}

void MacroPageModel::LibraryReplaced() {
  if (recorder_.recording()) {
    if (recorder_.insert_recording()) {
      recorder_.StopInsert();
    } else {
      (void)recorder_.StopNormal();
    }
  }
  if (editor_.insert_panel_open()) editor_.InsertCancel();
  SelectAndOpen(std::nullopt);
}

PageOutcome MacroPageModel::Saved(bool saved) const {
  PageOutcome outcome;
  outcome.changed = true;
  if (!saved) outcome.message_id = std::string(kSaveFailedTextId);
  return outcome;
}

bool MacroPageModel::RequestNew() {
  if (Busy() || library_.CountInUse() >= kLibraryEntryCount) return false;
  pending_name_ = NameRequest::kNew;
  return true;
}

bool MacroPageModel::RequestRename() {
  if (Busy() || !selected_row_) return false;
  pending_name_ = NameRequest::kRename;
  return true;
}

PageOutcome MacroPageModel::ApplyMacroName(std::string_view name) {
  const NameRequest request = pending_name_;
  if (name.empty() || request == NameRequest::kNone || Busy()) return {};
  pending_name_ = NameRequest::kNone;
  LibraryChange change;
  if (request == NameRequest::kRename) {
    const auto entry = selected_row_ ? EntryOfRow(*selected_row_) : std::nullopt;
    if (!entry) return {};
    change = RenameMacro(library_, *entry, name);
  } else {
    change = NewMacro(library_, name);
  }
  if (change.result == LibraryResult::kDuplicateName) return {false, std::string(kDuplicateNameTextId)};
  if (change.result != LibraryResult::kOk) return {};
  const bool saved = !save_ || save_(library_);
  if (request == NameRequest::kNew) SelectAndOpen(RowOfEntry(change.entry));
  return Saved(saved);
}

PageOutcome MacroPageModel::DeleteSelected() {
  if (Busy() || !selected_row_) return {};
  const std::size_t row = *selected_row_;
  const auto entry = EntryOfRow(row);
  if (!entry) return {};
  editor_.Close();
  if (DeleteMacro(library_, *entry).result != LibraryResult::kOk) return {};
  const bool saved = !save_ || save_(library_);
  SelectAndOpen(RowAfterDelete(row, library_.CountInUse()));
  return Saved(saved);
}

PageOutcome MacroPageModel::ImportOne(std::span<const std::uint8_t> file) {
  if (Busy()) return {};
  const LibraryChange change = ImportOneMacro(library_, file);
  switch (change.result) {
    case LibraryResult::kOk:
      break;
    case LibraryResult::kDuplicateName:
      return {false, std::string(kDuplicateNameTextId)};
    case LibraryResult::kFileTooShort:
      return {false, std::string(kShortMacroFileTextId)};
    default:
      return {};
  }
  const bool saved = !save_ || save_(library_);
  SelectAndOpen(RowOfEntry(change.entry));
  return Saved(saved);
}

PageOutcome MacroPageModel::ImportAll(std::span<const std::uint8_t> file) {
  if (Busy()) return {};
  const LibraryChange change = ImportAllMacros(library_, file);
  if (change.result == LibraryResult::kFileTooShort) return {false, std::string(kShortMacroFileTextId)};
  if (change.result != LibraryResult::kOk) return {};
  const bool saved = !save_ || save_(library_);
  SelectAndOpen(std::nullopt);
  return Saved(saved);
}

std::optional<MacroRecordBytes> MacroPageModel::ExportSelected() const {
  const auto entry = selected_row_ ? EntryOfRow(*selected_row_) : std::nullopt;
  if (!entry) return std::nullopt;
  return ExportOneMacro(library_, *entry);
}

std::vector<EventRow> MacroPageModel::EventRows() const {
  std::vector<EventRow> rows;
  const MacroLines& lines = editor_.lines();
  for (std::size_t i = 1; i < lines.size(); ++i) rows.push_back({LineKind(lines[i]), EventRowText(lines[i])});
  return rows;
}

PageOutcome MacroPageModel::OutcomeOf(EditOutcome outcome) {
  switch (outcome) {
    case EditOutcome::kDone:
      return {true, {}};
    case EditOutcome::kNothing:
      return {};
    case EditOutcome::kTooLong:
      return {false, std::string(kMacroFullTextId)};
    case EditOutcome::kSaveFailed:
      return {true, std::string(kSaveFailedTextId)};
  }
  return {};
}

MacroPageModel::StartClickResult MacroPageModel::StartClick() {
  StartClickResult result;
  if (recorder_.recording()) {
    if (recorder_.insert_recording()) return result;
    result.stopped = true;
    result.outcome = OutcomeOf(recorder_.StopNormal());
    return result;
  }
  if (editor_.insert_panel_open() || !selected_row_ || !editor_.open_entry()) return result;
  result.started = recorder_.StartNormal();
  return result;
}

MacroPageModel::StartClickResult MacroPageModel::InsertStartClick() {
  StartClickResult result;
  if (recorder_.recording()) {
    if (!recorder_.insert_recording()) return result;
    recorder_.StopInsert();
    result.stopped = true;
    return result;
  }
  result.started = recorder_.StartInsert();
  return result;
}

void MacroPageModel::OpenInsertPanel() {
  if (Busy() || !editor_.open_entry()) return;
  editor_.OpenInsertPanel();
}

PageOutcome MacroPageModel::InsertOk(const InsertValues& values) {
  if (recorder_.recording() || !editor_.insert_panel_open()) return {};
  const PageOutcome outcome = OutcomeOf(editor_.InsertOk(values));
  recorder_.ClearRecordBlocked();
  return outcome;
}

void MacroPageModel::InsertCancel() {
  if (recorder_.recording() || !editor_.insert_panel_open()) return;
  editor_.InsertCancel();
  recorder_.ClearRecordBlocked();
}

MacroPageStates MacroPageModel::States() const {
  MacroPageStates states;
  const bool recording = recorder_.recording();
  const bool insert_recording = recording && recorder_.insert_recording();
  const bool panel = editor_.insert_panel_open();
  states.library_list_enabled = !recording && !panel;
  states.event_list_enabled = !recording;
  states.new_enabled = !recording && !panel && library_.CountInUse() < kLibraryEntryCount;
  states.start_enabled = !panel;
  states.start_shows_stop = recording && !insert_recording;
  states.delay_group_enabled = !recording;
  states.insert_panel_shown = panel;
  states.insert_start_shows_stop = insert_recording;
  states.insert_choices_enabled = !insert_recording;
  states.insert_ok_cancel_enabled = !insert_recording;
  return states;
}

InsertPanelLayout MacroPageModel::InsertPanel() const {
  InsertPanelLayout panel;
  if (!editor_.insert_panel_open()) return panel;
  const InsertChoice choice = editor_.insert_choice();
  const bool recording = choice == InsertChoice::kKeyFront || choice == InsertChoice::kKeyBack;
  const bool delay = choice == InsertChoice::kDelayBefore || choice == InsertChoice::kDelayAfter;
  const bool insert_recording = recorder_.recording() && recorder_.insert_recording();
  panel.recording_choice = recording;
  panel.background = recording ? "InsertKeyBase" : "InsertDelayBase";
  panel.delay_edit_shown = delay || recording;
  // With a recording choice the edit holds the fixed delay of the "default
  // delay" option, typed into only while that option is chosen and no
  // insert recording runs.
  panel.delay_edit_editable =
      delay || (recording && editor_.delay_options().panel_mode == DelayMode::kDefault && !insert_recording);
  panel.delay_caption_shown = delay;
  panel.delay_unit_shown = delay || recording;
  panel.recording_controls_shown = recording;
  panel.repeat_shown = choice == InsertChoice::kRepeatStart || choice == InsertChoice::kRepeatStop;
  panel.repeat_enabled = choice == InsertChoice::kRepeatStart;
  panel.x_shown = choice == InsertChoice::kXBefore || choice == InsertChoice::kXAfter;
  panel.y_shown = choice == InsertChoice::kYBefore || choice == InsertChoice::kYAfter;
  panel.ok_keeps_recording = recording;
  return panel;
}

std::string CorrectedInsertRepeatText(std::string_view text) {
  if (text.empty()) return std::to_string(kInsertRepeatStart);
  return CorrectedValueText(text, EditLineKind::kRepeat);
}

int InsertRepeatCount(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return kInsertRepeatStart;
  return value;
}

}  // namespace zelko
