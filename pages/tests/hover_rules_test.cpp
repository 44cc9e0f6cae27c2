#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/button_families.h"
#include "pages/hover_rules.h"

namespace zelko {
namespace {

std::vector<std::string> Describe(const ImageChanges& changes) {
  std::vector<std::string> out;
  for (const auto& change : changes) out.push_back(change.control + "=" + change.image);
  return out;
}

std::vector<std::string> FourCopies(const std::string& button, const std::string& image) {
  return Describe(AllCopies(button, image));
}

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct LabelCase {
  const char* label;
  bool known;
  std::string button;
  int copy;
  ButtonFamily family;
};

TEST(ButtonFamilies, LabelNamesParseToTheirButton) {
  const std::vector<LabelCase> cases = {
      {"Btn_Apply_2", true, "Apply", 2, ButtonFamily::Action},
      {"Btn_Confirm3_4", true, "Confirm3", 4, ButtonFamily::Action},
      {"Btn_Adv_1", true, "Adv", 1, ButtonFamily::Tab},
      {"Btn_Lang2_3", true, "Lang2", 3, ButtonFamily::Language},
      {"Btn_Web_1", true, "Web", 1, ButtonFamily::Web},
      {"Key9", true, "Key9", 0, ButtonFamily::KeyFrame},
      {"Btn_Main_6", false, "", 0, {}},  // the engineer page's copy is no skinned button
      {"Btn_Nope_1", false, "", 0, {}},
      {"Btn__1", false, "", 0, {}},
      {"Btn_Apply_", false, "", 0, {}},
      {"Btn_Apply1", false, "", 0, {}},
      {"Btn_Apply_12", false, "", 0, {}},
      {"Img_Apply_1", false, "", 0, {}},
      {"Key0", false, "", 0, {}},
      {"Key10", false, "", 0, {}},
      {"", false, "", 0, {}},
  };
  for (const auto& c : cases) {
    const auto ref = ParseButtonLabel(c.label);
    ASSERT_EQ(ref.has_value(), c.known) << c.label;
    if (!c.known) continue;
    EXPECT_EQ(ref->name, c.button) << c.label;
    EXPECT_EQ(ref->copy, c.copy) << c.label;
    EXPECT_EQ(ref->family, c.family) << c.label;
    // The name rebuilds from the parts.
    if (c.copy != 0) {
      EXPECT_EQ(ButtonLabelName(ref->name, ref->copy), c.label);
    }
  }
  EXPECT_EQ(ButtonImageName("Apply", 2), "Img_Apply_2");
  EXPECT_EQ(ButtonImageName("Key3", 0), "Img_Key3");
}

struct PictureCase {
  const char* label;
  bool locked;
  bool device;
  std::vector<std::string> enter;
  std::vector<std::string> leave;
};

TEST(HoverRules, HoverAndLeavePictures) {
  // The Light page is active and language 2 is checked in every row.
  const std::vector<PictureCase> cases = {
      {"Btn_Adv_2", false, true, {"Img_Adv_2=SetS_02"},
       Join({"Img_Adv_2=SetS_01"}, FourCopies("Breath", "SetS_03"))},
      // Under the page lock the tab only loses its hover look.
      {"Btn_Adv_2", true, true, {"Img_Adv_2=SetS_02"}, {"Img_Adv_2=SetS_01"}},
      {"Btn_Lang3_1", false, true, {"Img_Lang3_1=SetS_02"},
       Join({"Img_Lang3_1=SetS_01"}, FourCopies("Lang2", "SetS_03"))},
      {"Btn_Read_3", false, false, FourCopies("Read", "BtnS_02"), FourCopies("Read", "BtnS_01")},
      {"Btn_Exit_1", false, false, FourCopies("Exit", "ExitS_02"), FourCopies("Exit", "ExitS_01")},
      {"Btn_Mini_4", false, false, FourCopies("Mini", "MiniS_02"), FourCopies("Mini", "MiniS_01")},
      {"Btn_Web_1", false, true, FourCopies("Web", "WebS_03"), FourCopies("Web", "WebS_01")},
      {"Btn_Web_1", false, false, {}, {}},  // no mouse: the web button keeps its look
      {"Key4", false, false, {"Img_Key4=KeyS_02"}, {"Img_Key4=KeyS_01"}},
  };
  for (const auto& c : cases) {
    const HoverContext context{Page::Light, c.locked, 2, c.device};
    const auto ref = ParseButtonLabel(c.label);
    ASSERT_TRUE(ref) << c.label;
    EXPECT_EQ(Describe(HoverEnterImages(*ref, context)), c.enter) << c.label;
    EXPECT_EQ(Describe(HoverLeaveImages(*ref, context)), c.leave) << c.label;
  }
}

TEST(HoverRules, PressedLooks) {
  EXPECT_EQ(Describe(PressImages(*ParseButtonLabel("Btn_Apply_1"))), FourCopies("Apply", "BtnS_03"));
  EXPECT_EQ(Describe(PressImages(*ParseButtonLabel("Btn_Web_2"))), FourCopies("Web", "WebS_02"));
  EXPECT_TRUE(PressImages(*ParseButtonLabel("Btn_Main_1")).empty());
}

const HoverContext kContext{};

TEST(HoverModel, HoverRollsTheCaptionAndLeaveGivesItBack) {
  HoverModel hover;
  const HoverEffects entered = hover.Enter("Btn_Apply_2", "确认", true, kContext);
  EXPECT_EQ(Describe(entered.images), FourCopies("Apply", "BtnS_02"));
  EXPECT_EQ(entered.timer, TimerChange::Start);
  EXPECT_TRUE(entered.captions.empty());

  EXPECT_EQ(hover.Tick(true), (CaptionChange{"Btn_Apply_2", "认    确"}));
  EXPECT_EQ(hover.Tick(false), std::nullopt);  // rolling switched off: the caption stays

  const HoverEffects left = hover.Leave("Btn_Apply_2", kContext);
  EXPECT_EQ(Describe(left.images), FourCopies("Apply", "BtnS_01"));
  EXPECT_EQ(left.captions, (std::vector<CaptionChange>{{"Btn_Apply_2", "确认"}}));
  EXPECT_EQ(left.timer, TimerChange::Stop);
  EXPECT_EQ(hover.Tick(true), std::nullopt);
}

TEST(HoverModel, AMissedLeaveIsMadeUpBeforeTheNextButtonRolls) {
  HoverModel hover;
  hover.Enter("Btn_Read_1", "Read", true, kContext);
  hover.Tick(true);
  const HoverEffects entered = hover.Enter("Key3", "DPI +", true, kContext);
  EXPECT_EQ(Describe(entered.images), Join({"Img_Key3=KeyS_02"}, FourCopies("Read", "BtnS_01")));
  EXPECT_EQ(entered.captions, (std::vector<CaptionChange>{{"Btn_Read_1", "Read"}}));
  EXPECT_EQ(entered.timer, TimerChange::Start);
  EXPECT_EQ(hover.roll().labelName(), "Key3");
}

TEST(HoverModel, ButtonsThatDoNotRoll) {
  HoverModel hover;
  // A disabled label shows its hover picture; its caption waits for no timer.
  EXPECT_EQ(hover.Enter("Key3", "DPI +", false, kContext).timer, TimerChange::None);
  // The web button never rolls, and does not end another button's roll.
  const HoverContext connected{Page::Main, false, 1, true};
  EXPECT_EQ(hover.Enter("Btn_Web_1", "", true, connected).timer, TimerChange::None);
  EXPECT_EQ(hover.Leave("Btn_Web_1", connected).timer, TimerChange::None);
  EXPECT_EQ(hover.roll().labelName(), "Key3");
  // Leaving a label that is not the rolling one changes only its picture.
  const HoverEffects other = hover.Leave("Btn_Apply_1", kContext);
  EXPECT_TRUE(other.captions.empty());
  EXPECT_EQ(other.timer, TimerChange::None);
  // A name of no button does nothing at all.
  EXPECT_TRUE(hover.Enter("lbl_DPI1", "800", true, kContext).images.empty());
}

TEST(HoverModel, ALanguageSwitchUnderTheMouseChangesWhatLeaveRestores) {
  HoverModel hover;
  hover.Enter("Btn_Lang2_1", "Chinese", true, kContext);
  hover.Tick(true);
  hover.RememberCaption("Btn_Lang2_2", "中文");  // another copy: not the rolling label
  hover.RememberCaption("Btn_Lang2_1", "中文");
  EXPECT_EQ(hover.Leave("Btn_Lang2_1", kContext).captions,
            (std::vector<CaptionChange>{{"Btn_Lang2_1", "中文"}}));
}

}  // namespace
}  // namespace zelko
