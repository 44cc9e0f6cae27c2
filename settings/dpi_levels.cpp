#include "settings/dpi_levels.h"

#include "settings/dpi_tables.h"

namespace zelko {
namespace {

// A palette index the palette does not have (a damaged image) is no colour
// chosen: the page selects nothing for it and the image then holds 0xFF,
// whichever way the settings are written.
std::uint8_t PaletteIndexOf(std::uint8_t byte) { return byte < kPaletteSize ? byte : kUnsetIndex; }

}  // namespace

DpiLevels DecodeDpiLevels(const ParameterRecord& record) {
  const auto& a = record.ParameterA;
  DpiLevels dpi;
  dpi.count = a.DpiLevelCount;
  dpi.current = record.ParameterB.CurrentDpiLevel;
  for (std::size_t n = 0; n < kDpiLevelMax; ++n) {
    dpi.levels[n] = {a.DpiValueIndex[n], PaletteIndexOf(a.DpiPaletteIndex[n]), a.DpiColour[n]};
  }
  return dpi;
}

void EncodeDpiLevels(const DpiLevels& dpi, ParameterRecord& record) {
  auto& a = record.ParameterA;
  auto& b = record.ParameterB;
  a.DpiLevelCount = static_cast<std::uint8_t>(dpi.count);
  for (std::size_t n = 0; n < kDpiLevelMax; ++n) {
    a.DpiValueIndex[n] = dpi.levels[n].value_index;
    a.DpiPaletteIndex[n] = PaletteIndexOf(dpi.levels[n].palette_index);
    a.DpiColour[n] = dpi.levels[n].colour;
  }
  b.CurrentDpiLevel = static_cast<std::uint8_t>(dpi.current);
  b.CurrentDpiLevelComplement = static_cast<std::uint8_t>(0xFF - b.CurrentDpiLevel);
}

}  // namespace zelko
