#include "keys/key_tables.h"

#include <array>

#include "keys/ascii_text.h"

namespace zelko {
namespace {

inline constexpr int kNoVirtualKey = -1;

struct KeyRow {
  std::string_view name;
  int virtual_key;     // kNoVirtualKey when no virtual key reaches this index
  std::uint8_t usage;  // 0 when the key sends no keyboard usage
};

// One row per key index, in index order.
constexpr std::array<KeyRow, kKeyIndexCount> kKeyRows = {{
    {"None", kNoVirtualKey, 0},  // 0
    {"Demo", kNoVirtualKey, 0},  // 1
    {"255", 255, 0},  // 2
    {"Backspace", 8, 42},  // 3
    {"Tab", 9, 43},  // 4
    {"Clear", 12, 156},  // 5
    {"Enter", 13, 40},  // 6
    {"Shift", 16, 225},  // 7
    {"Ctrl", 17, 224},  // 8
    {"Alt", 18, 226},  // 9
    {"Pause", 19, 72},  // 10
    {"Caps Lock", 20, 57},  // 11
    {"Esc", 27, 41},  // 12
    {"Space bar", 32, 44},  // 13
    {"Page Up", 33, 75},  // 14
    {"Page Down", 34, 78},  // 15
    {"End", 35, 77},  // 16
    {"Home", 36, 74},  // 17
    {"Left Arrow", 37, 80},  // 18
    {"Up Arrow", 38, 82},  // 19
    {"Right Arrow", 39, 79},  // 20
    {"Down Arrow", 40, 81},  // 21
    {"Select", 41, 119},  // 22
    {"Print Screen", 44, 70},  // 23
    {"Insert", 45, 73},  // 24
    {"Delete", 46, 76},  // 25
    {"Help", 47, 117},  // 26
    {"Left Windows", 91, 227},  // 27
    {"Right Windows", 92, 231},  // 28
    {"Applications", 93, 101},  // 29
    {"0 (numeric pad)", 96, 98},  // 30
    {"1 (numeric pad)", 97, 89},  // 31
    {"2 (numeric pad)", 98, 90},  // 32
    {"3 (numeric pad)", 99, 91},  // 33
    {"4 (numeric pad)", 100, 92},  // 34
    {"5 (numeric pad)", 101, 93},  // 35
    {"6 (numeric pad)", 102, 94},  // 36
    {"7 (numeric pad)", 103, 95},  // 37
    {"8 (numeric pad)", 104, 96},  // 38
    {"9 (numeric pad)", 105, 97},  // 39
    {"Multiply (numeric pad)", 106, 85},  // 40
    {"Add (numeric pad)", 107, 87},  // 41
    {"Separator (numeric pad)", 108, 88},  // 42
    {"Subtract (numeric pad)", 109, 86},  // 43
    {"Decimal (numeric pad)", 110, 99},  // 44
    {"Divide (numeric pad)", 111, 84},  // 45
    {"F1", 112, 58},  // 46
    {"F2", 113, 59},  // 47
    {"F3", 114, 60},  // 48
    {"F4", 115, 61},  // 49
    {"F5", 116, 62},  // 50
    {"F6", 117, 63},  // 51
    {"F7", 118, 64},  // 52
    {"F8", 119, 65},  // 53
    {"F9", 120, 66},  // 54
    {"F10", 121, 67},  // 55
    {"F11", 122, 68},  // 56
    {"F12", 123, 69},  // 57
    {"F13", 124, 104},  // 58
    {"F14", 125, 105},  // 59
    {"F15", 126, 106},  // 60
    {"F16", 127, 107},  // 61
    {"F17", 128, 108},  // 62
    {"F18", 129, 109},  // 63
    {"F19", 130, 110},  // 64
    {"F20", 131, 111},  // 65
    {"F21", 132, 112},  // 66
    {"F22", 133, 113},  // 67
    {"F23", 134, 114},  // 68
    {"F24", 135, 115},  // 69
    {"Num Lock", 144, 83},  // 70
    {"Scroll Lock", 145, 71},  // 71
    {"Left Shift", 160, 225},  // 72
    {"Right Shift", 161, 229},  // 73
    {"Left Ctrl", 162, 224},  // 74
    {"Right Ctrl", 163, 228},  // 75
    {"Left Alt", 164, 226},  // 76
    {"Right Alt", 165, 230},  // 77
    {"A", 65, 4},  // 78
    {"B", 66, 5},  // 79
    {"C", 67, 6},  // 80
    {"D", 68, 7},  // 81
    {"E", 69, 8},  // 82
    {"F", 70, 9},  // 83
    {"G", 71, 10},  // 84
    {"H", 72, 11},  // 85
    {"I", 73, 12},  // 86
    {"J", 74, 13},  // 87
    {"K", 75, 14},  // 88
    {"L", 76, 15},  // 89
    {"M", 77, 16},  // 90
    {"N", 78, 17},  // 91
    {"O", 79, 18},  // 92
    {"P", 80, 19},  // 93
    {"Q", 81, 20},  // 94
    {"R", 82, 21},  // 95
    {"S", 83, 22},  // 96
    {"T", 84, 23},  // 97
    {"U", 85, 24},  // 98
    {"V", 86, 25},  // 99
    {"W", 87, 26},  // 100
    {"X", 88, 27},  // 101
    {"Y", 89, 28},  // 102
    {"Z", 90, 29},  // 103
    {"0", 48, 39},  // 104
    {"1", 49, 30},  // 105
    {"2", 50, 31},  // 106
    {"3", 51, 32},  // 107
    {"4", 52, 33},  // 108
    {"5", 53, 34},  // 109
    {"6", 54, 35},  // 110
    {"7", 55, 36},  // 111
    {"8", 56, 37},  // 112
    {"9", 57, 38},  // 113
    {"OEM_1", 186, 51},  // 114
    {"OEM_2", 191, 56},  // 115
    {"OEM_3", 192, 53},  // 116
    {"OEM_4", 219, 47},  // 117
    {"OEM_5", 220, 49},  // 118
    {"OEM_6", 221, 48},  // 119
    {"OEM_7", 222, 52},  // 120
    {"OEM_8", 223, 0},  // 121
    {"OEM_Plus", 187, 46},  // 122
    {"OEM_Comma", 188, 54},  // 123
    {"OEM_Minus", 189, 45},  // 124
    {"OEM_Period", 190, 55},  // 125
    {"Browser_Back", 166, 202},  // 126
    {"Browser_Forward", 167, 203},  // 127
    {"Browser_Refresh", 168, 205},  // 128
    {"Browser_Stop", 169, 204},  // 129
    {"Browser_Search", 170, 200},  // 130
    {"Browser_Favorites", 171, 206},  // 131
    {"Browser_Home", 172, 201},  // 132
    {"Volume_Mute", 173, 196},  // 133
    {"Volume_Down", 174, 198},  // 134
    {"Volume_Up", 175, 197},  // 135
    {"Media_Next_Track", 176, 192},  // 136
    {"Media_Prev_Track", 177, 193},  // 137
    {"Media_Stop", 178, 194},  // 138
    {"Media_Play_Pause", 179, 195},  // 139
    {"Launch_Mail", 180, 199},  // 140
    {"Launch_Media_Select", 181, 209},  // 141
    {"Launch_App1", 182, 0},  // 142
    {"Launch_App2", 183, 0},  // 143
}};

constexpr std::array<KeyIndex, 256> BuildVirtualKeyIndex() {
  std::array<KeyIndex, 256> table{};
  for (int index = 0; index < kKeyIndexCount; ++index) {
    const int vk = kKeyRows[static_cast<std::size_t>(index)].virtual_key;
    if (vk != kNoVirtualKey) table[static_cast<std::size_t>(vk)] = static_cast<KeyIndex>(index);
  }
  return table;
}
constexpr std::array<KeyIndex, 256> kVirtualKeyIndex = BuildVirtualKeyIndex();

// Usages several keys send, or that are named apart from their key.
struct UsageNameException {
  std::uint8_t usage;
  std::string_view name;
};
constexpr std::array<UsageNameException, 5> kUsageNameExceptions = {{
    {224, "Left Ctrl"},
    {225, "Left Shift"},
    {226, "Left Alt"},
    {227, "Win"},
    {231, "Win"},
}};

}  // namespace

KeyIndex VirtualKeyToKeyIndex(int virtual_key) {
  if (virtual_key < 0 || virtual_key > 255) return kUnknownKeyIndex;
  return kVirtualKeyIndex[static_cast<std::size_t>(virtual_key)];
}

std::string_view KeyIndexName(KeyIndex index) {
  if (index >= kKeyIndexCount) return {};
  return kKeyRows[index].name;
}

std::uint8_t KeyIndexToUsage(KeyIndex index) {
  if (index >= kKeyIndexCount) return 0;
  return kKeyRows[index].usage;
}

std::string_view KeyboardUsageName(std::uint8_t usage) {
  if (usage == 0) return {};
  for (const auto& exception : kUsageNameExceptions) {
    if (exception.usage == usage) return exception.name;
  }
  for (const auto& row : kKeyRows) {
    if (row.usage == usage) return row.name;
  }
  return {};
}

std::optional<std::uint8_t> UsageOfKeyName(std::string_view name) {
  for (const auto& exception : kUsageNameExceptions) {
    if (EqualIgnoringCase(exception.name, name)) return exception.usage;
  }
  for (const auto& row : kKeyRows) {
    if (row.usage != 0 && EqualIgnoringCase(row.name, name)) return row.usage;
  }
  return std::nullopt;
}

}  // namespace zelko
