// The macro recorder: turns key and mouse-button events into MacroLines of
// the macro open in the editor. It records in two modes: normal recording
// replaces the whole macro and encodes it at the stop; insert recording adds
// lines before ("Insert Key Front") or after ("Insert Key Back") the
// selected row and leaves the encoding to the insert panel's OK.
//
// Two sources feed it, possibly from two threads: TakeKey (global keyboard
// events: Windows virtual-key code and press/release state) and
// TakeMouseButton. Both only stamp the event with the injected millisecond
// clock and append it to one queue; ProcessPending, on the thread that owns
// the editor, takes the queue in order. So the lines stand in the order in
// which the events were taken, and delays are measured between the stamps.
//
// Capacity: a recording is held to 220 bytes as counted below (a key line 2,
// a button line 1, a delay line 2 per delay event it encodes to). A press is
// refused when the count is above 220 - reserve, the reserve being 4 under
// "no delay" and 10 under the delay modes of the recording's own delay group
// (the page's in normal recording, the insert panel's in insert recording);
// a release is refused when the count is above 220. A refused keyboard
// press blocks the keyboard until the next start; a keyboard release that
// finds the count at 220 or more ends the recording unrecorded. A refused
// mouse press counts its reserve once, which marks the macro full for every
// later event. With delays the count can pass the 221 event bytes a content
// holds; the end of a normal recording then stores the lines that fit and
// drops the rest (see MacroEditor::CommitCut).
#pragma once
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "macros/macro_editor.h"
#include "macros/macro_event.h"

namespace zelko {

// The State of a keyboard event.
enum class KeyState : std::uint8_t {
  kFirstPress = 0,   // a key went down
  kRelease = 1,      // a key went up
  kRepeatPress = 2,  // another key-down while a key is held (typematic repeat or a second key)
};

inline constexpr int kMacroCapacity = 220;
inline constexpr int kPressReserveNoDelay = 4;
inline constexpr int kPressReserveWithDelay = 10;
inline constexpr long long kMaxRecordedDelayMs = 10200;

class MacroRecorder {
 public:
  // Called when the recorder stops by itself (the macro is full), so that the
  // window can show "Record" again. The argument says whether it was an
  // insert recording.
  using AutoStopped = std::function<void(bool insert)>;

  MacroRecorder(MacroEditor& editor, const Clock& clock, AutoStopped auto_stopped = {});

  // Normal recording; needs an open library macro. Start empties the macro.
  bool StartNormal();
  // Ends a normal recording: encodes the lines into the macro and saves.
  EditOutcome StopNormal();
  // Insert recording; needs the insert panel open on "Insert Key Front" or
  // "Insert Key Back", a selected row, the stored macro below 220 bytes,
  // and the keyboard not blocked.
  bool StartInsert();
  void StopInsert();

  // The sources; safe from any thread.
  void TakeKey(int virtual_key, KeyState state);
  void TakeMouseButton(MacroMouseButton button, bool pressed);
  // While the pointer is over the record buttons, left-button events are
  // not taken (so that clicking "Stop" is not recorded).
  void SetOverRecordButton(bool over);

  // Takes every queued event, in order.
  void ProcessPending();

  bool recording() const { return recording_; }
  bool insert_recording() const { return insert_recording_; }
  int bytes_used() const { return bytes_used_; }
  bool record_blocked() const { return record_blocked_; }
  // The insert panel's OK and Cancel clear it.
  void ClearRecordBlocked() { record_blocked_ = false; }

 private:
  struct TakenEvent {
    bool is_key = false;
    int virtual_key = 0;
    KeyState state = KeyState::kFirstPress;
    MacroMouseButton button = MacroMouseButton::kLeft;
    bool pressed = false;
    std::uint64_t at_ms = 0;
  };

  void BeginCommon();
  void StopActive();
  void EnsureHeader();
  DelayMode ActiveDelayMode() const;
  int ActiveDelayMs() const;
  int PressReserve() const;
  // The delay line's milliseconds before an event at at_ms under the
  // recording's delay mode (nothing for the first event or "no delay"); the
  // delay modes move the last event's time on.
  std::optional<long long> DelayBefore(std::uint64_t at_ms);
  void Place(std::string line);
  void HandleKey(const TakenEvent& event);
  void HandleMouse(const TakenEvent& event);

  MacroEditor& editor_;
  const Clock& clock_;
  AutoStopped auto_stopped_;

  std::mutex queue_mutex_;
  std::vector<TakenEvent> queue_;
  bool accepting_ = false;            // guarded by queue_mutex_
  bool over_record_button_ = false;   // guarded by queue_mutex_

  bool recording_ = false;
  bool insert_recording_ = false;
  int bytes_used_ = 0;
  bool record_blocked_ = false;
  bool key_press_refused_ = false;
  std::optional<int> last_key_;
  std::optional<std::uint64_t> last_event_ms_;
  std::size_t insert_position_ = 0;
  bool insert_after_ = false;
};

}  // namespace zelko
