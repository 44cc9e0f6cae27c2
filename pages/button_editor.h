// What the button assignment editor does to the settings when an entry of
// the function menu is clicked, a combination is confirmed, a library
// macro is picked or a long-press option flips: each step over the
// window's MouseSettings (and, for a macro, its device slots and the
// workspace's macro area), returning what the picked button must show.
// The Left Click rule compares the captions the page shows, passed in.
#pragma once
#include <string>

#include "image/parameter_record.h"
#include "keys/button_assignment.h"
#include "macros/device_slots.h"
#include "macros/macro_record.h"
#include "pages/image_change.h"
#include "settings/mouse_settings.h"

namespace zelko {

// The combination hand-over the combination-key dialog fills on Confirm
// (ComboLabel, ComboCode, ComboReady) and empties on Clear.
struct ComboHandOver {
  std::string label;  // the text the dialog showed ("Ctrl+A")
  std::string code;   // "020104"
  bool ready = false; // true only once the dialog was confirmed
  friend bool operator==(const ComboHandOver&, const ComboHandOver&) = default;
};

// KeyStatusOnClick: the catalogue function of `menu_tag` for the button,
// under the Left Click rule. The AIM entry takes the value the AIM buttons
// already carry (NewAimButtonCode), and the AIM model then knows it.
[[nodiscard]] AssignmentResult AssignMenuEntry(MouseSettings& settings, ButtonRef target, int menu_tag,
                                               const ProfileCaptions& captions, const TextLookup& text);

// ApplyComboKey: nothing unless the hand-over is ready; otherwise the
// combination is stored with the dialog's text as caption, without the
// Left Click rule.
[[nodiscard]] AssignmentResult ApplyComboKey(MouseSettings& settings, ButtonRef target,
                                             const ComboHandOver& combo);

// The long-press options: IB_ComboKey1 (a long press of the wheel) and
// IB_ComboKey2 (of the DPI key) switch the key mode.
enum class LongPressOption { kMiddle = 1, kCpi = 2 };
// IB_ComboKey1Click / IB_ComboKey2Click: flips the option; returns its new state.
bool FlipLongPress(ButtonMap& buttons, LongPressOption option);
// Img_ComboKey1 and Img_ComboKey2: "CbS_E" when on, "CbS_D" when off.
ImageChanges LongPressImages(const ButtonMap& buttons);

}  // namespace zelko
