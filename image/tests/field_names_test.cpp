#include <gtest/gtest.h>

#include "image/field_names.h"

namespace zelko {
namespace {

TEST(FieldNameAt, NamesEveryKindOfAddress) {
  const std::pair<std::size_t, const char*> cases[] = {
      {0x000, "ParameterA.FeatureFlags"},
      {0x002, "ParameterA.DpiLevelCount"},
      {0x006, "ParameterA.DpiValueIndex[1]"},
      {0x00C, "ParameterA.DpiValueIndex[7]"},
      {0x00D, "ParameterA.DpiPaletteIndex[1]"},
      {0x016, "ParameterA.KeyMode1Colour.b"},
      {0x017, "ParameterA.KeyMode2Colour.r"},
      {0x01A, "ParameterA.DpiColour[1].r"},
      {0x02E, "ParameterA.DpiColour[7].b"},
      {0x02F, "ParameterA.checksum"},
      {0x031, "ParameterB.CurrentDpiLevelComplement"},
      {0x036, "ParameterB.ManufacturerCode"},
      {0x037, "ParameterB.ProductCode"},
      {0x038, "not interpreted"},
      {0x040, "Profile.ModeA[1].type"},
      {0x05A, "Profile.ModeA[9].param2"},
      {0x05B, "Profile.ModeB[1].type"},
      {0x075, "Profile.ModeB[9].param2"},
      {0x076, "Profile.checksum"},
      {0x07F, "ImageSignature"},
      {0x080, "ReserveA[0]"},
      {0x0C3, "ReserveB[19]"},
      {0x0C4, "not interpreted"},
      {0x0F2, "FireKey.FireRepeatCount"},
      {0x0F8, "FireKey.FireInterval"},
      {0x0FA, "FireKey.checksum"},
      {0x0F3, "FireKey[3]"},
      {0x0FB, "not interpreted"},
      {0x100, "MacroSlot[1].name[0]"},
      {0x345, "MacroSlot[3].content[37]"},
      {0x7FF, "MacroSlot[7].content[223]"},
  };
  for (const auto& [address, name] : cases) EXPECT_EQ(FieldNameAt(address), name) << address;
}

}  // namespace
}  // namespace zelko
