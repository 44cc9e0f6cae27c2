#include "macros/keysym_virtual_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "keys/key_tables.h"

namespace zelko {
namespace {

// Virtual keys of the key tables that no keysym gives, and why.
struct KeyWithoutKeysym {
  int virtual_key;
  const char* why;
};
constexpr KeyWithoutKeysym kKeysWithoutKeysym[] = {
    {255, "the tables' name for a key they do not know"},
    {160, "Left Shift: both Shift keys are taken as Shift (16)"},
    {161, "Right Shift: as Shift (16)"},
    {162, "Left Ctrl: both Ctrl keys are taken as Ctrl (17)"},
    {163, "Right Ctrl: as Ctrl (17)"},
    {164, "Left Alt: both Alt keys are taken as Alt (18)"},
    {165, "Right Alt: as Alt (18)"},
    {223, "OEM_8: no key of a US board"},
};

TEST(KeysymTable, EveryRowGivesAKeyTheKeyTablesRecord) {
  std::set<Keysym> seen;
  for (const KeysymRow& row : KeysymVirtualKeyTable()) {
    SCOPED_TRACE(std::string(row.keysym_name));
    EXPECT_TRUE(seen.insert(row.keysym).second) << "keysym listed twice";
    const KeyIndex index = VirtualKeyToKeyIndex(row.virtual_key);
    EXPECT_NE(index, kUnknownKeyIndex);
    EXPECT_NE(KeyIndexName(index), "255");
    EXPECT_EQ(VirtualKeyOfKeysym(row.keysym), row.virtual_key);
  }
}

TEST(KeysymTable, EveryKeyOfTheKeyTablesHasAKeysymUnlessListedWhyNot) {
  const auto table = KeysymVirtualKeyTable();
  for (int vk = 0; vk <= 255; ++vk) {
    if (VirtualKeyToKeyIndex(vk) == kUnknownKeyIndex) continue;
    const bool has_row = std::ranges::any_of(table, [vk](const KeysymRow& row) { return row.virtual_key == vk; });
    const bool excused = std::ranges::any_of(kKeysWithoutKeysym, [vk](const auto& k) { return k.virtual_key == vk; });
    EXPECT_NE(has_row, excused) << "virtual key " << vk << " (" << KeyIndexName(VirtualKeyToKeyIndex(vk)) << ")";
  }
  for (const auto& key : kKeysWithoutKeysym) {
    EXPECT_NE(VirtualKeyToKeyIndex(key.virtual_key), kUnknownKeyIndex) << key.why;
  }
}

TEST(KeysymTable, UnknownKeysymGivesNoKey) {
  EXPECT_EQ(VirtualKeyOfKeysym(0), 0);          // NoSymbol
  EXPECT_EQ(VirtualKeyOfKeysym(0x00fc), 0);     // udiaeresis
  EXPECT_EQ(VirtualKeyOfKeysym(0x1008fe21), 0);  // XF86ClearGrab
}

struct KeyCase {
  std::string name;
  Keysym unshifted;
  Keysym shifted;
  bool num_lock_on;
  int virtual_key;
};

class KeyOfKeysyms : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyOfKeysyms, ChoosesTheKeysymWindowsWouldName) {
  const KeyCase& c = GetParam();
  EXPECT_EQ(VirtualKeyOfKey(c.unshifted, c.shifted, c.num_lock_on), c.virtual_key);
}

INSTANTIATE_TEST_SUITE_P(
    KeysymVirtualKeys, KeyOfKeysyms,
    ::testing::Values(KeyCase{"LetterTakesItsUnshiftedKeysym", 0x61, 0x41, true, 65},
                      KeyCase{"DigitIsNotItsShiftedSymbol", 0x31, 0x21, true, 49},
                      KeyCase{"PadSevenWithNumLockIsTheDigit", 0xff95, 0xffb7, true, 103},
                      KeyCase{"PadSevenWithoutNumLockIsHome", 0xff95, 0xffb7, false, 36},
                      KeyCase{"PadDeleteWithNumLockIsTheDecimal", 0xff9f, 0xffae, true, 110},
                      // The pad's "*" gives a grab keysym shifted; Num Lock keeps it "*".
                      KeyCase{"PadKeyKeepsItsKeysymWhenTheShiftedOneIsNoPadKey", 0xffaa, 0x1008fe21, true, 106},
                      // Num Lock does not turn the arrow keys into pad digits.
                      KeyCase{"ArrowKeyIgnoresNumLock", 0xff52, 0, true, 38},
                      KeyCase{"FrenchDigitRowTakesTheShiftedDigit", 0x26, 0x31, true, 49},
                      KeyCase{"KeyWithoutARowOnEitherLevelIsNotRecorded", 0x00fc, 0x00dc, true, 0},
                      KeyCase{"KeyWithoutKeysymsIsNotRecorded", 0, 0, true, 0}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

}  // namespace
}  // namespace zelko
