// The Light page's rules that need no widget: which groups the LED type
// shows, the current-mode list rebuilt from the mode check boxes, choosing
// the current mode, and key-mode saving.
#pragma once
#include <array>

#include "pages/engineer_controls.h"

namespace zelko {

// What shows for an LED type, on the engineer page and on the Light page.
struct LedTypeLayout {
  // Engineer page groups.
  bool breath_rate = false;        // edt_NorLEDStep
  bool level_palette = false;      // cb_CPInColor
  bool key_mode1_colour = false;   // edt_KeyMode1R/G/B
  bool brightness = false;         // rb_MCULED3Control / rb_MCULED6Control
  bool current_mode_and_step = false;  // cb_MCULEDCurrentMode, edt_MCULEDCrtStep
  bool level_rgb = false;          // edt_CPInR/G/B
  // Light page.
  bool lcpi_pair = false;          // Img_LCPIOn/Off with labels
  bool mode_images = false;        // Img_MCULEDMode1..7 with labels (each also needs its mask bit)
  bool step_bar = false;           // Img_MCULEDStep_1..8 with labels
  bool count_bar = false;          // Img_MCULEDNum_1..10 with labels
};
LedTypeLayout LayoutForLedType(bool normal_led);

// TLRefreshMCULEDMode: seven items, "Mode k" for an offered mode and
// "------" for one not offered; item 0 selected.
void RebuildCurrentModeList(EngineerControls& controls);
// Which of the seven mode images (and labels) the Light page shows.
std::array<bool, kMcuLedModeCount> VisibleModeImages(const EngineerControls& controls);
// The mode images' states: the selected item's image lit ("RdS_E").
std::array<bool, kMcuLedModeCount> ModeImagesLit(const EngineerControls& controls);

// A click on mode label k (1..7) selects item k - 1. A mode that is not
// offered is refused: false, nothing changes.
bool ChooseCurrentMode(EngineerControls& controls, int mode);

// rb_Save / rb_NoSave: not saving forces key mode A and disables the list;
// saving enables it again.
void SetKeyModeSaving(EngineerControls& controls, bool save);

}  // namespace zelko
