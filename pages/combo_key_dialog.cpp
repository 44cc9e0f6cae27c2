#include "pages/combo_key_dialog.h"

#include "keys/key_function_code.h"
#include "keys/key_tables.h"

namespace zelko {
namespace {

// Windows virtual-key codes the dialog treats apart.
constexpr int kVkShift = 16;  // Ctrl is 17, between Shift and Alt
constexpr int kVkMenu = 18;   // Alt
constexpr int kVkLeftWindows = 91;
constexpr int kVkRightWindows = 92;
constexpr int kVkLeftShift = 160;
constexpr int kVkRightAlt = 165;

// Shift, Ctrl or Alt itself, either side.
bool IsShiftCtrlAlt(int virtual_key) {
  return (virtual_key >= kVkShift && virtual_key <= kVkMenu) ||
         (virtual_key >= kVkLeftShift && virtual_key <= kVkRightAlt);
}

void EraseFirst(std::string& text, const std::string& part) {
  if (const auto at = text.find(part); at != std::string::npos) text.erase(at, part.size());
}

}  // namespace

std::string_view ComboModifierName(ComboModifier modifier) {
  switch (modifier) {
    case ComboModifier::kCtrl:
      return "Ctrl";
    case ComboModifier::kShift:
      return "Shift";
    case ComboModifier::kAlt:
      return "Alt";
    case ComboModifier::kWin:
      return "Win";
  }
  return {};
}

std::uint8_t ComboKeyDialogModel::modifierByte() const {
  std::uint8_t byte = 0;
  if (checked(ComboModifier::kCtrl)) byte |= key_modifier::kCtrl;
  if (checked(ComboModifier::kShift)) byte |= key_modifier::kShift;
  if (checked(ComboModifier::kAlt)) byte |= key_modifier::kAlt;
  if (checked(ComboModifier::kWin)) byte |= key_modifier::kWin;
  return byte;
}

std::string ComboKeyDialogModel::modifierText() const {
  std::string text;
  for (const ComboModifier modifier : kComboModifiers) {
    if (!checked(modifier)) continue;
    if (!text.empty()) text += '+';
    text += ComboModifierName(modifier);
  }
  return text;
}

bool ComboKeyDialogModel::KeyPressed(int virtual_key, bool shift_held, bool ctrl_held, bool alt_held) {
  if (accepted_keys_ == 1) {
    key_name_.clear();
    usage_ = 0;
    field_ = modifierText();
    accepted_keys_ = 0;
  }
  if (virtual_key == kVkLeftWindows || virtual_key == kVkRightWindows || shift_held || ctrl_held ||
      alt_held || IsShiftCtrlAlt(virtual_key)) {
    return false;
  }
  const KeyIndex index = VirtualKeyToKeyIndex(virtual_key);
  key_name_ = std::string(KeyIndexName(index));
  usage_ = KeyIndexToUsage(index);
  field_ = field_.empty() ? key_name_ : field_ + "+" + key_name_;
  accepted_keys_ = 1;
  return true;
}

void ComboKeyDialogModel::SetModifier(ComboModifier modifier, bool checked) {
  checked_[Index(modifier)] = checked;
  if (checked) {
    field_ = modifierText();
    if (accepted_keys_ == 1) field_ += "+" + key_name_;
    return;
  }
  if (field_.empty()) return;
  const std::string name(ComboModifierName(modifier));
  if (field_ == name) {
    field_.clear();
  } else if (field_.starts_with(name)) {
    EraseFirst(field_, name + "+");
  } else {
    EraseFirst(field_, "+" + name);
  }
}

ComboHandOver ComboKeyDialogModel::Confirm() const {
  return {field_, CombinationCode(modifierByte(), usage_), true};
}

ComboHandOver ComboKeyDialogModel::Clear() {
  *this = ComboKeyDialogModel();
  return {};
}

}  // namespace zelko
