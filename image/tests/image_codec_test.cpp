#include <gtest/gtest.h>

#include <numeric>

#include "image/checksum.h"
#include "image/defaults.h"
#include "image/factory_images.h"
#include "image/image_codec.h"

namespace zelko {
namespace {

DataBuf AllFF() {
  DataBuf image;
  image.fill(0xFF);
  return image;
}

// Every byte different: address-derived pattern, with valid checksums and
// pairs so that nothing is repaired.
DataBuf PatternImage() {
  DataBuf image;
  for (std::size_t a = 0; a < kDataBufSize; ++a) image[a] = static_cast<std::uint8_t>(a * 7 + 3);
  for (std::size_t pair = 0; pair < 3; ++pair) {
    image[kParameterBOffset + 2 * pair + 1] =
        static_cast<std::uint8_t>(0xFF - image[kParameterBOffset + 2 * pair]);
  }
  for (Section s : {Section::ParameterA, Section::Profile, Section::FireKey}) {
    StoreChecksum(SectionBytes(image, s));
  }
  return image;
}

bool IsInterpreted(std::size_t address) {
  return SectionAt(address) != nullptr || address >= kMacroAreaOffset;
}

TEST(UnpackSections, AllFFComesUpAsDefaultsButKeepsIdentityCodes) {
  const DataBuf image = AllFF();
  ParameterRecord record{};
  BaseMacroArea macros{};
  const UnpackReport report = UnpackSections(image, record, macros);

  const ParameterRecord defaults = BuiltInDefaultRecord();
  EXPECT_TRUE(report.parameter_a && report.profile && report.fire_key);
  EXPECT_EQ(report.RepairedParts().size(), 6u);
  for (Section s : {Section::ParameterA, Section::Profile, Section::FireKey}) {
    auto got = record.SectionBytes(s);
    auto want = defaults.SectionBytes(s);
    EXPECT_TRUE(std::equal(got.begin(), got.end(), want.begin())) << PlaceOf(s).name;
  }
  EXPECT_EQ(record.ParameterB.CurrentDpiLevel, 1);
  EXPECT_EQ(record.ParameterB.CurrentDpiLevelComplement, 254);
  EXPECT_EQ(record.ParameterB.LedState, 1);
  EXPECT_EQ(record.ParameterB.KeyModeState, 0);
  EXPECT_EQ(record.ParameterB.KeyModeStateComplement, 255);
  EXPECT_EQ(record.ParameterB.ManufacturerCode, 0xFF);
  EXPECT_EQ(record.ParameterB.ProductCode, 0xFF);
  // Reserves are carried, not checked; the image itself is not repaired.
  for (auto b : record.ReserveA) ASSERT_EQ(b, 0xFF);
  EXPECT_EQ(image, AllFF());
}

TEST(CheckParameterBSection, RepairsEachPairOnItsOwn) {
  struct Case {
    std::uint8_t value, complement;
    bool repaired;
  };
  const Case cases[] = {{0x01, 0xFE, false}, {0x01, 0xFF, true}, {0x00, 0xFF, false},
                        {0x06, 0xF9, false}, {0x00, 0x00, true}, {0xFF, 0xFF, true}};
  const std::uint8_t repaired_value[] = {1, 1, 0};
  for (std::size_t pair = 0; pair < kParameterBPairCount; ++pair) {
    for (const Case& c : cases) {
      ParameterRecord record{};
      auto bytes = record.SectionBytes(Section::ParameterB);
      // The other pairs are valid; only this one is under test.
      for (std::size_t p = 0; p < 3; ++p) {
        bytes[2 * p] = 2;
        bytes[2 * p + 1] = 0xFD;
      }
      bytes[2 * pair] = c.value;
      bytes[2 * pair + 1] = c.complement;
      bytes[6] = 0x12;
      bytes[7] = 0x34;
      const auto result = CheckParameterBSection(record);
      for (std::size_t p = 0; p < 3; ++p) {
        EXPECT_EQ(result[p], p == pair && c.repaired) << pair << "/" << p;
      }
      const std::uint8_t want = c.repaired ? repaired_value[pair] : c.value;
      EXPECT_EQ(bytes[2 * pair], want);
      EXPECT_EQ(bytes[2 * pair] + bytes[2 * pair + 1], 0xFF);
      EXPECT_EQ(bytes[6], 0x12);
      EXPECT_EQ(bytes[7], 0x34);
    }
  }
}

TEST(UnpackSections, DamagedProfileGetsBuiltInCodesNotFactoryOnes) {
  DataBuf image = *FactoryImage(2);
  image[kProfileOffset + 3] ^= 0x01;  // checksum no longer holds
  ParameterRecord record{};
  BaseMacroArea macros{};
  const auto report = UnpackSections(image, record, macros);
  EXPECT_TRUE(report.profile);
  EXPECT_FALSE(report.parameter_a);
  EXPECT_EQ(report.RepairedParts(), std::vector<std::string>{"Profile"});
  EXPECT_EQ(record.Profile.ModeA, kDefaultButtonCodes);
  EXPECT_EQ(record.Profile.ModeB, kDefaultButtonCodes);
  EXPECT_EQ(record.Profile.checksum, 0xFE);
}

TEST(UnpackSections, FactoryImageComesThroughUnrepaired) {
  for (int n = 1; n <= 3; ++n) {
    ParameterRecord record{};
    BaseMacroArea macros{};
    const DataBuf image = *FactoryImage(n);
    EXPECT_FALSE(UnpackSections(image, record, macros).AnyRepaired()) << n;
    EXPECT_TRUE(std::equal(record.ReserveA.begin(), record.ReserveA.end(),
                           image.begin() + kReserveAOffset));
  }
}

TEST(PackImage, KeepsUninterpretedBytesReservesAndMacroArea) {
  const DataBuf original = PatternImage();
  ParameterRecord record{};
  BaseMacroArea macros{};
  ASSERT_FALSE(UnpackSections(original, record, macros).AnyRepaired());

  // Edit fields without maintaining any checksum.
  record.ParameterA.DpiLevelCount = 5;
  record.Profile.ModeB[8] = {0x06, 0x00, 0xF0};
  record.FireKey.FireInterval = 9;

  DataBuf packed = original;
  // A later device read may have left junk in the target; uninterpreted
  // bytes still come from the image, sections from the record.
  PackImage(record, macros, packed);
  for (std::size_t a = 0; a < kMacroAreaOffset; ++a) {
    const auto* place = SectionAt(a);
    const bool edited_section = place && place->has_checksum;
    if (!edited_section) {
      ASSERT_EQ(packed[a], original[a]) << "address " << a;
    }
  }
  // The macro area as the unpack's check left it.
  EXPECT_TRUE(std::equal(macros.begin(), macros.end(), packed.begin() + kMacroAreaOffset));
  for (Section s : {Section::ParameterA, Section::Profile, Section::FireKey}) {
    EXPECT_TRUE(ChecksumHolds(SectionBytes(packed, s))) << PlaceOf(s).name;
  }
  EXPECT_EQ(packed[0x002], 5);
  EXPECT_EQ(packed[0x0F8], 9);
  EXPECT_EQ(packed[0x040 + 27 + 24], 0x06);

  // Unpacking the packed image gives the edited record back.
  ParameterRecord again{};
  BaseMacroArea macros_again{};
  EXPECT_FALSE(UnpackSections(packed, again, macros_again).AnyRepaired());
  EXPECT_TRUE(again == record);
  EXPECT_EQ(macros_again, macros);
}

TEST(PackImage, LeavesUninterpretedBytesOfTheTargetAlone) {
  // Pack into an image whose uninterpreted bytes differ from the one the
  // record came from: they must stay as the target had them.
  ParameterRecord record = BuiltInDefaultRecord();
  BaseMacroArea macros{};
  DataBuf target = AllFF();
  PackImage(record, macros, target);
  for (std::size_t a = 0; a < kMacroAreaOffset; ++a) {
    if (!IsInterpreted(a)) {
      ASSERT_EQ(target[a], 0xFF) << a;
    }
  }
  for (std::size_t a = kMacroAreaOffset; a < kDataBufSize; ++a) ASSERT_EQ(target[a], 0) << a;
}

TEST(PackImage, EditsOfTheRecordAreChecksummed) {
  ParameterRecord record = BuiltInDefaultRecord();
  record.ParameterA.BreathStep = 0x33;
  record.Profile.ModeA[2] = {0x0A, 0x04, 0x00};
  BaseMacroArea macros{};
  DataBuf image{};
  PackImage(record, macros, image);
  EXPECT_EQ(image[0x005], 0x33);
  EXPECT_EQ(image[0x046], 0x0A);
  EXPECT_TRUE(ChecksumHolds(SectionBytes(image, Section::ParameterA)));
  EXPECT_TRUE(ChecksumHolds(SectionBytes(image, Section::Profile)));
}

TEST(UnpackSections, EmptiesMacroSlotsThatFailTheirCheckAndSaysWhich) {
  DataBuf image = *FactoryImage(1);
  const std::size_t slot3 = MacroSlotAddress(3) + kMacroSlotNameSize;
  image[slot3 + kMacroContentLengthOffset] = 4;  // 4 bytes covered, checksum wrong
  image[slot3 + 2] = 0x81;
  image[slot3 + 6] = 0x00;
  ParameterRecord record{};
  BaseMacroArea macros{};
  const UnpackReport report = UnpackSections(image, record, macros);
  EXPECT_TRUE(report.macro_slots[2]);
  const auto content = MacroSlotBytes(macros, 3).subspan<kMacroSlotNameSize, kMacroSlotContentSize>();
  EXPECT_TRUE(std::all_of(content.begin(), content.end(), [](std::uint8_t b) { return b == 0; }));
  // The slot's name stays; an empty slot is not counted as emptied.
  EXPECT_TRUE(std::equal(image.begin() + MacroSlotAddress(3), image.begin() + slot3,
                         MacroSlotBytes(macros, 3).begin()));
  ParameterRecord again{};
  BaseMacroArea macros_again = macros;
  DataBuf packed = image;
  PackImage(record, macros, packed);
  EXPECT_FALSE(UnpackSections(packed, again, macros_again).macro_slots[2]);
}

}  // namespace
}  // namespace zelko
