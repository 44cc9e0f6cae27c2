// The combination-key dialog (TForm2) as a model: the read-only field
// Edt_Assembly, the check boxes CB_Ctrl, CB_Shift, CB_Alt and CB_Win, and
// what Confirm and Clear hand to the main window. One key plus the ticked
// modifiers: a second key replaces the first, modifiers come only from the
// boxes. Keys arrive as Windows virtual-key codes (pages/key_event_map.h
// turns a toolkit's key event into one).
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "pages/button_editor.h"

namespace zelko {

enum class ComboModifier { kCtrl, kShift, kAlt, kWin };
inline constexpr std::array<ComboModifier, 4> kComboModifiers = {
    ComboModifier::kCtrl, ComboModifier::kShift, ComboModifier::kAlt, ComboModifier::kWin};

// "Ctrl", "Shift", "Alt", "Win": the box's caption and its word in the field.
std::string_view ComboModifierName(ComboModifier modifier);

class ComboKeyDialogModel {
 public:
  // A key pressed in the field, with the state of Shift, Ctrl and Alt. A key
  // accepted before is forgotten first. Refused (false, nothing more): the
  // Windows keys (91, 92), and any key while Shift, Ctrl or Alt is held;
  // pressing one of those alone is refused too, as on Windows, where the
  // key itself sets its state. A key the tables do not list is accepted as
  // "None" with usage 0.
  bool KeyPressed(int virtual_key, bool shift_held, bool ctrl_held, bool alt_held);

  // A check box clicked to its new state.
  void SetModifier(ComboModifier modifier, bool checked);

  // Confirm: "02", the modifier byte of the boxes and the usage; the field
  // as label; ready. No validation: nothing entered gives 020000 and "".
  ComboHandOver Confirm() const;
  // Clear: field, key and boxes emptied. The hand-over it leaves is empty
  // and not ready.
  ComboHandOver Clear();

  const std::string& field() const { return field_; }
  bool checked(ComboModifier modifier) const { return checked_[Index(modifier)]; }
  const std::string& keyName() const { return key_name_; }
  std::uint8_t usage() const { return usage_; }
  bool keyAccepted() const { return accepted_keys_ == 1; }
  std::uint8_t modifierByte() const;
  // The ticked boxes' words joined by "+" ("Ctrl+Shift").
  std::string modifierText() const;

 private:
  static std::size_t Index(ComboModifier modifier) { return static_cast<std::size_t>(modifier); }

  std::string field_;
  std::string key_name_;
  std::uint8_t usage_ = 0;
  int accepted_keys_ = 0;
  std::array<bool, 4> checked_{};
};

}  // namespace zelko
