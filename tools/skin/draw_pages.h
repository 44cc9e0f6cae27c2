// The large pictures: the window background and the page panels of each
// language, the dialog background and the two macro insert panels.
#pragma once
#include "tools/skin/canvas.h"
#include "tools/skin/skin_layout.h"

namespace zelko::skin {

// L<n>_BackGround: the window's shape (maroon colour key outside).
Canvas DrawBackground(const SkinLayout& layout);

// L<n>_Back1 .. L<n>_Back4: page 1 main, 2 advanced, 3 light, 4 macro.
Canvas DrawMainPanel(const SkinLayout& layout);
Canvas DrawAdvancedPanel(const SkinLayout& layout);
Canvas DrawLightPanel(const SkinLayout& layout);
Canvas DrawMacroPanel(const SkinLayout& layout);

// Msg: the small dialogs' and the colour chooser's background.
Canvas DrawDialogBackground();
// InsertDelayBase (for_keys false) and InsertKeyBase (true).
Canvas DrawInsertPanel(bool for_keys);

}  // namespace zelko::skin
