#include <gtest/gtest.h>

#include <set>

#include "keys/key_tables.h"
#include "pages/key_event_map.h"

namespace zelko {
namespace {

// The key indices no key event of a keyboard gives on Windows either:
// "Demo" has no virtual key, "255" is no key, the sided Shift, Ctrl and
// left Alt codes come only from raw input (a key event says 16, 17, 18;
// AltGr is the right Alt), and OEM_8 has no key on the US board.
const std::set<int> kWithoutQtKey = {1, 2, 72, 73, 74, 75, 76, 121};

int VirtualKeyOfIndex(int index) {
  for (int vk = 1; vk < 256; ++vk) {
    if (VirtualKeyToKeyIndex(vk) == index) return vk;
  }
  return 0;
}

TEST(KeyEventMap, EveryRowOfTheKeyTableWithAQtKeyIsReached) {
  std::set<int> reached;
  for (const auto& row : QtKeyTable()) {
    const KeyIndex index = VirtualKeyToKeyIndex(row.virtual_key);
    EXPECT_NE(index, kUnknownKeyIndex) << row.qt_name;
    reached.insert(index);
    ToolkitKeyEvent event;
    event.qt_key = row.qt_key;
    event.keypad = row.keypad;
    EXPECT_EQ(VirtualKeyOfKeyEvent(event), row.virtual_key) << row.qt_name << (row.keypad ? " (pad)" : "");
  }
  for (int index = 1; index < kKeyIndexCount; ++index) {
    const bool expected = kWithoutQtKey.count(index) == 0;
    EXPECT_EQ(reached.count(index) == 1, expected)
        << index << " " << KeyIndexName(static_cast<KeyIndex>(index)) << " vk " << VirtualKeyOfIndex(index);
  }
}

TEST(KeyEventMap, PadKeysHaveTheirOwnCodesAndFallBackToTheOthers) {
  ToolkitKeyEvent event;
  event.qt_key = 0x37;  // Key_7
  EXPECT_EQ(VirtualKeyOfKeyEvent(event), 55);
  event.keypad = true;
  EXPECT_EQ(VirtualKeyOfKeyEvent(event), 103);  // VK_NUMPAD7
  event.qt_key = 0x01000010;  // Key_Home: the pad's 7 with Num Lock off
  EXPECT_EQ(VirtualKeyOfKeyEvent(event), 36);
  event.qt_key = 0x01000005;  // Key_Enter
  EXPECT_EQ(VirtualKeyOfKeyEvent(event), 13);
  event.qt_key = 0x2b;  // Key_Plus
  EXPECT_EQ(VirtualKeyOfKeyEvent(event), 107);
  event.keypad = false;
  EXPECT_EQ(VirtualKeyOfKeyEvent(event), 0);  // a shifted symbol, no place known
}

TEST(KeyEventMap, WindowsGivesTheNativeVirtualKey) {
  ToolkitKeyEvent event;
  event.source = KeyEventSource::kWindows;
  event.qt_key = 0x21;  // Key_Exclam (Shift+1)
  event.native_virtual_key = 49;
  EXPECT_EQ(VirtualKeyOfKeyEvent(event), 49);
  event.native_virtual_key = 0;  // a synthetic event: by Qt key
  event.qt_key = 0x01000030;     // Key_F1
  EXPECT_EQ(VirtualKeyOfKeyEvent(event), 112);
}

TEST(KeyEventMap, XkbTypingBlockGoesByPlace) {
  ToolkitKeyEvent event;
  event.source = KeyEventSource::kXkb;
  event.qt_key = 0x21;  // Key_Exclam: Shift+1 on a US board
  event.scan_code = 10;
  EXPECT_EQ(VirtualKeyOfKeyEvent(event), 49);
  event.qt_key = 0x26;  // Key_Ampersand: the 1 key of a French board
  EXPECT_EQ(VirtualKeyOfKeyEvent(event), 49);
  event.qt_key = 0x3a;  // Key_Colon: Shift+; on a US board
  event.scan_code = 47;
  EXPECT_EQ(VirtualKeyOfKeyEvent(event), 186);
  // Letters follow the layout: the Y place of a German board gives Z.
  event.qt_key = 0x5a;
  event.scan_code = 29;
  EXPECT_EQ(VirtualKeyOfKeyEvent(event), 'Z');
  // A letter of a non-Latin layout goes by its place.
  event.qt_key = 0x0444;  // Cyrillic ef, on the A place
  event.scan_code = 38;
  EXPECT_EQ(VirtualKeyOfKeyEvent(event), 'A');
  // Keys outside the typing block go by Qt key.
  event.qt_key = 0x01000004;  // Key_Return
  event.scan_code = 36;
  EXPECT_EQ(VirtualKeyOfKeyEvent(event), 13);
  // The pad's digits are not in the typing block.
  event.qt_key = 0x31;
  event.keypad = true;
  event.scan_code = 87;
  EXPECT_EQ(VirtualKeyOfKeyEvent(event), 97);
}

TEST(KeyEventMap, TypingBlockRowsNameKeysOfTheTable) {
  std::set<std::uint32_t> places;
  for (const auto& row : XkbTypingBlockTable()) {
    EXPECT_NE(VirtualKeyToKeyIndex(row.virtual_key), kUnknownKeyIndex) << row.xkb_keycode;
    EXPECT_TRUE(places.insert(row.xkb_keycode).second) << row.xkb_keycode;
  }
  EXPECT_EQ(places.size(), std::size_t{47});
}

TEST(KeyEventMap, UnknownKeysGiveNone) {
  ToolkitKeyEvent event;
  event.qt_key = 0x010000cb;  // Key_Calculator: no virtual key of the table
  EXPECT_EQ(VirtualKeyOfKeyEvent(event), 0);
  EXPECT_EQ(KeyIndexName(VirtualKeyToKeyIndex(VirtualKeyOfKeyEvent(event))), "None");
}

}  // namespace
}  // namespace zelko
