#include <gtest/gtest.h>

#include <map>
#include <string>

#include "keys/key_label.h"
#include "keys/language_text.h"

namespace zelko {
namespace {

// A small pack: a few ids of the English texts, and none for Str223/Str600.
TextLookup SmallPack() {
  static const std::map<std::string, std::string, std::less<>> texts = {
      {"Str210", "Left Click"}, {"Str213", "Backward"}, {"Str220", "Fire Key"},
      {"Str222", "AIM"},        {"Str224", "Disable"},  {"Str243", "Desktop"},
      {"Str262", "Backward"},   {"Str605", "Fire 6"},
  };
  return [](std::string_view id) {
    const auto it = texts.find(id);
    return it == texts.end() ? std::string() : it->second;
  };
}

std::string SlotName(int slot) { return "Macro in slot " + std::to_string(slot); }

struct LabelCase {
  std::string_view code;
  std::string_view label;
};

class CodeLabels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(CodeLabels, FollowTheRulesInOrder) {
  EXPECT_EQ(KeyCodeToLabel(GetParam().code, SmallPack(), SlotName), GetParam().label)
      << GetParam().code;
}

INSTANTIATE_TEST_SUITE_P(
    KeyLabel, CodeLabels,
    ::testing::Values(
        // Catalogue codes; ids the pack lacks give the empty label.
        LabelCase{"000000", "Disable"}, LabelCase{"010100", "Left Click"},
        LabelCase{"030224", "Backward"}, LabelCase{"0D0000", ""}, LabelCase{"010200", ""},
        // A catalogue code wins over the combination rule.
        LabelCase{"020807", "Desktop"}, LabelCase{"0600F0", "Fire Key"},
        // Every 0A code is the AIM key.
        LabelCase{"0A0300", "AIM"}, LabelCase{"0A0A00", "AIM"}, LabelCase{"0AFF12", "AIM"},
        // Combinations.
        LabelCase{"020000", ""}, LabelCase{"020300", "Ctrl+Shift+"},
        LabelCase{"020F04", "Ctrl+Shift+Alt+Win+A"}, LabelCase{"020804", "Win+A"},
        LabelCase{"020104", "Ctrl+A"}, LabelCase{"0200E1", "Left Shift"},
        LabelCase{"02F004", "A"}, LabelCase{"020132", "Ctrl+"},
        // Device macro slots.
        LabelCase{"060121", "Macro in slot 1"}, LabelCase{"0E0121", "Macro in slot 1"},
        LabelCase{"0E0721", "Macro in slot 7"}, LabelCase{"060821", ""},
        LabelCase{"0601F0", ""},
        // Fire macro codes.
        LabelCase{"0C0101", ""}, LabelCase{"0C0607", "Fire 6"}, LabelCase{"0C0608", ""},
        // Other types and text that is no code.
        LabelCase{"FFFFFF", ""}, LabelCase{"040000", ""}, LabelCase{"", ""},
        LabelCase{"01010", ""}, LabelCase{"0a0300", ""}, LabelCase{"ZZZZZZ", ""}),
    // Named by the code (letters and digits), or Empty.
    [](const auto& info) {
      return info.param.code.empty() ? std::string("Empty") : "Code" + std::string(info.param.code);
    });

TEST(KeyLabel, WithoutLookupsEveryTextIsEmptyButCombinationsStillName) {
  EXPECT_EQ(KeyCodeToLabel("010100", {}), "");
  EXPECT_EQ(KeyCodeToLabel("060121", SmallPack()), "");
  EXPECT_EQ(KeyCodeToLabel("020104", {}), "Ctrl+A");
}

struct PackLabelCase {
  int language;
  std::string_view code;
  std::string_view label;
};

class ShippedPackLabels : public ::testing::TestWithParam<PackLabelCase> {};

TEST_P(ShippedPackLabels, FollowTheLanguage) {
  const auto& c = GetParam();
  EXPECT_EQ(KeyCodeToLabel(c.code, LanguageTextLookup(c.language)), c.label)
      << c.language << " " << c.code;
}

INSTANTIATE_TEST_SUITE_P(
    KeyLabel, ShippedPackLabels,
    ::testing::Values(
        PackLabelCase{1, "000000", "Disable"}, PackLabelCase{1, "0D0000", ""},
        PackLabelCase{1, "0C0101", ""}, PackLabelCase{1, "020807", "Desktop"},
        PackLabelCase{1, "0600F0", "Fire Key"}, PackLabelCase{1, "0A0A00", "AIM"},
        PackLabelCase{2, "010100", "\xE5\xB7\xA6\xE9\x94\xAE"},            // 左键
        PackLabelCase{2, "0A0300", "\xE7\x9E\x84\xE5\x87\x86\xE9\x94\xAE"},  // 瞄准键
        PackLabelCase{2, "070000", "CPI +"}, PackLabelCase{2, "020F04", "Ctrl+Shift+Alt+Win+A"},
        PackLabelCase{3, "010100", "Left Key"}, PackLabelCase{3, "030224", "WWW Back"},
        PackLabelCase{3, "0D0000", ""}, PackLabelCase{0, "010100", ""}),
    [](const auto& info) {
      return "Pack" + std::to_string(info.param.language) + "_" + std::string(info.param.code);
    });

}  // namespace
}  // namespace zelko
