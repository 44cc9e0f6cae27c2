// Every settings model decodes from the record and encodes back into it
// unchanged, over the factory images, the built-in defaults and images with
// values the controls cannot show.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "image/defaults.h"
#include "image/factory_images.h"
#include "image/image_codec.h"
#include "settings/mouse_settings.h"

namespace zelko {
namespace {

struct NamedRecord {
  std::string name;
  ParameterRecord record;
};

ParameterRecord Unpacked(const DataBuf& image) {
  ParameterRecord record{};
  BaseMacroArea macros{};
  (void)UnpackSections(image, record, macros);
  return record;
}

std::vector<NamedRecord> Records() {
  std::vector<NamedRecord> records;
  for (int n = 1; n <= kFactoryImageCount; ++n) {
    records.push_back({"Factory" + std::to_string(n), Unpacked(*FactoryImage(n))});
  }
  records.push_back({"BuiltInDefaults", BuiltInDefaultRecord()});
  // Four bits of LED count holding 12 (a count of 1) and an AIM button with
  // value index 11: nothing the pages can show, kept unless the user sets
  // them.
  ParameterRecord odd = Unpacked(*FactoryImage(1));
  odd.ParameterA.McuLedConfig = static_cast<std::uint8_t>((odd.ParameterA.McuLedConfig & 0x0F) | 0xC0);
  odd.Profile.ModeB[4] = {0x0A, 11, 0x00};
  records.push_back({"OddLedCountAndAimIndex", odd});
  return records;
}

// Decodes one model from the record and encodes it into a copy.
using RoundTrip = std::function<ParameterRecord(const ParameterRecord&)>;

template <typename Decode, typename Encode>
RoundTrip Through(Decode decode, Encode encode) {
  return [decode, encode](const ParameterRecord& record) {
    ParameterRecord copy = record;
    encode(decode(record), copy);
    return copy;
  };
}

struct ModelCase {
  std::string model;
  RoundTrip round_trip;
};

std::vector<ModelCase> Models() {
  return {
      {"ButtonMap", Through(DecodeButtonMap, EncodeButtonMap)},
      {"AimKey", Through([](const ParameterRecord& r) { return DecodeAimKey(DecodeButtonMap(r)); },
                         EncodeAimKey)},
      {"DpiLevels", Through(DecodeDpiLevels, EncodeDpiLevels)},
      {"FireKey", Through(DecodeFireKey, EncodeFireKey)},
      {"Lighting", Through(DecodeLighting, EncodeLighting)},
      {"DeviceOptions", Through(DecodeDeviceOptions, EncodeDeviceOptions)},
      {"MouseSettings", Through(DecodeMouseSettings, EncodeMouseSettings)},
  };
}

struct RoundTripCase {
  ModelCase model;
  NamedRecord record;
};

std::vector<RoundTripCase> AllCases() {
  std::vector<RoundTripCase> cases;
  for (const auto& model : Models()) {
    for (const auto& record : Records()) cases.push_back({model, record});
  }
  return cases;
}

class SettingsRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(SettingsRoundTrip, EncodingTheDecodedModelLeavesEveryByte) {
  const auto& [model, named] = GetParam();
  const ParameterRecord encoded = model.round_trip(named.record);
  for (std::size_t i = 0; i < kParameterRecordSize; ++i) {
    EXPECT_EQ(encoded.Bytes()[i], named.record.Bytes()[i]) << "record byte " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Images, SettingsRoundTrip, testing::ValuesIn(AllCases()),
                         [](const testing::TestParamInfo<RoundTripCase>& info) {
                           return info.param.model.model + "_" + info.param.record.name;
                         });

TEST(MouseSettings, AnEditKeepsValuesTheUserDidNotTouch) {
  const ParameterRecord odd = Records().back().record;
  MouseSettings settings = DecodeMouseSettings(odd);
  settings.dpi.count = 4;
  settings.lighting.mcpi_switch = !settings.lighting.mcpi_switch;
  const ParameterRecord written = EncodedRecord(settings, odd);
  EXPECT_EQ(written.ParameterA.McuLedConfig & 0xF0, 0xC0);
  EXPECT_EQ(written.Profile.ModeB[4], (ButtonCode{0x0A, 11, 0x00}));
  EXPECT_EQ(written.ParameterA.DpiLevelCount, 4);
}

// A palette index the palette does not have (a damaged image) is no colour
// chosen, read and written alike, whether the settings are written as they
// were read or after an edit.
TEST(MouseSettings, APaletteIndexOutsideThePaletteIsNoColourChosen) {
  ParameterRecord damaged = Unpacked(*FactoryImage(1));
  damaged.ParameterA.DpiPaletteIndex[2] = 9;
  damaged.ParameterA.DpiPaletteIndex[3] = 0xFF;
  damaged.ParameterA.DpiPaletteIndex[4] = 6;
  MouseSettings settings = DecodeMouseSettings(damaged);
  EXPECT_EQ(settings.dpi.levels[2].palette_index, 0xFF);
  EXPECT_EQ(EncodedRecord(settings, damaged).ParameterA.DpiPaletteIndex[2], 0xFF);
  settings.dpi.levels[5].palette_index = 7;  // set past the edits' range check
  const ParameterRecord written = EncodedRecord(settings, damaged);
  EXPECT_EQ(written.ParameterA.DpiPaletteIndex[2], 0xFF);
  EXPECT_EQ(written.ParameterA.DpiPaletteIndex[3], 0xFF);
  EXPECT_EQ(written.ParameterA.DpiPaletteIndex[4], 6);
  EXPECT_EQ(written.ParameterA.DpiPaletteIndex[5], 0xFF);
}

TEST(MouseSettings, KeyModeIsWrittenAsAValidPair) {
  MouseSettings settings = DecodeMouseSettings(Unpacked(*FactoryImage(1)));
  settings.buttons.key_mode = KeyMode::kB;
  const ParameterRecord written = EncodedRecord(settings, Unpacked(*FactoryImage(1)));
  EXPECT_EQ(written.ParameterB.KeyModeState, 0x80);
  EXPECT_EQ(written.ParameterB.KeyModeStateComplement, 0x7F);
}

TEST(MouseSettings, EveryAimButtonCarriesTheAimValueAfterEncoding) {
  ParameterRecord record = Unpacked(*FactoryImage(1));
  record.Profile.ModeA[2] = {0x0A, 3, 0x00};
  record.Profile.ModeB[7] = {0x0A, 9, 0x00};
  MouseSettings settings = DecodeMouseSettings(record);
  ASSERT_EQ(settings.aim.value_index, 9);  // the last AIM button found decides
  ASSERT_TRUE(SetAimValue(5, settings.buttons, settings.aim));
  const ParameterRecord written = EncodedRecord(settings, record);
  EXPECT_EQ(written.Profile.ModeA[2], (ButtonCode{0x0A, 5, 0x00}));
  EXPECT_EQ(written.Profile.ModeB[7], (ButtonCode{0x0A, 5, 0x00}));
}

}  // namespace
}  // namespace zelko
