#include "keys/xkb_typing_block.h"

#include <array>

namespace zelko {
namespace {

// xkb keycode to the virtual key of that place on a US board.
constexpr auto kTypingBlock = std::to_array<ScanCodeRow>({
    {10, 49},  // 1
    {11, 50},  // 2
    {12, 51},  // 3
    {13, 52},  // 4
    {14, 53},  // 5
    {15, 54},  // 6
    {16, 55},  // 7
    {17, 56},  // 8
    {18, 57},  // 9
    {19, 48},  // 0
    {20, 189},  // minus
    {21, 187},  // equal
    {24, 81},  // Q
    {25, 87},  // W
    {26, 69},  // E
    {27, 82},  // R
    {28, 84},  // T
    {29, 89},  // Y
    {30, 85},  // U
    {31, 73},  // I
    {32, 79},  // O
    {33, 80},  // P
    {34, 219},  // bracket left
    {35, 221},  // bracket right
    {38, 65},  // A
    {39, 83},  // S
    {40, 68},  // D
    {41, 70},  // F
    {42, 71},  // G
    {43, 72},  // H
    {44, 74},  // J
    {45, 75},  // K
    {46, 76},  // L
    {47, 186},  // semicolon
    {48, 222},  // apostrophe
    {49, 192},  // grave
    {51, 220},  // backslash
    {52, 90},  // Z
    {53, 88},  // X
    {54, 67},  // C
    {55, 86},  // V
    {56, 66},  // B
    {57, 78},  // N
    {58, 77},  // M
    {59, 188},  // comma
    {60, 190},  // period
    {61, 191},  // slash
});

}  // namespace

std::span<const ScanCodeRow> XkbTypingBlockTable() { return kTypingBlock; }

int VirtualKeyOfXkbPlace(std::uint32_t xkb_keycode) {
  for (const auto& row : kTypingBlock) {
    if (row.xkb_keycode == xkb_keycode) return row.virtual_key;
  }
  return 0;
}

}  // namespace zelko
