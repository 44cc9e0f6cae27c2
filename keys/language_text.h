// The text lookup of a shipped language pack, for the label functions.
#pragma once
#include "keys/key_label.h"

namespace zelko {

// LangText of pack 1..3 as a TextLookup; any other number gives empty texts.
TextLookup LanguageTextLookup(int language_index);

}  // namespace zelko
