#include "tools/skin/page_words.h"

namespace zelko::skin {
namespace {

constexpr PageWords kEnglish{
    "GAMING MOUSE", "PAGES", "PROFILE FILES", "LANGUAGE",
    "BUTTON ASSIGNMENT", "LONG PRESS",
    "DPI LEVELS", "FIRE KEY", "REPEAT COUNT", "INTERVAL (X8 MS)", "LEVEL COUNT", "WINDOWS POINTER",
    "SPEED", "DOUBLE CLICK", "SCROLL LINES", "PRECISION", "ONE SCREEN",
    "LIGHTING", "LED", "M+DPI LED KEY", "L+DPI MODE KEY", "PROFILE AT START", "ON", "OFF", "KEEP",
    "RESET", "BRIGHTNESS", "FULL", "HALF", "PROFILE COLOURS", "PROFILE 1", "PROFILE 2",
    "LIGHT EFFECT", "MODE", "SPEED", "LED COUNT",
    "MACRO LIBRARY", "EVENTS", "DELAY", "ON KEY RELEASE", "STOP AT ONCE", "PLAY TO END"};

constexpr PageWords kSecondEnglish{
    "MOUSE CONTROL CENTER", "MODES", "CONFIG FILES", "LANGUAGE",
    "KEY SETTINGS", "HOLD 3 S",
    "CPI STEPS", "FIRE KEY", "FIRE COUNT", "FIRE TIME (X8 MS)", "CPI COUNT", "SYSTEM POINTER",
    "MOVE", "DBL CLICK", "WHEEL", "ENHANCE", "PAGE MODE",
    "LED SETTINGS", "LED STATUS", "M+CPI SWITCH", "L+CPI MODE", "SAVE KEY MODE", "ON", "OFF", "SAVE",
    "NO SAVE", "LIGHT", "ALL", "HALF", "MODE COLOURS", "MODE A", "MODE B",
    "LED MODE", "MODE", "LED STEP", "LED NUMBER",
    "BASE MACROS", "MACRO CONTENT", "DELAY", "RELEASE KEY", "FOR STOP", "FOR CONTINUE"};

// The second language's pictures: the same terms under the title the second
// pack gives the program (a gaming mouse driver).
constexpr PageWords kSecondLanguage = [] {
  PageWords w = kSecondEnglish;
  w.subtitle = "GAMING MOUSE DRIVER";
  return w;
}();

}  // namespace

const PageWords& WordsFor(int language) {
  switch (language) {
    case 2:
      return kSecondLanguage;
    case 3:
      return kSecondEnglish;
    default:
      return kEnglish;
  }
}

}  // namespace zelko::skin
