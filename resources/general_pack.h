// The general layout pack "org": program-wide switches, read once at start.
#pragma once
#include <string>
#include <utility>

#include "resources/layout_pack.h"

namespace zelko {

inline constexpr std::string_view kGeneralPackName = "org";

// The values of the general pack; the member initialisers are the shipped
// values, kept for any key the pack lacks or gives malformed.
struct GeneralPack {
  int Web_Enable = 1;            // 1: the web button opens Web; anything else: nothing
  std::string Web = "https://zelko77.example.org";  // address opened by the web button
  int Web_X = 430;               // position of the web button
  int Web_Y = 590;
  int Rev_Manu_ID = 0;           // second accepted (manufacturer, product) code pair
  int Rev_Pro_ID = 0;
  std::string Path;              // MacroFolder; empty: the program's own folder
  int TR_Enable = 0;             // 1: the caption of a hovered button scrolls
  int DPILED_Status = 1;         // BarStyle: 1 sliders, anything else progress bars
  int Num_Order = 0;             // NumberOrder: 0 ascending, 1 descending; clamped to 0..1
};

// The values of a parsed general pack over the shipped ones.
GeneralPack ReadGeneralPack(const LayoutPack& pack);

// The general pack of the program's resources ("org"); the shipped values
// when the resource is missing.
GeneralPack LoadGeneralPack();

// The second pair of ExpectedCodes: (Rev_Manu_ID, Rev_Pro_ID) of the
// program's general pack.
std::pair<int, int> ReserveIdentityFromGeneralPack();

}  // namespace zelko
