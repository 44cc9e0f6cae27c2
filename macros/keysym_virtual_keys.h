// X keysyms as the Windows virtual-key codes the key tables take. The X
// server's keyboard mapping gives each keycode a list of keysyms (unshifted,
// shifted, ...); the recorder wants the virtual key Windows would report for
// the same key. Keysyms are only numbers here: their values are fixed by the
// X protocol, and each row carries its keysym's name as XStringToKeysym
// takes it (the names of <X11/keysymdef.h> and <X11/XF86keysym.h> without
// their XK_ prefix), for tests and readers.
//
// Modifiers map to the generic virtual keys (both Shift keys to 16, both
// Ctrl keys to 17, both Alt keys and AltGr to 18), as Windows' raw keyboard
// input reports them, so that a recorded modifier becomes a modifier event
// of the macro; the Windows keys keep their sides (91, 92).
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace zelko {

using Keysym = std::uint32_t;

struct KeysymRow {
  Keysym keysym;
  int virtual_key;
  std::string_view keysym_name;  // "a", "XF86AudioMute"
};

std::span<const KeysymRow> KeysymVirtualKeyTable();

// The virtual key of one keysym; 0 when no row has it.
int VirtualKeyOfKeysym(Keysym keysym);

// A keysym of the numeric pad's range (XK_KP_Space .. XK_KP_Equal).
bool IsKeypadKeysym(Keysym keysym);

// The virtual key of the key at this xkb keycode whose mapping gives it
// these keysyms unshifted and shifted (0 when the mapping has none), as
// the input dialogs name keys: a letter by the layout; the rest of the
// typing block (digits, punctuation, and letters of a non-Latin layout) by
// its place on a US board (keys/xkb_typing_block.h); a pad key with Num
// Lock on by its shifted keysym (the digit, not the arrow); any other key
// by its unshifted keysym, or its shifted one when only that has a row.
// 0 when none of these names it: the key is not recorded.
int VirtualKeyOfKey(std::uint32_t xkb_keycode, Keysym unshifted, Keysym shifted, bool num_lock_on);

}  // namespace zelko
