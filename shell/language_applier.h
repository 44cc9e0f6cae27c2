// ApplyLanguage: the current pack's texts into the window's controls, after
// the layout values. Controls a page does not have yet are skipped.
#pragma once
#include <QString>

namespace zelko {

class ControlRegistry;
class LanguageTexts;

// The texts the window keeps from the pack for its messages and rules.
struct KeptTexts {
  QString fontName;
  QString title;
  QString leftClickLabel;  // Str210
  QString aimLabel;        // Str222
};

KeptTexts ApplyLanguage(const LanguageTexts& texts, ControlRegistry& controls);

// Each of Key1 .. Key9 takes the current pack's text of the id its caption
// belongs to; captions of no id (combinations, macro names) stay.
void TranslateKeyLabels(const LanguageTexts& texts, ControlRegistry& controls);

}  // namespace zelko
