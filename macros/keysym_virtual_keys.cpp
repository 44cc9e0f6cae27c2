#include "macros/keysym_virtual_keys.h"

#include <array>

#include "keys/xkb_typing_block.h"

namespace zelko {
namespace {

// Keysym, virtual key, keysym name. Letters come lower case from an
// unshifted mapping; the upper-case rows serve mappings that give only
// those. The pad's navigation keysyms are what its keys give with Num Lock
// off, as Windows reports them then.
constexpr auto kKeysymRows = std::to_array<KeysymRow>({
    {0xff08, 8, "BackSpace"},
    {0xff09, 9, "Tab"},
    {0xfe20, 9, "ISO_Left_Tab"},
    {0xff0b, 12, "Clear"},
    {0xff0d, 13, "Return"},
    {0xff13, 19, "Pause"},
    {0xff14, 145, "Scroll_Lock"},
    {0xff1b, 27, "Escape"},
    {0x0020, 32, "space"},
    {0xff55, 33, "Prior"},
    {0xff56, 34, "Next"},
    {0xff57, 35, "End"},
    {0xff50, 36, "Home"},
    {0xff51, 37, "Left"},
    {0xff52, 38, "Up"},
    {0xff53, 39, "Right"},
    {0xff54, 40, "Down"},
    {0xff60, 41, "Select"},
    {0xff61, 44, "Print"},
    {0xff63, 45, "Insert"},
    {0xffff, 46, "Delete"},
    {0xff6a, 47, "Help"},
    {0x0030, 48, "0"},
    {0x0031, 49, "1"},
    {0x0032, 50, "2"},
    {0x0033, 51, "3"},
    {0x0034, 52, "4"},
    {0x0035, 53, "5"},
    {0x0036, 54, "6"},
    {0x0037, 55, "7"},
    {0x0038, 56, "8"},
    {0x0039, 57, "9"},
    {0x0061, 65, "a"},
    {0x0062, 66, "b"},
    {0x0063, 67, "c"},
    {0x0064, 68, "d"},
    {0x0065, 69, "e"},
    {0x0066, 70, "f"},
    {0x0067, 71, "g"},
    {0x0068, 72, "h"},
    {0x0069, 73, "i"},
    {0x006a, 74, "j"},
    {0x006b, 75, "k"},
    {0x006c, 76, "l"},
    {0x006d, 77, "m"},
    {0x006e, 78, "n"},
    {0x006f, 79, "o"},
    {0x0070, 80, "p"},
    {0x0071, 81, "q"},
    {0x0072, 82, "r"},
    {0x0073, 83, "s"},
    {0x0074, 84, "t"},
    {0x0075, 85, "u"},
    {0x0076, 86, "v"},
    {0x0077, 87, "w"},
    {0x0078, 88, "x"},
    {0x0079, 89, "y"},
    {0x007a, 90, "z"},
    {0x0041, 65, "A"},
    {0x0042, 66, "B"},
    {0x0043, 67, "C"},
    {0x0044, 68, "D"},
    {0x0045, 69, "E"},
    {0x0046, 70, "F"},
    {0x0047, 71, "G"},
    {0x0048, 72, "H"},
    {0x0049, 73, "I"},
    {0x004a, 74, "J"},
    {0x004b, 75, "K"},
    {0x004c, 76, "L"},
    {0x004d, 77, "M"},
    {0x004e, 78, "N"},
    {0x004f, 79, "O"},
    {0x0050, 80, "P"},
    {0x0051, 81, "Q"},
    {0x0052, 82, "R"},
    {0x0053, 83, "S"},
    {0x0054, 84, "T"},
    {0x0055, 85, "U"},
    {0x0056, 86, "V"},
    {0x0057, 87, "W"},
    {0x0058, 88, "X"},
    {0x0059, 89, "Y"},
    {0x005a, 90, "Z"},
    {0xffeb, 91, "Super_L"},
    {0xffec, 92, "Super_R"},
    {0xff67, 93, "Menu"},
    {0xffb0, 96, "KP_0"},
    {0xffb1, 97, "KP_1"},
    {0xffb2, 98, "KP_2"},
    {0xffb3, 99, "KP_3"},
    {0xffb4, 100, "KP_4"},
    {0xffb5, 101, "KP_5"},
    {0xffb6, 102, "KP_6"},
    {0xffb7, 103, "KP_7"},
    {0xffb8, 104, "KP_8"},
    {0xffb9, 105, "KP_9"},
    {0xffaa, 106, "KP_Multiply"},
    {0xffab, 107, "KP_Add"},
    {0xffac, 108, "KP_Separator"},
    {0xffad, 109, "KP_Subtract"},
    {0xffae, 110, "KP_Decimal"},
    {0xffaf, 111, "KP_Divide"},
    {0xff8d, 13, "KP_Enter"},
    {0xff95, 36, "KP_Home"},
    {0xff96, 37, "KP_Left"},
    {0xff97, 38, "KP_Up"},
    {0xff98, 39, "KP_Right"},
    {0xff99, 40, "KP_Down"},
    {0xff9a, 33, "KP_Prior"},
    {0xff9b, 34, "KP_Next"},
    {0xff9c, 35, "KP_End"},
    {0xff9d, 12, "KP_Begin"},
    {0xff9e, 45, "KP_Insert"},
    {0xff9f, 46, "KP_Delete"},
    {0xffbe, 112, "F1"},
    {0xffbf, 113, "F2"},
    {0xffc0, 114, "F3"},
    {0xffc1, 115, "F4"},
    {0xffc2, 116, "F5"},
    {0xffc3, 117, "F6"},
    {0xffc4, 118, "F7"},
    {0xffc5, 119, "F8"},
    {0xffc6, 120, "F9"},
    {0xffc7, 121, "F10"},
    {0xffc8, 122, "F11"},
    {0xffc9, 123, "F12"},
    {0xffca, 124, "F13"},
    {0xffcb, 125, "F14"},
    {0xffcc, 126, "F15"},
    {0xffcd, 127, "F16"},
    {0xffce, 128, "F17"},
    {0xffcf, 129, "F18"},
    {0xffd0, 130, "F19"},
    {0xffd1, 131, "F20"},
    {0xffd2, 132, "F21"},
    {0xffd3, 133, "F22"},
    {0xffd4, 134, "F23"},
    {0xffd5, 135, "F24"},
    {0xff7f, 144, "Num_Lock"},
    {0xffe5, 20, "Caps_Lock"},
    {0xffe1, 16, "Shift_L"},
    {0xffe2, 16, "Shift_R"},
    {0xffe3, 17, "Control_L"},
    {0xffe4, 17, "Control_R"},
    {0xffe9, 18, "Alt_L"},
    {0xffea, 18, "Alt_R"},
    {0xfe03, 18, "ISO_Level3_Shift"},
    {0x003b, 186, "semicolon"},
    {0x002f, 191, "slash"},
    {0x0060, 192, "grave"},
    {0x005b, 219, "bracketleft"},
    {0x005c, 220, "backslash"},
    {0x005d, 221, "bracketright"},
    {0x0027, 222, "apostrophe"},
    {0x003d, 187, "equal"},
    {0x002c, 188, "comma"},
    {0x002d, 189, "minus"},
    {0x002e, 190, "period"},
    {0x1008ff26, 166, "XF86Back"},
    {0x1008ff27, 167, "XF86Forward"},
    {0x1008ff29, 168, "XF86Refresh"},
    {0x1008ff28, 169, "XF86Stop"},
    {0x1008ff1b, 170, "XF86Search"},
    {0x1008ff30, 171, "XF86Favorites"},
    {0x1008ff18, 172, "XF86HomePage"},
    {0x1008ff12, 173, "XF86AudioMute"},
    {0x1008ff11, 174, "XF86AudioLowerVolume"},
    {0x1008ff13, 175, "XF86AudioRaiseVolume"},
    {0x1008ff17, 176, "XF86AudioNext"},
    {0x1008ff16, 177, "XF86AudioPrev"},
    {0x1008ff15, 178, "XF86AudioStop"},
    {0x1008ff14, 179, "XF86AudioPlay"},
    {0x1008ff31, 179, "XF86AudioPause"},
    {0x1008ff19, 180, "XF86Mail"},
    {0x1008ff32, 181, "XF86AudioMedia"},
    {0x1008ff33, 182, "XF86MyComputer"},
    {0x1008ff1d, 183, "XF86Calculator"},
});

constexpr Keysym kFirstKeypadKeysym = 0xff80;  // XK_KP_Space
constexpr Keysym kLastKeypadKeysym = 0xffbd;   // XK_KP_Equal

bool IsLatinLetterKeysym(Keysym keysym) {
  return (keysym >= 0x61 && keysym <= 0x7a) || (keysym >= 0x41 && keysym <= 0x5a);  // XK_a..XK_z, XK_A..XK_Z
}

}  // namespace

std::span<const KeysymRow> KeysymVirtualKeyTable() { return kKeysymRows; }

int VirtualKeyOfKeysym(Keysym keysym) {
  for (const KeysymRow& row : kKeysymRows) {
    if (row.keysym == keysym) return row.virtual_key;
  }
  return 0;
}

bool IsKeypadKeysym(Keysym keysym) { return keysym >= kFirstKeypadKeysym && keysym <= kLastKeypadKeysym; }

int VirtualKeyOfKey(std::uint32_t xkb_keycode, Keysym unshifted, Keysym shifted, bool num_lock_on) {
  if (IsLatinLetterKeysym(unshifted)) return VirtualKeyOfKeysym(unshifted);
  if (const int by_place = VirtualKeyOfXkbPlace(xkb_keycode); by_place != 0) return by_place;
  if (num_lock_on && IsKeypadKeysym(unshifted) && IsKeypadKeysym(shifted)) {
    if (const int vk = VirtualKeyOfKeysym(shifted); vk != 0) return vk;
  }
  if (const int vk = VirtualKeyOfKeysym(unshifted); vk != 0) return vk;
  return VirtualKeyOfKeysym(shifted);
}

}  // namespace zelko
