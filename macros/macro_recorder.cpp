#include "macros/macro_recorder.h"

#include <algorithm>
#include <utility>

#include "keys/key_tables.h"

namespace zelko {
namespace {

// The name the key tables give virtual key 255; such a key is not recorded.
constexpr std::string_view kIgnoredKeyName = "255";

// The modifier bit a virtual key presses, if it is one of the five.
std::optional<std::uint8_t> ModifierBitOfKey(int virtual_key) {
  for (const auto& modifier : kModifierBits) {
    if (modifier.virtual_key == virtual_key) return modifier.bit;
  }
  return std::nullopt;
}

}  // namespace

MacroRecorder::MacroRecorder(MacroEditor& editor, const Clock& clock, AutoStopped auto_stopped)
    : editor_(editor), clock_(clock), auto_stopped_(std::move(auto_stopped)) {}

void MacroRecorder::BeginCommon() {
  record_blocked_ = false;
  key_press_refused_ = false;
  last_key_.reset();
  last_event_ms_.reset();
  recording_ = true;
  std::lock_guard lock(queue_mutex_);
  queue_.clear();
  accepting_ = true;
}

bool MacroRecorder::StartNormal() {
  if (recording_ || !editor_.open_entry()) return false;
  editor_.mutable_lines().clear();
  editor_.SelectRow(std::nullopt);
  editor_.ClearOpenContent();
  bytes_used_ = 0;
  insert_recording_ = false;
  BeginCommon();
  EnsureHeader();
  return true;
}

EditOutcome MacroRecorder::StopNormal() {
  if (!recording_ || insert_recording_) return EditOutcome::kNothing;
  {
    std::lock_guard lock(queue_mutex_);
    accepting_ = false;
  }
  recording_ = false;
  record_blocked_ = false;
  return editor_.CommitCut();
}

bool MacroRecorder::StartInsert() {
  if (recording_ || record_blocked_) return false;
  const InsertChoice choice = editor_.insert_choice();
  const bool recording_choice = choice == InsertChoice::kKeyFront || choice == InsertChoice::kKeyBack;
  if (!editor_.insert_panel_open() || !recording_choice) return false;
  bytes_used_ = editor_.StoredLengthByte();
  if (!editor_.selected_row() || bytes_used_ >= kMacroCapacity) return false;
  insert_position_ = *editor_.selected_row();
  insert_after_ = choice == InsertChoice::kKeyBack;
  insert_recording_ = true;
  BeginCommon();
  return true;
}

void MacroRecorder::StopInsert() {
  if (!recording_ || !insert_recording_) return;
  {
    std::lock_guard lock(queue_mutex_);
    accepting_ = false;
  }
  recording_ = false;
  insert_recording_ = false;
  last_event_ms_.reset();
}

void MacroRecorder::StopActive() {
  const bool insert = insert_recording_;
  if (insert) {
    StopInsert();
  } else {
    StopNormal();
  }
  if (auto_stopped_) auto_stopped_(insert);
}

void MacroRecorder::TakeKey(int virtual_key, KeyState state) {
  // Stamped under the lock, so that the stamps rise in queue order.
  std::lock_guard lock(queue_mutex_);
  if (!accepting_) return;
  const std::uint64_t now = clock_.NowMs();
  TakenEvent event;
  event.is_key = true;
  event.virtual_key = virtual_key;
  event.state = state;
  event.at_ms = now;
  queue_.push_back(event);
}

void MacroRecorder::TakeMouseButton(MacroMouseButton button, bool pressed) {
  std::lock_guard lock(queue_mutex_);
  if (!accepting_) return;
  if (button == MacroMouseButton::kLeft && over_record_button_) return;
  const std::uint64_t now = clock_.NowMs();
  TakenEvent event;
  event.button = button;
  event.pressed = pressed;
  event.at_ms = now;
  queue_.push_back(event);
}

void MacroRecorder::SetOverRecordButton(bool over) {
  std::lock_guard lock(queue_mutex_);
  over_record_button_ = over;
}

void MacroRecorder::ProcessPending() {
  std::vector<TakenEvent> events;
  {
    std::lock_guard lock(queue_mutex_);
    events.swap(queue_);
  }
  for (const TakenEvent& event : events) {
    if (!recording_) break;
    if (event.is_key) {
      HandleKey(event);
    } else {
      HandleMouse(event);
    }
  }
}

void MacroRecorder::EnsureHeader() {
  MacroLines& lines = editor_.mutable_lines();
  if (!lines.empty()) return;
  const DelayOptions& options = editor_.delay_options();
  lines.push_back(HeaderLine(options.page_mode, options.page_delay_ms));
}

DelayMode MacroRecorder::ActiveDelayMode() const {
  const DelayOptions& options = editor_.delay_options();
  return insert_recording_ ? options.panel_mode : options.page_mode;
}

int MacroRecorder::ActiveDelayMs() const {
  const DelayOptions& options = editor_.delay_options();
  return ClampDelayEdit(insert_recording_ ? options.panel_delay_ms : options.page_delay_ms);
}

int MacroRecorder::PressReserve() const {
  return ActiveDelayMode() == DelayMode::kNone ? kPressReserveNoDelay : kPressReserveWithDelay;
}

std::optional<long long> MacroRecorder::DelayBefore(std::uint64_t at_ms) {
  const DelayMode mode = ActiveDelayMode();
  if (mode == DelayMode::kNone) return std::nullopt;  // the clock of the last event stays
  std::optional<long long> ms;
  if (last_event_ms_) {
    if (mode == DelayMode::kRecorded) {
      const std::uint64_t elapsed = at_ms >= *last_event_ms_ ? at_ms - *last_event_ms_ : 0;
      ms = static_cast<long long>(std::min<std::uint64_t>(elapsed, kMaxRecordedDelayMs));
    } else {
      ms = ActiveDelayMs();
    }
  }
  last_event_ms_ = at_ms;
  return ms;
}

void MacroRecorder::Place(std::string line) {
  MacroLines& lines = editor_.mutable_lines();
  if (!insert_recording_) {
    lines.push_back(std::move(line));
    editor_.SelectRow(editor_.row_count() - 1);
    return;
  }
  // Line 0 is the header, so row r is line r + 1.
  const std::size_t at = std::min(insert_position_ + (insert_after_ ? 2 : 1), lines.size());
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
  ++insert_position_;
  editor_.SelectRow(insert_position_);
}

void MacroRecorder::HandleKey(const TakenEvent& event) {
  const KeyIndex index = VirtualKeyToKeyIndex(event.virtual_key);
  const std::string_view name = KeyIndexName(index);
  if (name == kIgnoredKeyName) return;
  EnsureHeader();
  const int reserve = PressReserve();
  if (record_blocked_) return;

  bool pressed = true;
  switch (event.state) {
    case KeyState::kRepeatPress:
      if (last_key_ == event.virtual_key) return;  // the typematic repeat of the key last taken
      [[fallthrough]];
    case KeyState::kFirstPress:
      last_key_ = event.virtual_key;
      if (bytes_used_ > kMacroCapacity - reserve) {
        key_press_refused_ = true;
        record_blocked_ = true;
        return;
      }
      break;
    case KeyState::kRelease:
      if (key_press_refused_) return;
      last_key_ = event.virtual_key;
      if (bytes_used_ > kMacroCapacity) {
        record_blocked_ = true;
        return;
      }
      pressed = false;
      break;
  }
  if (bytes_used_ >= kMacroCapacity) {
    StopActive();
    return;
  }

  if (const auto ms = DelayBefore(event.at_ms)) {
    Place(DelayLine(*ms));  // one line, even past 2040 ms
    bytes_used_ += static_cast<int>(DelayByteCount(*ms));
  }

  std::uint8_t code = 0;
  std::uint8_t param = 0;
  if (const auto bit = ModifierBitOfKey(event.virtual_key)) {
    code = pressed ? macro_event::kModifierPress : macro_event::kModifierRelease;
    param = *bit;
  } else {
    code = pressed ? macro_event::kKeyPress : macro_event::kKeyRelease;
    param = KeyIndexToUsage(index);
  }
  Place(KeyLine(pressed, name, code, param));
  bytes_used_ += 2;
}

void MacroRecorder::HandleMouse(const TakenEvent& event) {
  EnsureHeader();
  const int reserve = PressReserve();
  if (event.pressed && bytes_used_ > kMacroCapacity - reserve) {
    bytes_used_ += reserve;  // the macro counts as full from now on
    return;
  }
  if (!event.pressed && bytes_used_ > kMacroCapacity) return;

  if (const auto ms = DelayBefore(event.at_ms)) {
    // One line per whole 2040 ms, then the rest; none for 0 ms.
    for (long long i = 0; i < *ms / kMaxEventDelayMs; ++i) {
      Place(DelayLine(kMaxEventDelayMs));
      bytes_used_ += 2;
    }
    if (*ms % kMaxEventDelayMs > 0) {
      Place(DelayLine(*ms % kMaxEventDelayMs));
      bytes_used_ += 2;
    }
  }
  Place(MouseButtonLine(event.button, event.pressed));
  bytes_used_ += 1;
}

}  // namespace zelko
