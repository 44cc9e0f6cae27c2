#include <gtest/gtest.h>

#include <set>
#include <string>

#include "keys/key_tables.h"

namespace zelko {
namespace {

struct VirtualKeyCase {
  int virtual_key;
  int index;
  std::string_view name;
  int usage;
};

class VirtualKeyRows : public ::testing::TestWithParam<VirtualKeyCase> {};

TEST_P(VirtualKeyRows, MapToIndexNameAndUsage) {
  const auto& c = GetParam();
  const KeyIndex index = VirtualKeyToKeyIndex(c.virtual_key);
  EXPECT_EQ(index, c.index);
  EXPECT_EQ(KeyIndexName(index), c.name);
  EXPECT_EQ(KeyIndexToUsage(index), c.usage);
}

INSTANTIATE_TEST_SUITE_P(
    KeyTables, VirtualKeyRows,
    ::testing::Values(
        VirtualKeyCase{65, 78, "A", 4}, VirtualKeyCase{90, 103, "Z", 29},
        VirtualKeyCase{48, 104, "0", 39}, VirtualKeyCase{57, 113, "9", 38},
        VirtualKeyCase{96, 30, "0 (numeric pad)", 98},
        VirtualKeyCase{105, 39, "9 (numeric pad)", 97},
        VirtualKeyCase{16, 7, "Shift", 225}, VirtualKeyCase{91, 27, "Left Windows", 227},
        VirtualKeyCase{92, 28, "Right Windows", 231}, VirtualKeyCase{112, 46, "F1", 58},
        VirtualKeyCase{123, 57, "F12", 69}, VirtualKeyCase{124, 58, "F13", 104},
        VirtualKeyCase{135, 69, "F24", 115}, VirtualKeyCase{160, 72, "Left Shift", 225},
        VirtualKeyCase{165, 77, "Right Alt", 230}, VirtualKeyCase{223, 121, "OEM_8", 0},
        VirtualKeyCase{182, 142, "Launch_App1", 0}, VirtualKeyCase{183, 143, "Launch_App2", 0},
        VirtualKeyCase{181, 141, "Launch_Media_Select", 209},
        VirtualKeyCase{95, 0, "None", 0}, VirtualKeyCase{0, 0, "None", 0},
        VirtualKeyCase{255, 2, "255", 0}, VirtualKeyCase{-1, 0, "None", 0},
        VirtualKeyCase{256, 0, "None", 0}),
    [](const auto& info) {
      const int vk = info.param.virtual_key;
      return "VirtualKey" + (vk < 0 ? "Minus" + std::to_string(-vk) : std::to_string(vk));
    });

struct UsageNameCase {
  int usage;
  std::string_view name;
};

class UsageNames : public ::testing::TestWithParam<UsageNameCase> {};

TEST_P(UsageNames, NameTheKeyThatSendsTheUsage) {
  EXPECT_EQ(KeyboardUsageName(static_cast<std::uint8_t>(GetParam().usage)), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    KeyTables, UsageNames,
    ::testing::Values(UsageNameCase{4, "A"}, UsageNameCase{39, "0"},
                      UsageNameCase{98, "0 (numeric pad)"}, UsageNameCase{224, "Left Ctrl"},
                      UsageNameCase{225, "Left Shift"}, UsageNameCase{226, "Left Alt"},
                      UsageNameCase{227, "Win"}, UsageNameCase{231, "Win"},
                      UsageNameCase{228, "Right Ctrl"}, UsageNameCase{209, "Launch_Media_Select"},
                      UsageNameCase{0, ""}, UsageNameCase{50, ""}, UsageNameCase{100, ""},
                      UsageNameCase{255, ""}),
    [](const auto& info) { return "Usage" + std::to_string(info.param.usage); });

TEST(KeyTables, EveryIndexHasOneDistinctNameAndNoneBeyond) {
  std::set<std::string_view> names;
  for (int index = 0; index < kKeyIndexCount; ++index) {
    const auto name = KeyIndexName(static_cast<KeyIndex>(index));
    EXPECT_FALSE(name.empty()) << index;
    names.insert(name);
  }
  EXPECT_EQ(names.size(), static_cast<std::size_t>(kKeyIndexCount));
  EXPECT_EQ(KeyIndexName(144), "");
  EXPECT_EQ(KeyIndexToUsage(200), 0);
}

TEST(KeyTables, EveryVirtualKeyRoundTripsThroughItsIndex) {
  // No two virtual keys share an index, apart from the unknown ones.
  std::set<int> seen;
  for (int vk = 0; vk < 256; ++vk) {
    const KeyIndex index = VirtualKeyToKeyIndex(vk);
    if (index == kUnknownKeyIndex) continue;
    EXPECT_TRUE(seen.insert(index).second) << "virtual key " << vk;
  }
  // Every index but 0 ("None") and 1 ("Demo") is reached by one virtual key.
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kKeyIndexCount - 2));
}

struct KeyNameCase {
  std::string_view case_name;
  std::string_view name;
  std::optional<std::uint8_t> usage;
};

class KeyNames : public ::testing::TestWithParam<KeyNameCase> {};

TEST_P(KeyNames, GiveTheUsageTheyStandFor) {
  EXPECT_EQ(UsageOfKeyName(GetParam().name), GetParam().usage);
}

INSTANTIATE_TEST_SUITE_P(
    KeyTables, KeyNames,
    ::testing::Values(KeyNameCase{"A", "A", 4}, KeyNameCase{"LowerCaseA", "a", 4},
                      KeyNameCase{"SpaceBarInMixedCase", "space BAR", 44}, KeyNameCase{"Ctrl", "Ctrl", 224},
                      KeyNameCase{"LeftCtrl", "Left Ctrl", 224}, KeyNameCase{"Win", "Win", 227},
                      KeyNameCase{"RightWindows", "Right Windows", 231}, KeyNameCase{"F24", "F24", 115},
                      KeyNameCase{"None", "None", std::nullopt}, KeyNameCase{"OEM_8", "OEM_8", std::nullopt},
                      KeyNameCase{"NumberText255", "255", std::nullopt}, KeyNameCase{"Empty", "", std::nullopt},
                      KeyNameCase{"Hyper", "Hyper", std::nullopt}),
    [](const auto& info) { return std::string(info.param.case_name); });

}  // namespace
}  // namespace zelko
