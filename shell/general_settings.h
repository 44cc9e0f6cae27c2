// The program-wide switches of the general layout pack "org" as the window
// uses them, taken once at start-up from the shared reader of the pack.
#pragma once
#include <QString>

#include "resources/general_pack.h"

namespace zelko {

struct GeneralSettings {
  int webEnable = 0;      // Web_Enable: 1 lets the web button open `web`
  QString web;            // Web
  int webX = 0;           // Web_X, Web_Y: the web button on every page
  int webY = 0;
  int reserveManufacturerId = 0;  // Rev_Manu_ID
  int reserveProductId = 0;       // Rev_Pro_ID
  QString macroFolder;    // Path (empty: the program's folder)
  int textRolling = 0;    // TR_Enable: 1 rolls hovered captions
  int barStyle = 0;       // DPILED_Status: 1 slider, otherwise progress bar
  int numberOrder = 0;    // Num_Order, 0..1

  bool rollingEnabled() const { return textRolling == 1; }
  bool webEnabled() const { return webEnable == 1; }
};

// The values of the general pack (its shipped values where it lacks a key).
GeneralSettings ToGeneralSettings(const GeneralPack& general);

}  // namespace zelko
