#include "pages/key_event_map.h"

#include <array>

namespace zelko {
namespace {

// Qt::Key values (qnamespace.h) and the virtual keys they stand for. Off the
// numeric pad first, then the pad's own keys; a pad key without a row of its
// own (Enter, the navigation keys with Num Lock off) takes the other row.
constexpr auto kQtKeys = std::to_array<QtKeyRow>({
    {0x01000000, false, 27, "Key_Escape"},
    {0x01000001, false, 9, "Key_Tab"},
    {0x01000002, false, 9, "Key_Backtab"},
    {0x01000003, false, 8, "Key_Backspace"},
    {0x01000004, false, 13, "Key_Return"},
    {0x01000005, false, 13, "Key_Enter"},
    {0x01000006, false, 45, "Key_Insert"},
    {0x01000007, false, 46, "Key_Delete"},
    {0x01000008, false, 19, "Key_Pause"},
    {0x01000009, false, 44, "Key_Print"},
    {0x0100000B, false, 12, "Key_Clear"},
    {0x01000010, false, 36, "Key_Home"},
    {0x01000011, false, 35, "Key_End"},
    {0x01000012, false, 37, "Key_Left"},
    {0x01000013, false, 38, "Key_Up"},
    {0x01000014, false, 39, "Key_Right"},
    {0x01000015, false, 40, "Key_Down"},
    {0x01000016, false, 33, "Key_PageUp"},
    {0x01000017, false, 34, "Key_PageDown"},
    {0x01000020, false, 16, "Key_Shift"},
    {0x01000021, false, 17, "Key_Control"},
    {0x01000022, false, 91, "Key_Meta"},
    {0x01000023, false, 18, "Key_Alt"},
    {0x01000024, false, 20, "Key_CapsLock"},
    {0x01000025, false, 144, "Key_NumLock"},
    {0x01000026, false, 145, "Key_ScrollLock"},
    {0x01000030, false, 112, "Key_F1"},
    {0x01000031, false, 113, "Key_F2"},
    {0x01000032, false, 114, "Key_F3"},
    {0x01000033, false, 115, "Key_F4"},
    {0x01000034, false, 116, "Key_F5"},
    {0x01000035, false, 117, "Key_F6"},
    {0x01000036, false, 118, "Key_F7"},
    {0x01000037, false, 119, "Key_F8"},
    {0x01000038, false, 120, "Key_F9"},
    {0x01000039, false, 121, "Key_F10"},
    {0x0100003A, false, 122, "Key_F11"},
    {0x0100003B, false, 123, "Key_F12"},
    {0x0100003C, false, 124, "Key_F13"},
    {0x0100003D, false, 125, "Key_F14"},
    {0x0100003E, false, 126, "Key_F15"},
    {0x0100003F, false, 127, "Key_F16"},
    {0x01000040, false, 128, "Key_F17"},
    {0x01000041, false, 129, "Key_F18"},
    {0x01000042, false, 130, "Key_F19"},
    {0x01000043, false, 131, "Key_F20"},
    {0x01000044, false, 132, "Key_F21"},
    {0x01000045, false, 133, "Key_F22"},
    {0x01000046, false, 134, "Key_F23"},
    {0x01000047, false, 135, "Key_F24"},
    {0x01000053, false, 91, "Key_Super_L"},
    {0x01000054, false, 92, "Key_Super_R"},
    {0x01000055, false, 93, "Key_Menu"},
    {0x01000058, false, 47, "Key_Help"},
    {0x01000061, false, 166, "Key_Back"},
    {0x01000062, false, 167, "Key_Forward"},
    {0x01000063, false, 169, "Key_Stop"},
    {0x01000064, false, 168, "Key_Refresh"},
    {0x01000070, false, 174, "Key_VolumeDown"},
    {0x01000071, false, 173, "Key_VolumeMute"},
    {0x01000072, false, 175, "Key_VolumeUp"},
    {0x01000080, false, 179, "Key_MediaPlay"},
    {0x01000081, false, 178, "Key_MediaStop"},
    {0x01000082, false, 177, "Key_MediaPrevious"},
    {0x01000083, false, 176, "Key_MediaNext"},
    {0x01000085, false, 179, "Key_MediaPause"},
    {0x01000086, false, 179, "Key_MediaTogglePlayPause"},
    {0x01000090, false, 172, "Key_HomePage"},
    {0x01000091, false, 171, "Key_Favorites"},
    {0x01000092, false, 170, "Key_Search"},
    {0x010000A0, false, 180, "Key_LaunchMail"},
    {0x010000A1, false, 181, "Key_LaunchMedia"},
    {0x010000A2, false, 182, "Key_Launch0"},
    {0x010000A3, false, 183, "Key_Launch1"},
    {0x01001103, false, 165, "Key_AltGr"},
    {0x01010000, false, 41, "Key_Select"},
    {0x20, false, 32, "Key_Space"},
    {0x30, false, 48, "Key_0"},
    {0x31, false, 49, "Key_1"},
    {0x32, false, 50, "Key_2"},
    {0x33, false, 51, "Key_3"},
    {0x34, false, 52, "Key_4"},
    {0x35, false, 53, "Key_5"},
    {0x36, false, 54, "Key_6"},
    {0x37, false, 55, "Key_7"},
    {0x38, false, 56, "Key_8"},
    {0x39, false, 57, "Key_9"},
    {0x41, false, 65, "Key_A"},
    {0x42, false, 66, "Key_B"},
    {0x43, false, 67, "Key_C"},
    {0x44, false, 68, "Key_D"},
    {0x45, false, 69, "Key_E"},
    {0x46, false, 70, "Key_F"},
    {0x47, false, 71, "Key_G"},
    {0x48, false, 72, "Key_H"},
    {0x49, false, 73, "Key_I"},
    {0x4A, false, 74, "Key_J"},
    {0x4B, false, 75, "Key_K"},
    {0x4C, false, 76, "Key_L"},
    {0x4D, false, 77, "Key_M"},
    {0x4E, false, 78, "Key_N"},
    {0x4F, false, 79, "Key_O"},
    {0x50, false, 80, "Key_P"},
    {0x51, false, 81, "Key_Q"},
    {0x52, false, 82, "Key_R"},
    {0x53, false, 83, "Key_S"},
    {0x54, false, 84, "Key_T"},
    {0x55, false, 85, "Key_U"},
    {0x56, false, 86, "Key_V"},
    {0x57, false, 87, "Key_W"},
    {0x58, false, 88, "Key_X"},
    {0x59, false, 89, "Key_Y"},
    {0x5A, false, 90, "Key_Z"},
    {0x3B, false, 186, "Key_Semicolon"},
    {0x3D, false, 187, "Key_Equal"},
    {0x2C, false, 188, "Key_Comma"},
    {0x2D, false, 189, "Key_Minus"},
    {0x2E, false, 190, "Key_Period"},
    {0x2F, false, 191, "Key_Slash"},
    {0x60, false, 192, "Key_QuoteLeft"},
    {0x5B, false, 219, "Key_BracketLeft"},
    {0x5C, false, 220, "Key_Backslash"},
    {0x5D, false, 221, "Key_BracketRight"},
    {0x27, false, 222, "Key_Apostrophe"},
    {0x30, true, 96, "Key_0"},
    {0x31, true, 97, "Key_1"},
    {0x32, true, 98, "Key_2"},
    {0x33, true, 99, "Key_3"},
    {0x34, true, 100, "Key_4"},
    {0x35, true, 101, "Key_5"},
    {0x36, true, 102, "Key_6"},
    {0x37, true, 103, "Key_7"},
    {0x38, true, 104, "Key_8"},
    {0x39, true, 105, "Key_9"},
    {0x2A, true, 106, "Key_Asterisk"},
    {0x2B, true, 107, "Key_Plus"},
    {0x2C, true, 108, "Key_Comma"},
    {0x2D, true, 109, "Key_Minus"},
    {0x2E, true, 110, "Key_Period"},
    {0x2F, true, 111, "Key_Slash"},
});

constexpr int kQtKeyA = 0x41;
constexpr int kQtKeyZ = 0x5A;

int ByQtKey(int qt_key, bool keypad) {
  if (keypad) {
    for (const auto& row : kQtKeys) {
      if (row.keypad && row.qt_key == qt_key) return row.virtual_key;
    }
  }
  for (const auto& row : kQtKeys) {
    if (!row.keypad && row.qt_key == qt_key) return row.virtual_key;
  }
  return 0;
}

}  // namespace

std::span<const QtKeyRow> QtKeyTable() { return kQtKeys; }

int VirtualKeyOfKeyEvent(const ToolkitKeyEvent& event) {
  switch (event.source) {
    case KeyEventSource::kWindows:
      if (event.native_virtual_key > 0 && event.native_virtual_key < 256) {
        return static_cast<int>(event.native_virtual_key);
      }
      break;
    case KeyEventSource::kXkb:
      if (event.qt_key >= kQtKeyA && event.qt_key <= kQtKeyZ && !event.keypad) return event.qt_key;
      if (const int by_place = VirtualKeyOfXkbPlace(event.scan_code)) return by_place;
      break;
    case KeyEventSource::kOther:
      break;
  }
  return ByQtKey(event.qt_key, event.keypad);
}

}  // namespace zelko
