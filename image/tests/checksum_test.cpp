#include <gtest/gtest.h>

#include <vector>

#include "image/checksum.h"
#include "image/defaults.h"

namespace zelko {
namespace {

TEST(Checksum, SumModulo256Xor5A) {
  const std::vector<std::uint8_t> fire = {0x0A, 0xFD, 0x02, 0xA1, 0xFE, 0x03, 0x21, 0xFE, 0x06, 0xFC};
  EXPECT_EQ(SectionChecksum(fire), 0x96);  // 0x4CC -> 0xCC ^ 0x5A
  EXPECT_EQ(SectionChecksum({}), 0x5A);
}

TEST(Checksum, HoldsOnlyWhenLastByteMatches) {
  std::vector<std::uint8_t> section = {0x01, 0x02, 0x00};
  EXPECT_FALSE(ChecksumHolds(section));
  StoreChecksum(section);
  EXPECT_EQ(section.back(), 0x03 ^ 0x5A);
  EXPECT_TRUE(ChecksumHolds(section));
  EXPECT_FALSE(ChecksumHolds(std::span<const std::uint8_t>{}));
}

TEST(BuiltInDefaults, CarryTheirListedChecksums) {
  const ParameterRecord record = BuiltInDefaultRecord();
  EXPECT_EQ(record.ParameterA.checksum, 0x79);
  EXPECT_EQ(record.Profile.checksum, 0xFE);
  EXPECT_EQ(record.FireKey.checksum, 0x70);
  for (Section s : {Section::ParameterA, Section::Profile, Section::FireKey}) {
    EXPECT_TRUE(ChecksumHolds(record.SectionBytes(s))) << PlaceOf(s).name;
  }
  for (Section s : {Section::ReserveA, Section::ReserveB, Section::ReserveC}) {
    for (auto b : record.SectionBytes(s)) ASSERT_EQ(b, 0) << PlaceOf(s).name;
  }
  EXPECT_EQ(record.ParameterB.ManufacturerCode, 0xFF);
  EXPECT_EQ(record.ParameterB.ProductCode, 0xFF);
  EXPECT_EQ(record.FireKey.FireInterval, 0x64);
  EXPECT_EQ(ButtonCodeText(record.Profile.ModeB[7]), "020807");
}

}  // namespace
}  // namespace zelko
