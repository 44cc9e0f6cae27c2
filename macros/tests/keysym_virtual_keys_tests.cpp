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
  std::uint32_t xkb_keycode;
  Keysym unshifted;
  Keysym shifted;
  bool num_lock_on;
  int virtual_key;
};

class KeyOfKeysyms : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyOfKeysyms, NamesTheKeyAsTheInputDialogsDo) {
  const KeyCase& c = GetParam();
  EXPECT_EQ(VirtualKeyOfKey(c.xkb_keycode, c.unshifted, c.shifted, c.num_lock_on), c.virtual_key);
}

// xkb keycodes of a pc105 board.
constexpr std::uint32_t kPlaceOfA = 38;
constexpr std::uint32_t kPlaceOf1 = 10;
constexpr std::uint32_t kPlaceOfBracketLeft = 34;
constexpr std::uint32_t kPlaceOfSemicolon = 47;
constexpr std::uint32_t kPlaceOfY = 29;
constexpr std::uint32_t kPad7 = 79;
constexpr std::uint32_t kPadDelete = 91;
constexpr std::uint32_t kPadMultiply = 63;
constexpr std::uint32_t kUp = 111;
constexpr std::uint32_t kLessGreater = 94;  // the ISO key beside left Shift

INSTANTIATE_TEST_SUITE_P(
    KeysymVirtualKeys, KeyOfKeysyms,
    ::testing::Values(
        KeyCase{"LetterTakesItsUnshiftedKeysym", kPlaceOfA, 0x61, 0x41, true, 65},
        KeyCase{"GermanZAtTheUsYPlaceIsZ", kPlaceOfY, 0x7a, 0x5a, true, 90},
        KeyCase{"AzertyMAtTheUsSemicolonPlaceIsM", kPlaceOfSemicolon, 0x6d, 0x4d, true, 77},
        KeyCase{"DigitIsNotItsShiftedSymbol", kPlaceOf1, 0x31, 0x21, true, 49},
        KeyCase{"FrenchDigitRowIsNamedByPlace", kPlaceOf1, 0x26, 0x31, true, 49},
        KeyCase{"GermanUmlautKeyIsNamedByPlace", kPlaceOfBracketLeft, 0x00fc, 0x00dc, true, 219},
        KeyCase{"CyrillicLetterIsTheLetterOfItsPlace", kPlaceOfA, 0x06c6, 0x06e6, true, 65},
        KeyCase{"PadSevenWithNumLockIsTheDigit", kPad7, 0xff95, 0xffb7, true, 103},
        KeyCase{"PadSevenWithoutNumLockIsHome", kPad7, 0xff95, 0xffb7, false, 36},
        KeyCase{"PadDeleteWithNumLockIsTheDecimal", kPadDelete, 0xff9f, 0xffae, true, 110},
        // The pad's "*" gives a grab keysym shifted; Num Lock keeps it "*".
        KeyCase{"PadKeyKeepsItsKeysymWhenTheShiftedOneIsNoPadKey", kPadMultiply, 0xffaa, 0x1008fe21, true, 106},
        // Num Lock does not turn the arrow keys into pad digits.
        KeyCase{"ArrowKeyIgnoresNumLock", kUp, 0xff52, 0, true, 38},
        // A dead key (dead_circumflex) whose shifted symbol is "`".
        KeyCase{"KeyOutsideTheBlockTakesItsShiftedKeysymWhenOnlyThatHasARow", kLessGreater, 0xfe52, 0x60, true, 192},
        KeyCase{"KeyOutsideTheBlockWithoutARowIsNotRecorded", kLessGreater, 0x3c, 0x3e, true, 0},
        KeyCase{"KeyWithoutKeysymsIsNotRecorded", kLessGreater, 0, 0, true, 0}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

}  // namespace
}  // namespace zelko
