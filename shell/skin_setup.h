// Pictures and packs of the skinned pages: the pictures every control shows
// at start, the web button's place from the general pack, and the language
// packs (backgrounds, layout pack, texts) applied for one language.
#pragma once
#include "shell/general_settings.h"
#include "shell/language_applier.h"
#include "shell/language_texts.h"
#include "shell/layout_values.h"

namespace zelko {

class ControlRegistry;

// The start-up pictures (language 1, main page and language 1 chosen); every
// skinned button's label then takes its picture's size.
void LoadInitialImages(ControlRegistry& controls);

// The web button of every page at the general pack's Web_X, Web_Y.
void PlaceWebButton(ControlRegistry& controls, const GeneralSettings& general);

struct AppliedPacks {
  LayoutSettings layout;
  KeptTexts kept;
};

// The backgrounds of the language, then its layout pack (families A, B, C,
// G, D, E, F), then its language pack with its font on the skinned pages.
AppliedPacks ApplyLanguagePacks(ControlRegistry& controls, const LanguageTexts& texts, int numberOrder);

// Fonts the packs name that this system lacks fall back to fonts it has,
// with CJK glyphs.
void InstallFontFallbacks();

}  // namespace zelko
