#include <gtest/gtest.h>

#include <vector>

#include "image/image_layout.h"
#include "keys/button_assignment.h"
#include "keys/key_function_code.h"
#include "keys/language_text.h"

namespace zelko {
namespace {

using Codes = std::array<std::string, kButtonCount>;

// The buttons of the first factory image: Left Click on button 1 only.
const Codes kLeftOnButton1 = {"010100", "010200", "010400", "010800", "011000",
                              "070000", "080000", "000000", "000000"};

struct Editor {
  ButtonMap map;

  Editor(const Codes& profile1, const Codes& profile2) {
    for (int button = 1; button <= static_cast<int>(kButtonCount); ++button) {
      const auto i = static_cast<std::size_t>(button - 1);
      EXPECT_TRUE(StoreButtonCode(map, {1, button}, profile1[i]));
      EXPECT_TRUE(StoreButtonCode(map, {2, button}, profile2[i]));
    }
  }
  ProfileCaptions Captions(int profile, int language = 1) const {
    return ProfileLabels(map, profile, LanguageTextLookup(language));
  }
  // The code texts of both profiles, as the button editor shows them.
  ProfileKeyCodes codes() const { return KeyCodeTexts(map); }
  // The three bytes of a button in the Profile section once encoded.
  std::vector<std::uint8_t> Bytes(ButtonRef ref) const {
    ParameterRecord record{};
    EncodeButtonMap(map, record);
    const auto profile = record.SectionBytes(Section::Profile);
    const std::size_t at = (ref.profile == 2 ? 27 : 0) + 3 * static_cast<std::size_t>(ref.button - 1);
    return {profile[at], profile[at + 1], profile[at + 2]};
  }
};

Codes With(Codes codes, int button, std::string code) {
  codes[static_cast<std::size_t>(button - 1)] = std::move(code);
  return codes;
}

struct RuleCase {
  const char* name;
  Codes profile;
  ButtonRef ref;
  int menu_tag;
  int language;
  AssignmentOutcome outcome;
  std::string_view code_after;
  std::string_view caption;
  std::string_view message;
};

class LeftClickRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(LeftClickRule, GuardsCatalogueAssignments) {
  const auto& c = GetParam();
  Editor editor(c.profile, c.profile);
  const ProfileKeyCodes codes_before = editor.codes();
  const auto result =
      AssignCatalogueFunction(editor.map, c.ref, c.menu_tag, 3,
                              editor.Captions(c.ref.profile, c.language),
                              LanguageTextLookup(c.language));
  EXPECT_EQ(result.outcome, c.outcome);
  EXPECT_EQ(result.caption, c.caption);
  EXPECT_EQ(result.message, c.message);
  const ProfileKeyCodes codes_after = editor.codes();
  const auto& table = ProfileCodes(codes_after, c.ref.profile);
  EXPECT_EQ(table[static_cast<std::size_t>(c.ref.button - 1)], c.code_after);
  // Table and record always agree, and the other profile is untouched.
  const auto bytes = KeyCodeBytes(c.code_after);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(editor.Bytes(c.ref), std::vector<std::uint8_t>(bytes->begin(), bytes->end()));
  EXPECT_EQ(ProfileCodes(editor.codes(), 3 - c.ref.profile),
            ProfileCodes(codes_before, 3 - c.ref.profile));
}

const std::string_view kStr108 = "Left click (Primary button function) must be assigned to a button.";

INSTANTIATE_TEST_SUITE_P(
    ButtonAssignment, LeftClickRule,
    ::testing::Values(
        RuleCase{"RightClickOnOnlyLeftClickIsRefused", kLeftOnButton1, {1, 1}, 901, 1,
                 AssignmentOutcome::kKeepLeftClick, "010100", "Left Click", kStr108},
        // With a combination on button 1 the profile has no Left Click left:
        // a refused change leaves button 6 showing what it still does.
        RuleCase{"RefusedButtonKeepsItsOwnLabel", With(kLeftOnButton1, 1, "020104"), {1, 6}, 901, 1,
                 AssignmentOutcome::kKeepLeftClick, "070000", "DPI +", kStr108},
        RuleCase{"AcceptedWithSecondLeftClick", With(kLeftOnButton1, 8, "010100"), {1, 1}, 901, 1,
                 AssignmentOutcome::kStored, "010200", "Right Click", ""},
        RuleCase{"LeftClickOnANinthButtonCounts", With(kLeftOnButton1, 9, "010100"), {1, 1}, 1004,
                 1, AssignmentOutcome::kStored, "000000", "Disable", ""},
        RuleCase{"LeftClickForTheOnlyLeftClick", kLeftOnButton1, {1, 1}, 900, 1,
                 AssignmentOutcome::kStored, "010100", "Left Click", ""},
        RuleCase{"ForwardOnProfile2Button5", kLeftOnButton1, {2, 5}, 904, 1,
                 AssignmentOutcome::kStored, "011000", "Forward", ""},
        RuleCase{"AimCarriesTheAimValueIndex", kLeftOnButton1, {2, 6}, 1002, 1,
                 AssignmentOutcome::kStored, "0A0300", "AIM", ""},
        RuleCase{"ChineseLabelsAndMessage", kLeftOnButton1, {2, 1}, 1301, 2,
                 AssignmentOutcome::kKeepLeftClick, "010100", "\xE5\xB7\xA6\xE9\x94\xAE",
                 "\xE8\xAF\xB7\xE4\xBF\x9D\xE7\x95\x99\xE4\xB8\x80\xE4\xB8\xAA\xE5\xB7\xA6\xE9\x94\xAE"},
        RuleCase{"ThirdPackMessage", kLeftOnButton1, {1, 1}, 1000, 3,
                 AssignmentOutcome::kKeepLeftClick, "010100", "Left Key", "Please keep a Left Key"},
        RuleCase{"TagOutsideTheCatalogue", kLeftOnButton1, {1, 2}, 905, 1,
                 AssignmentOutcome::kInvalid, "010200", "Right Click", ""},
        RuleCase{"ButtonOutsideOneToNine", kLeftOnButton1, {1, 10}, 901, 1,
                 AssignmentOutcome::kInvalid, "010100", "", ""},
        RuleCase{"ProfileOutsideOneToTwo", kLeftOnButton1, {3, 2}, 901, 1,
                 AssignmentOutcome::kInvalid, "010200", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ButtonAssignment, ForwardLandsInProfileSectionBytes39To41) {
  Editor editor(kLeftOnButton1, kLeftOnButton1);
  ASSERT_TRUE(AssignCatalogueFunction(editor.map, {2, 5}, 904, 0,
                                      editor.Captions(2), LanguageTextLookup(1))
                  .stored());
  ParameterRecord record{};
  EncodeButtonMap(editor.map, record);
  const auto profile = record.SectionBytes(Section::Profile);
  EXPECT_EQ(profile[39], 0x01);
  EXPECT_EQ(profile[40], 0x10);
  EXPECT_EQ(profile[41], 0x00);
}

TEST(ButtonAssignment, RuleComparesTheCaptionsShownNotTheCodes) {
  // Button 1 holds a combination, so no code is the left click; a caption
  // that reads Left Click (not yet redrawn from its code) still satisfies the
  // rule, as in the window.
  Editor editor(With(kLeftOnButton1, 1, "020104"), kLeftOnButton1);
  auto captions = editor.Captions(1);
  EXPECT_FALSE(AssignCatalogueFunction(editor.map, {1, 2}, 1004, 0, captions,
                                       LanguageTextLookup(1))
                   .stored());
  captions[6] = "Left Click";
  EXPECT_TRUE(AssignCatalogueFunction(editor.map, {1, 2}, 1004, 0, captions,
                                      LanguageTextLookup(1))
                  .stored());
}

TEST(ButtonAssignment, CombinationMayReplaceTheLastLeftClick) {
  Editor editor(kLeftOnButton1, kLeftOnButton1);
  const auto result = AssignCombination(editor.map, {1, 1}, "020104", "Ctrl+A");
  EXPECT_TRUE(result.stored());
  EXPECT_EQ(result.caption, "Ctrl+A");
  EXPECT_EQ(result.message, "");
  EXPECT_EQ(editor.codes().ModeA[0], "020104");
  EXPECT_EQ(editor.Bytes({1, 1}), (std::vector<std::uint8_t>{0x02, 0x01, 0x04}));
  // The next redraw shows the label of the code.
  EXPECT_EQ(editor.Captions(1)[0], "Ctrl+A");

  EXPECT_EQ(AssignCombination(editor.map, {1, 1}, "02xx04", "?").outcome,
            AssignmentOutcome::kInvalid);
  EXPECT_EQ(editor.codes().ModeA[0], "020104");
}

TEST(ButtonAssignment, StoreButtonCodeKeepsTablesInUpperCaseAndRefusesBadInput) {
  Editor editor(kLeftOnButton1, kLeftOnButton1);
  EXPECT_TRUE(StoreButtonCode(editor.map, {2, 9}, "0a0b00"));
  EXPECT_EQ(editor.codes().ModeB[8], "0A0B00");
  EXPECT_FALSE(StoreButtonCode(editor.map, {2, 9}, "0A0B0"));
  EXPECT_FALSE(StoreButtonCode(editor.map, {0, 9}, "000000"));
  EXPECT_EQ(editor.codes().ModeB[8], "0A0B00");
}

struct MacroSteps {
  int slot_to_give;
  std::vector<std::string> codes_seen;
  std::vector<int> slots_filled;

  MacroSlotChoice Choice(ButtonRef ref) {
    return [this, ref](const ButtonMap& map) {
      codes_seen.push_back(ButtonCodeText(map.Code(ref)));
      return slot_to_give;
    };
  }
  MacroSlotFill Fill() {
    return [this](int slot) {
      slots_filled.push_back(slot);
      return "0E0" + std::to_string(slot) + "21";
    };
  }
};

TEST(ButtonAssignment, MacroIsPlacedInTheChosenSlotWhileItsButtonCountsAsFree) {
  Editor editor(With(kLeftOnButton1, 3, "060221"), kLeftOnButton1);
  MacroSteps steps{3, {}, {}};
  const auto result = AssignMacro(editor.map, {1, 3}, "Burst", editor.Captions(1),
                                  LanguageTextLookup(1), steps.Choice({1, 3}), steps.Fill());
  EXPECT_TRUE(result.stored());
  EXPECT_EQ(result.caption, "Burst");
  EXPECT_EQ(steps.codes_seen, std::vector<std::string>{"000000"});
  EXPECT_EQ(steps.slots_filled, std::vector<int>{3});
  EXPECT_EQ(editor.codes().ModeA[2], "0E0321");
  EXPECT_EQ(editor.Bytes({1, 3}), (std::vector<std::uint8_t>{0x0E, 0x03, 0x21}));
}

TEST(ButtonAssignment, MacroWithoutFreeSlotChangesNothing) {
  Editor editor(With(kLeftOnButton1, 3, "060221"), kLeftOnButton1);
  const auto captions = editor.Captions(1);
  MacroSteps steps{kNoFreeMacroSlot, {}, {}};
  const auto result = AssignMacro(editor.map, {1, 3}, "Burst", captions,
                                  LanguageTextLookup(1), steps.Choice({1, 3}), steps.Fill());
  EXPECT_EQ(result.outcome, AssignmentOutcome::kNoFreeSlot);
  EXPECT_EQ(result.caption, captions[2]);
  EXPECT_EQ(result.message, "");
  EXPECT_TRUE(steps.slots_filled.empty());
  EXPECT_EQ(editor.codes().ModeA[2], "060221");
  EXPECT_EQ(editor.Bytes({1, 3}), (std::vector<std::uint8_t>{0x06, 0x02, 0x21}));
}

TEST(ButtonAssignment, MacroOnTheLastLeftClickIsRefusedWithoutFillingTheSlot) {
  Editor editor(kLeftOnButton1, kLeftOnButton1);
  MacroSteps steps{1, {}, {}};
  const auto result = AssignMacro(editor.map, {1, 1}, "Burst", editor.Captions(1),
                                  LanguageTextLookup(1), steps.Choice({1, 1}), steps.Fill());
  EXPECT_EQ(result.outcome, AssignmentOutcome::kKeepLeftClick);
  EXPECT_EQ(result.caption, "Left Click");
  EXPECT_EQ(result.message, kStr108);
  EXPECT_TRUE(steps.slots_filled.empty());
  EXPECT_EQ(editor.codes().ModeA[0], "010100");
  EXPECT_EQ(editor.Bytes({1, 1}), (std::vector<std::uint8_t>{0x01, 0x01, 0x00}));
}

}  // namespace
}  // namespace zelko
