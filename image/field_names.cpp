#include "image/field_names.h"

#include <array>
#include <string_view>

#include "image/image_layout.h"
#include "image/parameter_record.h"

namespace zelko {
namespace {

std::string Indexed(std::string_view base, std::size_t index) {
  return std::string(base) + "[" + std::to_string(index) + "]";
}

constexpr std::array<std::string_view, 3> kRgb = {"r", "g", "b"};

std::string ParameterAField(std::size_t offset) {
  constexpr std::array<std::string_view, 6> kScalars = {
      "FeatureFlags", "KeyModeSwitchFlags", "DpiLevelCount",
      "McuLedConfig", "McuLedModeMask",     "BreathStep"};
  const std::string prefix = "ParameterA.";
  if (offset < kScalars.size()) return prefix + std::string(kScalars[offset]);
  const std::size_t value_index = offsetof(ParameterASection, DpiValueIndex);
  const std::size_t palette_index = offsetof(ParameterASection, DpiPaletteIndex);
  const std::size_t mode1 = offsetof(ParameterASection, KeyMode1Colour);
  const std::size_t mode2 = offsetof(ParameterASection, KeyMode2Colour);
  const std::size_t colours = offsetof(ParameterASection, DpiColour);
  const std::size_t checksum = offsetof(ParameterASection, checksum);
  if (offset < palette_index) return prefix + Indexed("DpiValueIndex", offset - value_index + 1);
  if (offset < mode1) return prefix + Indexed("DpiPaletteIndex", offset - palette_index + 1);
  if (offset < mode2) return prefix + "KeyMode1Colour." + std::string(kRgb[offset - mode1]);
  if (offset < colours) return prefix + "KeyMode2Colour." + std::string(kRgb[offset - mode2]);
  if (offset < checksum) {
    const std::size_t k = offset - colours;
    return prefix + Indexed("DpiColour", k / 3 + 1) + "." + std::string(kRgb[k % 3]);
  }
  return prefix + "checksum";
}

std::string ParameterBField(std::size_t offset) {
  constexpr std::array<std::string_view, kParameterBSize> kNames = {
      "CurrentDpiLevel", "CurrentDpiLevelComplement", "LedState",    "LedStateComplement",
      "KeyModeState",    "KeyModeStateComplement",    "ManufacturerCode", "ProductCode"};
  return "ParameterB." + std::string(kNames[offset]);
}

std::string ProfileField(std::size_t offset) {
  constexpr std::array<std::string_view, 3> kParts = {"type", "param1", "param2"};
  constexpr std::size_t kTableSize = kButtonCount * sizeof(ButtonCode);
  if (offset >= 2 * kTableSize) return "Profile.checksum";
  const std::string_view mode = offset < kTableSize ? "ModeA" : "ModeB";
  const std::size_t k = offset % kTableSize;
  return "Profile." + Indexed(mode, k / 3 + 1) + "." + std::string(kParts[k % 3]);
}

std::string FireKeyField(std::size_t offset) {
  if (offset == offsetof(FireKeySection, FireRepeatCount)) return "FireKey.FireRepeatCount";
  if (offset == offsetof(FireKeySection, FireInterval)) return "FireKey.FireInterval";
  if (offset == offsetof(FireKeySection, checksum)) return "FireKey.checksum";
  return Indexed("FireKey", offset);
}

}  // namespace

std::string FieldNameAt(std::size_t address) {
  if (address >= kDataBufSize) return "outside the image";
  if (address >= kMacroAreaOffset) {
    const std::size_t slot = address / kMacroSlotSize;
    const std::size_t k = address % kMacroSlotSize;
    const std::string base = Indexed("MacroSlot", slot);
    return k < kMacroSlotNameSize ? base + "." + Indexed("name", k)
                                  : base + "." + Indexed("content", k - kMacroSlotNameSize);
  }
  if (address == kImageSignatureOffset) return "ImageSignature";
  const SectionPlace* place = SectionAt(address);
  if (!place) return "not interpreted";
  const std::size_t offset = address - place->image_offset;
  switch (place->section) {
    case Section::ParameterA: return ParameterAField(offset);
    case Section::ParameterB: return ParameterBField(offset);
    case Section::Profile: return ProfileField(offset);
    case Section::FireKey: return FireKeyField(offset);
    case Section::ReserveA:
    case Section::ReserveB:
    case Section::ReserveC: return Indexed(place->name, offset);
  }
  return "not interpreted";
}

}  // namespace zelko
