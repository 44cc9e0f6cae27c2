// The keys of the typing block by their place on the board: an xkb keycode
// (the evdev code + 8, as X servers and Wayland compositors number keys) and
// the Windows virtual key of that place on a US board. The input dialogs
// and the desktop capture name digits and punctuation keys by place, as
// Windows does whatever the layout makes of them.
#pragma once
#include <cstdint>
#include <span>

namespace zelko {

struct ScanCodeRow {
  std::uint32_t xkb_keycode;
  int virtual_key;
};
std::span<const ScanCodeRow> XkbTypingBlockTable();

// The virtual key of the typing block's key at this place; 0 for a keycode
// outside the block.
int VirtualKeyOfXkbPlace(std::uint32_t xkb_keycode);

}  // namespace zelko
