// The program-wide switches of the general layout pack "org", read once at
// start-up.
#pragma once
#include <QString>

namespace zelko {

class LayoutPack;

struct GeneralSettings {
  int webEnable = 1;      // Web_Enable: 1 lets the web button open `web`
  QString web;            // Web
  int webX = 430;         // Web_X, Web_Y: the web button on every page
  int webY = 590;
  int reserveManufacturerId = 0;  // Rev_Manu_ID
  int reserveProductId = 0;       // Rev_Pro_ID
  QString macroFolder;    // Path (empty: the program's folder)
  int textRolling = 0;    // TR_Enable: 1 rolls hovered captions
  int barStyle = 1;       // DPILED_Status: 1 slider, otherwise progress bar
  int numberOrder = 0;    // Num_Order, clamped to 0..1

  bool rollingEnabled() const { return textRolling == 1; }
  bool webEnabled() const { return webEnable == 1; }
};

// The values of the pack; keys it lacks keep the defaults above.
GeneralSettings ReadGeneralSettings(const LayoutPack& pack);

}  // namespace zelko
