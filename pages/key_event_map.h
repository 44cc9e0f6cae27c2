// A key event of the window's toolkit as the Windows virtual-key code the
// key tables (keys/key_tables.h) take: the input dialogs see Qt key events,
// the key tables start from virtual keys. Free of Qt: a Qt::Key is an
// int here (the values below are Qt's, which are part of its stable ABI;
// shell/tests/key_event_test.cpp checks each against Qt's own names).
//
// Where the code comes from, by platform:
//  - Windows: the event's native virtual key is the code itself.
//  - X11 and Wayland (xkb): the native scan code is the xkb keycode, the
//    evdev code + 8, the key's place on the board. A letter key gives the
//    letter of the layout (as Windows does for Latin layouts); the other
//    keys of the typing block (digits and the OEM keys) give the code of
//    their place on a US board, whatever the layout and Shift make of them
//    (Shift+1 is still "1", as on Windows); a letter key of a non-Latin
//    layout gives the letter of its place too. The rest go by Qt key.
//  - Elsewhere (and events without a native code): by Qt key alone, with
//    the typing block's unshifted US symbols.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "keys/xkb_typing_block.h"

namespace zelko {

enum class KeyEventSource {
  kWindows,  // native_virtual_key is the Windows virtual-key code
  kXkb,      // scan_code is an xkb keycode (xcb, wayland)
  kOther,    // no native code to go by
};

struct ToolkitKeyEvent {
  int qt_key = 0;                       // Qt::Key
  bool keypad = false;                  // Qt::KeypadModifier: a key of the numeric pad
  std::uint32_t scan_code = 0;          // QKeyEvent::nativeScanCode
  std::uint32_t native_virtual_key = 0; // QKeyEvent::nativeVirtualKey
  KeyEventSource source = KeyEventSource::kOther;
};

// The virtual-key code of the event; 0 for a key no table knows (the key
// tables then call it "None").
int VirtualKeyOfKeyEvent(const ToolkitKeyEvent& event);

// One row of the Qt key table: a Qt key (on the numeric pad or off it)
// and the virtual key it stands for.
struct QtKeyRow {
  int qt_key;
  bool keypad;
  int virtual_key;
  std::string_view qt_name;  // "Key_F1", for tests and readers
};
std::span<const QtKeyRow> QtKeyTable();

}  // namespace zelko
