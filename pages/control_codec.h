// Between the engineer page's controls and the settings: the controls into
// the models before a write, and the models into the controls whenever an
// image is shown (the DPI, AIM, fire, lighting and key-mode parts of the
// redraw).
#pragma once
#include "pages/engineer_controls.h"
#include "settings/mouse_settings.h"

namespace zelko {

// Writes what the controls hold into the models. A radio pair with neither
// button checked, a list with nothing selected where the field needs a
// choice, and an edit whose text is not a number in the field's range all
// keep the model's previous value; a level list with nothing selected marks
// the level unset (0xFF).
void ControlsToSettings(const EngineerControls& controls, MouseSettings& settings);

// Fills the controls from the models. Values the controls cannot show (a
// count of 3 or fewer LEDs, a current mode of 0, an out-of-range index)
// leave those controls as they were, or without a selection.
void SettingsToControls(const MouseSettings& settings, EngineerControls& controls);

// The LED type the controls encode: the checked radio button, or with
// neither checked the type the settings already hold.
bool EncodesNormalLed(const EngineerControls& controls, const MouseSettings& settings);

}  // namespace zelko
