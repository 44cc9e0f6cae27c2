#include "keys/language_text.h"

#include "resources/language_pack.h"

namespace zelko {

TextLookup LanguageTextLookup(int language_index) {
  return [language_index](std::string_view id) { return LangText(language_index, id); };
}

}  // namespace zelko
