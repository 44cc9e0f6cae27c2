// The integer values of a layout pack, found by key, and the settings a
// language-bound pack leaves with the window for its pages and dialogs.
#pragma once
#include <QColor>
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace zelko {

// A key's decimal value; nothing when the key is missing or not a number.
using LayoutLookup = std::function<std::optional<int>(const std::string& key)>;

// A pack colour: keys <prefix>_R, _G, _B, each 0..255; nothing when one is
// missing. Components outside 0..255 are clamped.
std::optional<QColor> LayoutColour(const LayoutLookup& lookup, const std::string& prefix);

// What the window keeps of the language-bound pack after applying it.
struct LayoutSettings {
  int buttonSpaceFront = 0;  // Btn_Space_F
  int buttonSpaceBack = 0;   // Btn_Space_B
  int macroNameHeight = 0;   // MacroNameHeight (0: not given)
  int dpiCountVisible = 0;   // DPI_Count_Visible
  int dpiCount = 0;          // DPI_Count
  int mainMenuWidth = 0;     // M_L_W
  int specialMenuWidth = 0;  // SP_L_W
  int otherMenuWidth = 0;    // O_L_W
  bool macroPageEnabled = true;  // Btn_B11_Enable = 1 (missing: as shipped)
  std::map<std::string, int> fontSizes;     // "Size_G" -> points
  std::map<std::string, QColor> colours;    // "Color_G_SF" -> colour
};

}  // namespace zelko
