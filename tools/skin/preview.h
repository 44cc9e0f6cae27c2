// Composite pictures of the pages as the window would show them: the
// background, the page's panel and the control images at the positions of the
// layout pack, with captions in the skin's own pixel font. For looking at the
// skin; the window draws the real captions.
#pragma once
#include <map>
#include <string>

#include "tools/skin/canvas.h"
#include "tools/skin/skin_layout.h"

namespace zelko::skin {

using ImageMap = std::map<std::string, Canvas>;

// page: 1 main, 2 advanced, 3 light, 4 macro, 5 macro with the insert panel open.
Canvas ComposePreview(const SkinLayout& layout, int page, const ImageMap& images);

// Every control image on one sheet, in all its states, with its name.
Canvas ComposeControlSheet(const ImageMap& images);

// The dialog background with the colour chooser's controls.
Canvas ComposeDialogPreview(const SkinLayout& layout, const ImageMap& images);

}  // namespace zelko::skin
