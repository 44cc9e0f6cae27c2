// Chip codes and the VID:PID text of --device.
#include <gtest/gtest.h>

#include "device/chip_code.h"
#include "device/identity_text.h"
// Compiled here for its layout checks, which hold on every compiler.
#include "device/windows_hid_records.h"

namespace zelko {
namespace {

TEST(ChipCode, Translation) {
  EXPECT_EQ(TranslateChipCode(0x35), 0x90u);
  EXPECT_EQ(TranslateChipCode(0xFD), 0x98u);
  EXPECT_EQ(TranslateChipCode(0x75), 0x99u);
  EXPECT_EQ(TranslateChipCode(0x99), 0u);
  EXPECT_EQ(TranslateChipCode(0x00), 0u);
}

TEST(IdentityText, ParsesVidPidAndRefusesMalformedOrZero) {
  const auto ids = ParseDeviceIdentity("3151:0x7707");
  ASSERT_TRUE(ids.has_value());
  EXPECT_EQ(ids->vendor_id, 0x3151u);
  EXPECT_EQ(ids->product_id, 0x7707u);
  for (const char* bad : {"3151", "3151:", ":7707", "0:7707", "3151:10000", "x:y"}) {
    EXPECT_FALSE(ParseDeviceIdentity(bad).has_value()) << bad;
  }
}

}  // namespace
}  // namespace zelko
