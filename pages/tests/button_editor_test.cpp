#include <gtest/gtest.h>

#include <algorithm>

#include "image/factory_images.h"
#include "image/image_codec.h"
#include "keys/key_function_code.h"
#include "keys/language_text.h"
#include "pages/button_editor.h"
#include "pages/button_menu.h"
#include "pages/combo_key_dialog.h"
#include "pages/tests/factory_settings.h"

namespace zelko {
namespace {

using testing::FactorySettings;

struct Page {
  MouseSettings settings = FactorySettings();
  int language = 1;
  TextLookup text() const { return LanguageTextLookup(language); }
  // What Key1 .. Key9 show for a profile after a redraw.
  ProfileCaptions Captions(int profile) const { return ProfileLabels(settings.buttons, profile, text()); }
  std::string Code(ButtonRef ref) const { return ButtonCodeText(settings.buttons.Code(ref)); }
  std::array<std::uint8_t, 3> Bytes(ButtonRef ref) const {
    const ParameterRecord record = EncodedRecord(settings, ParameterRecord{});
    const auto& table = ref.profile == 2 ? record.Profile.ModeB : record.Profile.ModeA;
    const ButtonCode& code = table[static_cast<std::size_t>(ref.button - 1)];
    return {code.type, code.param1, code.param2};
  }
};

TEST(ButtonEditor, FactoryImageHoldsLeftClickOnButtonOneOnly) {
  Page page;
  const auto captions = page.Captions(1);
  EXPECT_EQ(captions[0], "Left Click");
  EXPECT_EQ(std::count(captions.begin(), captions.end(), std::string("Left Click")), 1);
}

TEST(ButtonEditor, RightClickOnTheOnlyLeftClickIsRefusedInEveryLanguage) {
  const char* messages[] = {"Left click (Primary button function) must be assigned to a button.",
                            "\xE8\xAF\xB7\xE4\xBF\x9D\xE7\x95\x99\xE4\xB8\x80\xE4\xB8\xAA\xE5\xB7\xA6\xE9\x94\xAE",
                            "Please keep a Left Key"};
  for (int language = 1; language <= 3; ++language) {
    Page page;
    page.language = language;
    const auto result = AssignMenuEntry(page.settings, {1, 1}, 901, page.Captions(1), page.text());
    EXPECT_EQ(result.outcome, AssignmentOutcome::kKeepLeftClick) << language;
    EXPECT_EQ(result.caption, LanguageTextLookup(language)("Str210")) << language;
    EXPECT_EQ(result.message, messages[language - 1]) << language;
    EXPECT_EQ(page.Code({1, 1}), "010100");
    EXPECT_EQ(page.Bytes({1, 1}), (std::array<std::uint8_t, 3>{0x01, 0x01, 0x00}));
  }
}

TEST(ButtonEditor, WithASecondLeftClickTheSameChoiceIsAccepted) {
  Page page;
  ASSERT_TRUE(StoreButtonCode(page.settings.buttons, {1, 8}, "010100"));
  const auto result = AssignMenuEntry(page.settings, {1, 1}, 901, page.Captions(1), page.text());
  EXPECT_TRUE(result.stored());
  EXPECT_EQ(result.caption, "Right Click");
  EXPECT_EQ(page.Code({1, 1}), "010200");
}

TEST(ButtonEditor, ForwardForProfileTwoButtonFiveLandsInItsBytes) {
  Page page;
  ASSERT_TRUE(StoreButtonCode(page.settings.buttons, {2, 5}, "000000"));
  const auto target = PickedButton({PickSource::kMainPage, 5}, 2);
  ASSERT_TRUE(target);
  const auto result = AssignMenuEntry(page.settings, *target, 904, page.Captions(2), page.text());
  EXPECT_TRUE(result.stored());
  EXPECT_EQ(page.Bytes({2, 5}), (std::array<std::uint8_t, 3>{0x01, 0x10, 0x00}));
  // Profile 1's button 5 is not touched.
  EXPECT_EQ(page.settings.buttons.Code({1, 5}), FactorySettings().buttons.Code({1, 5}));
}

TEST(ButtonEditor, AimTakesTheValueTheAimButtonsCarry) {
  Page page;
  // No AIM button yet: index 0, and the AIM model then knows the value.
  ASSERT_FALSE(page.settings.aim.value_index);
  auto result = AssignMenuEntry(page.settings, {1, 8}, 1002, page.Captions(1), page.text());
  EXPECT_TRUE(result.stored());
  EXPECT_EQ(result.caption, "AIM");
  EXPECT_EQ(page.Code({1, 8}), "0A0000");
  EXPECT_EQ(page.settings.aim.value_index, std::uint8_t{0});
  // With AIM buttons at index 3 a new one gets 3.
  ASSERT_TRUE(SetAimValue(3, page.settings.buttons, page.settings.aim));
  result = AssignMenuEntry(page.settings, {2, 9}, 1002, page.Captions(2), page.text());
  EXPECT_TRUE(result.stored());
  EXPECT_EQ(page.Code({2, 9}), "0A0300");
  EXPECT_EQ(page.Bytes({2, 9}), (std::array<std::uint8_t, 3>{0x0A, 0x03, 0x00}));
}

TEST(ButtonEditor, ACombinationReachesTheButtonOnlyWhenConfirmed) {
  Page page;
  ComboKeyDialogModel dialog;
  dialog.SetModifier(ComboModifier::kCtrl, true);
  ASSERT_TRUE(dialog.KeyPressed('A', false, false, false));
  // Customise empties the hand-over; a Clear leaves it empty and not ready.
  ComboHandOver combo = dialog.Clear();
  EXPECT_FALSE(ApplyComboKey(page.settings, {1, 1}, combo).stored());
  EXPECT_EQ(page.Code({1, 1}), "010100");

  dialog.SetModifier(ComboModifier::kCtrl, true);
  ASSERT_TRUE(dialog.KeyPressed('A', false, false, false));
  combo = dialog.Confirm();
  EXPECT_EQ(combo, (ComboHandOver{"Ctrl+A", "020104", true}));
  // The only Left Click of the profile may go: a combination is exempt.
  const auto result = ApplyComboKey(page.settings, {1, 1}, combo);
  EXPECT_TRUE(result.stored());
  EXPECT_EQ(result.caption, "Ctrl+A");
  EXPECT_EQ(result.message, "");
  EXPECT_EQ(page.Bytes({1, 1}), (std::array<std::uint8_t, 3>{0x02, 0x01, 0x04}));
  // The next redraw labels the code the same way.
  EXPECT_EQ(page.Captions(1)[0], "Ctrl+A");
}

TEST(ButtonEditor, LongPressOptionsFlipTheirBitsAndImages) {
  Page page;
  page.settings.buttons.middle_long_press = false;
  page.settings.buttons.cpi_long_press = false;
  EXPECT_TRUE(FlipLongPress(page.settings.buttons, LongPressOption::kMiddle));
  EXPECT_EQ(LongPressImages(page.settings.buttons),
            (ImageChanges{{"Img_ComboKey1", "CbS_E"}, {"Img_ComboKey2", "CbS_D"}}));
  EXPECT_TRUE(FlipLongPress(page.settings.buttons, LongPressOption::kCpi));
  ParameterRecord record = EncodedRecord(page.settings, ParameterRecord{});
  EXPECT_EQ(record.ParameterA.KeyModeSwitchFlags & 0x03, 0x03);
  EXPECT_FALSE(FlipLongPress(page.settings.buttons, LongPressOption::kMiddle));
  record = EncodedRecord(page.settings, ParameterRecord{});
  EXPECT_EQ(record.ParameterA.KeyModeSwitchFlags & 0x03, 0x02);
  EXPECT_EQ(LongPressImages(page.settings.buttons),
            (ImageChanges{{"Img_ComboKey1", "CbS_D"}, {"Img_ComboKey2", "CbS_E"}}));
}

}  // namespace
}  // namespace zelko
