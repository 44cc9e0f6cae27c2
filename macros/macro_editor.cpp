#include "macros/macro_editor.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace zelko {
namespace {

constexpr int kMinMove = -128;
constexpr int kMaxMove = 127;
constexpr int kMaxRepeat = 255;

bool IsBefore(InsertChoice choice) {
  switch (choice) {
    case InsertChoice::kDelayBefore:
    case InsertChoice::kKeyFront:
    case InsertChoice::kRepeatStart:
    case InsertChoice::kXBefore:
    case InsertChoice::kYBefore:
      return true;
    default:
      return false;
  }
}

bool IsRecordingChoice(InsertChoice choice) {
  return choice == InsertChoice::kKeyFront || choice == InsertChoice::kKeyBack;
}

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

int ClampDelayEdit(long long ms) {
  return static_cast<int>(std::clamp<long long>(ms, 0, kMaxEventDelayMs));
}

InsertValues ClampInsertValues(InsertValues values) {
  values.delay_ms = ClampDelayEdit(values.delay_ms);
  values.repeat = std::clamp(values.repeat, 0, kMaxRepeat);
  values.x = std::clamp(values.x, kMinMove, kMaxMove);
  values.y = std::clamp(values.y, kMinMove, kMaxMove);
  return values;
}

MacroEditor::MacroEditor(PCMacroLibrary& library, SaveLibrary save)
    : library_(library), save_(std::move(save)) {}

void MacroEditor::Open(std::size_t entry) {
  Close();
  if (entry >= kLibraryEntryCount) return;
  open_entry_ = entry;
  const MacroContent& content = library_.contents[entry];
  if (!ContentHasEvents(content)) return;
  if (content[kReleaseModeOffset] == kReleaseStop) release_stop_ = true;
  if (content[kReleaseModeOffset] == kReleaseContinue) release_stop_ = false;
  DecodedMacro decoded = ContentToMacroLines(content);
  lines_ = std::move(decoded.lines);
  delay_options_.page_mode = decoded.delay_mode;
  if (decoded.delay_mode == DelayMode::kDefault) {
    delay_options_.page_delay_ms = ClampDelayEdit(decoded.default_delay_ms);
  }
  if (row_count() > 0) selected_row_ = row_count() - 1;
}

void MacroEditor::Close() {
  open_entry_.reset();
  lines_.clear();
  selected_row_.reset();
  edit_row_.reset();
}

void MacroEditor::SelectRow(std::optional<std::size_t> row) {
  selected_row_ = (row && *row < row_count()) ? row : std::nullopt;
}

EditOutcome MacroEditor::Store(const MacroContent& content) {
  library_.contents[*open_entry_] = content;
  return save_ && !save_(library_) ? EditOutcome::kSaveFailed : EditOutcome::kDone;
}

EditOutcome MacroEditor::Commit() {
  if (!open_entry_) return EditOutcome::kNothing;
  const EncodedMacro encoded = EncodeMacroLines(lines_, release_mode());
  if (encoded.cut()) return EditOutcome::kTooLong;
  return Store(encoded.content);
}

EditOutcome MacroEditor::CommitCut(std::size_t* lines_cut) {
  if (!open_entry_) return EditOutcome::kNothing;
  const EncodedMacro encoded = EncodeMacroLines(lines_, release_mode());
  lines_.resize(lines_.size() - encoded.lines_dropped);
  if (lines_cut) *lines_cut = encoded.lines_dropped;
  SelectRow(selected_row_);
  return Store(encoded.content);
}

EditOutcome MacroEditor::CommitOrRestore(const MacroLines& before) {
  const EditOutcome outcome = Commit();
  if (outcome == EditOutcome::kTooLong) lines_ = before;
  return outcome;
}

void MacroEditor::ClearOpenContent() {
  if (open_entry_) library_.contents[*open_entry_] = MacroContent{};
}

std::uint8_t MacroEditor::StoredLengthByte() const {
  return open_entry_ ? library_.contents[*open_entry_][kLengthOffset] : 0;
}

EditOutcome MacroEditor::DeleteSelected() {
  if (!open_entry_ || !selected_row_) return EditOutcome::kNothing;
  const std::size_t row = *selected_row_;
  const std::size_t at = row + 1;
  const char kind = LineKind(lines_[at]);
  const std::string name(LineNamePart(lines_[at]));
  const MacroLines before = lines_;

  std::optional<std::size_t> partner;
  if (kind == line_kind::kPress) {
    for (std::size_t j = at + 1; j < lines_.size() && !partner; ++j) {
      if (LineNamePart(lines_[j]) == name) partner = j;
    }
  } else if (kind == line_kind::kRelease) {
    // Backwards to the first event line; the header is never deleted.
    for (std::size_t j = at - 1; j >= 1 && !partner; --j) {
      if (LineNamePart(lines_[j]) == name) partner = j;
    }
  }
  if (partner) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(std::max(at, *partner)));
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(partner ? std::min(at, *partner) : at));

  const bool alone = (kind == line_kind::kPress || kind == line_kind::kRelease) && !partner;
  if (alone) {
    selected_row_.reset();
  } else if (kind == line_kind::kRelease) {
    SelectRow(row > 1 ? std::optional<std::size_t>(row - 2) : std::optional<std::size_t>(0));
  } else {
    SelectRow(row > 0 ? row - 1 : 0);
  }
  return CommitOrRestore(before);
}

EditDialog MacroEditor::BeginEdit() {
  edit_row_.reset();
  if (!open_entry_ || !selected_row_) return EditDialog::kNone;
  const char kind = LineKind(lines_[*selected_row_ + 1]);
  switch (kind) {
    case line_kind::kDelay:
      edit_kind_ = line_kind::kDelay;
      break;
    case line_kind::kPress:
    case line_kind::kRelease:
      edit_kind_ = kind;
      break;
    case line_kind::kMoveXPositive:
    case line_kind::kMoveXNegative:
      edit_kind_ = line_kind::kMoveXPositive;
      break;
    case line_kind::kMoveYPositive:
    case line_kind::kMoveYNegative:
      edit_kind_ = line_kind::kMoveYPositive;
      break;
    case line_kind::kRepeatStart:
      edit_kind_ = line_kind::kRepeatStart;
      break;
    default:
      return EditDialog::kNone;  // a repeat end and unknown bytes have no value
  }
  edit_row_ = *selected_row_;
  if (edit_kind_ == line_kind::kDelay) return EditDialog::kDelay;
  if (edit_kind_ == line_kind::kPress || edit_kind_ == line_kind::kRelease) return EditDialog::kKey;
  return EditDialog::kValue;
}

EditOutcome MacroEditor::ApplyEditedDelay(std::string_view delay_text) {
  if (!edit_row_ || edit_kind_ != line_kind::kDelay || delay_text.empty()) return EditOutcome::kNothing;
  const MacroLines before = lines_;
  lines_[*edit_row_ + 1] = "0 " + std::string(delay_text);
  SelectRow(edit_row_);
  return CommitOrRestore(before);
}

EditOutcome MacroEditor::ApplyEditedKey(std::string_view key_label, std::string_view key_event) {
  const bool key_kind = edit_kind_ == line_kind::kPress || edit_kind_ == line_kind::kRelease;
  if (!edit_row_ || !key_kind || key_label.empty()) return EditOutcome::kNothing;
  const MacroLines before = lines_;
  lines_[*edit_row_ + 1] = std::string{edit_kind_, ' '} + std::string(key_event);
  SelectRow(edit_row_);
  return CommitOrRestore(before);
}

EditOutcome MacroEditor::ApplyEditedValue(std::string_view value_text) {
  const bool value_kind = edit_kind_ == line_kind::kMoveXPositive ||
                          edit_kind_ == line_kind::kMoveYPositive || edit_kind_ == line_kind::kRepeatStart;
  if (!edit_row_ || !value_kind || value_text.empty()) return EditOutcome::kNothing;
  const auto value = ParseInt(value_text);
  if (!value) return EditOutcome::kNothing;
  const MacroLines before = lines_;
  std::string& line = lines_[*edit_row_ + 1];
  if (edit_kind_ == line_kind::kMoveXPositive) line = MoveXLine(std::clamp(*value, kMinMove, kMaxMove));
  if (edit_kind_ == line_kind::kMoveYPositive) line = MoveYLine(std::clamp(*value, kMinMove, kMaxMove));
  if (edit_kind_ == line_kind::kRepeatStart) line = RepeatStartLine(*value);
  SelectRow(edit_row_);
  return CommitOrRestore(before);
}

void MacroEditor::OpenInsertPanel() {
  saved_row_ = selected_row_;
  insert_panel_open_ = true;
  ChooseInsert(InsertChoice::kDelayBefore);
}

void MacroEditor::ChooseInsert(InsertChoice choice) {
  insert_choice_ = choice;
  // The recording choices show the panel's delay options with recorded delay chosen.
  if (IsRecordingChoice(choice)) delay_options_.panel_mode = DelayMode::kRecorded;
}

void MacroEditor::InsertLineAtRow(std::size_t row, std::string line) {
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(row + 1), std::move(line));
}

EditOutcome MacroEditor::InsertOk(const InsertValues& raw_values) {
  if (!insert_panel_open_ || !open_entry_) return EditOutcome::kNothing;
  const InsertValues values = ClampInsertValues(raw_values);
  const InsertChoice choice = insert_choice_;
  if (IsRecordingChoice(choice)) {
    // The insert recording placed its lines already.
    const EditOutcome outcome = Commit();
    if (outcome != EditOutcome::kTooLong) insert_panel_open_ = false;
    return outcome;
  }
  if (!selected_row_) return EditOutcome::kNothing;  // the panel stays open

  std::string line;
  switch (choice) {
    case InsertChoice::kDelayBefore:
    case InsertChoice::kDelayAfter:
      line = DelayLine(values.delay_ms);
      break;
    case InsertChoice::kRepeatStart:
      line = RepeatStartLine(values.repeat);
      break;
    case InsertChoice::kRepeatStop:
      line = RepeatEndLine();
      break;
    case InsertChoice::kXBefore:
    case InsertChoice::kXAfter:
      line = MoveXLine(values.x);
      break;
    case InsertChoice::kYBefore:
    case InsertChoice::kYAfter:
      line = MoveYLine(values.y);
      break;
    default:
      return EditOutcome::kNothing;
  }
  const MacroLines before = lines_;
  const std::size_t row = *selected_row_;
  const std::size_t new_row = IsBefore(choice) ? row : row + 1;
  InsertLineAtRow(new_row, std::move(line));
  const EditOutcome outcome = CommitOrRestore(before);
  if (outcome == EditOutcome::kTooLong) return outcome;
  selected_row_ = new_row;
  insert_panel_open_ = false;
  return outcome;
}

void MacroEditor::InsertCancel() {
  insert_panel_open_ = false;
  const auto entry = open_entry_;
  const auto saved = saved_row_;
  const bool stop = release_stop_;
  // Decoding again drops lines of an insert recording that was not confirmed.
  if (entry) Open(*entry);
  release_stop_ = stop;
  SelectRow(saved);
}

EditOutcome MacroEditor::ReplaceLines(MacroLines lines) {
  if (!open_entry_) return EditOutcome::kNothing;
  if (lines.empty() || !IsHeaderLine(lines.front())) {
    lines.insert(lines.begin(), HeaderLine(delay_options_.page_mode, delay_options_.page_delay_ms));
  }
  const MacroLines before = lines_;
  lines_ = std::move(lines);
  const EditOutcome outcome = CommitOrRestore(before);
  if (outcome != EditOutcome::kTooLong) SelectRow(row_count() > 0 ? std::optional(row_count() - 1) : std::nullopt);
  return outcome;
}

}  // namespace zelko
