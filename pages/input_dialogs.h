// The rules of the small input dialogs besides the combination dialog: the
// macro name (at most 16 characters), one key for a macro step, a delay
// (0..2040) and a signed or unsigned value for a movement or a repeat
// count. Each takes what the user types or presses and says what the field
// shows; Confirm hands the field (and, for a key, its event text) on.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelko {

// The macro page's line kinds the key and value dialogs are opened for.
enum class EditLineKind {
  kKeyPress = 1,
  kKeyRelease = 2,
  kMoveX = 3,
  kMoveY = 5,
  kRepeat = 7,
};

// The macro name dialog: a text of at most 16 UTF-16 code units (the name
// bytes of a macro record hold no more). False for a text that is longer
// or not UTF-8: the field keeps what it had.
inline constexpr std::size_t kMacroNameDialogLength = 16;
bool MacroNameFits(std::string_view text);

// The one-key dialog: every key replaces the one before, modifiers too.
struct OneKey {
  std::string label;  // the key's name, what the field shows ("Enter")
  std::string event;  // "Enter CODE:0228": name, " CODE:", 82 press / 02 release, usage
  friend bool operator==(const OneKey&, const OneKey&) = default;
};
OneKey OneKeyOf(int virtual_key, EditLineKind kind);

// Whether a typed character may go into the delay field (digits; Backspace
// is the field's own) or into the value field (digits and the minus sign).
bool DelayFieldTakes(char32_t typed);
bool ValueFieldTakes(char32_t typed);

// The delay field after every change: empty or below 0 becomes "0", above
// 2040 becomes "2040". Text that is no integer stays as it is.
inline constexpr int kMaxDialogDelayMs = 2040;
std::string CorrectedDelayText(std::string_view text);

// The value field after every change: for movements a lone "-" stays, empty
// becomes "0", and the value is kept within -128..127; for a repeat count
// a lone "-" stays, empty becomes "0", and the value is kept within 0..255;
// other kinds are not corrected. Text that is no integer stays as it is.
std::string CorrectedValueText(std::string_view text, EditLineKind kind);

}  // namespace zelko
