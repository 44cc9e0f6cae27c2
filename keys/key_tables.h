// The keyboard key tables: Windows virtual-key codes, the compact key index
// 0..143 with its English names, and HID keyboard usages (Keyboard/Keypad
// page). Pure functions of their argument; a virtual-key code is only a
// number here.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace zelko {

using KeyIndex = std::uint8_t;

inline constexpr int kKeyIndexCount = 144;
// Index 0 stands for a key the table does not know ("None").
inline constexpr KeyIndex kUnknownKeyIndex = 0;

// Virtual-key code (0..255) to key index; every unlisted code gives 0.
KeyIndex VirtualKeyToKeyIndex(int virtual_key);

// Key index to its English name ("A", "Space bar", "F13"); an index above
// 143 gives the empty name.
std::string_view KeyIndexName(KeyIndex index);

// Key index to its keyboard usage; 0 when the key has none.
std::uint8_t KeyIndexToUsage(KeyIndex index);

// Keyboard usage to the name of the key that sends it. Usages 224, 225 and
// 226 are named "Left Ctrl", "Left Shift" and "Left Alt"; 227 and 231 are
// both "Win". Usage 0 and usages no key sends give the empty name.
std::string_view KeyboardUsageName(std::uint8_t usage);

// The keyboard usage a key name stands for, comparing without regard to
// case: every index name and every usage name above ("Win" gives 227).
// Nothing when the name is unknown or its key sends no usage ("None",
// "OEM_8", "Launch_App1").
std::optional<std::uint8_t> UsageOfKeyName(std::string_view name);

}  // namespace zelko
