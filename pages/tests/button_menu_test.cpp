#include <gtest/gtest.h>

#include <set>
#include <string>

#include "keys/function_catalogue.h"
#include "pages/button_menu.h"

namespace zelko {
namespace {

// The shipped layout: background 900 x 660, labels 200 x 36, M_L_W 150,
// SP_L_W 160, O_L_W 154.
constexpr MenuSize kArea{900, 660};
constexpr MenuSize kMainMenu{150, 170};

struct MainPlacementCase {
  const char* name;
  MenuRect label;
  MenuSize area;
  MenuPoint expected;
};

class MainMenuPlacement : public testing::TestWithParam<MainPlacementCase> {};

TEST_P(MainMenuPlacement, OpensAtTheLabelsCentre) {
  const auto& c = GetParam();
  EXPECT_EQ(PlaceMainMenuBesideLabel(c.label, kMainMenu, c.area), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MainMenuPlacement,
    testing::Values(
        // Key1 of the shipped pack: room to the right and below.
        MainPlacementCase{"LeftPartOpensRightAndDown", {216, 172, 200, 36}, kArea, {316, 190}},
        // Key2: in the right part of the window the menu opens to the left.
        MainPlacementCase{"RightPartOpensLeft", {668, 132, 200, 36}, kArea, {618, 150}},
        // Near the bottom it opens upwards from the centre.
        MainPlacementCase{"NearTheBottomOpensUp", {216, 500, 200, 36}, kArea, {316, 348}},
        MainPlacementCase{"RightAndBottomOpensLeftAndUp", {668, 500, 200, 36}, kArea, {618, 348}},
        // The tests are strict: exactly at the edge counts as no room.
        MainPlacementCase{"RightEdgeExactlyReachedOpensLeft", {550, 100, 200, 36}, kArea, {500, 118}},
        MainPlacementCase{"OnePixelShortOfTheRightEdgeOpensRight", {549, 100, 200, 36}, kArea, {649, 118}},
        MainPlacementCase{"BottomEdgeExactlyReachedOpensUp", {100, 454, 200, 36}, kArea, {200, 302}},
        MainPlacementCase{"OnePixelShortOfTheBottomOpensDown", {100, 453, 200, 36}, kArea, {200, 471}},
        // An odd label size: the centre is taken with integer division.
        MainPlacementCase{"OddSizesDivideDown", {10, 10, 201, 37}, kArea, {110, 28}}),
    [](const testing::TestParamInfo<MainPlacementCase>& info) { return std::string(info.param.name); });

struct PanelPlacementCase {
  const char* name;
  MenuRect main_menu;
  MenuRect entry;
  MenuSize panel;
  MenuPoint expected;
};

class CategoryPanelPlacement : public testing::TestWithParam<PanelPlacementCase> {};

TEST_P(CategoryPanelPlacement, OpensBesideTheCategoryEntry) {
  const auto& c = GetParam();
  EXPECT_EQ(PlaceCategoryPanel(c.main_menu, c.entry, c.panel, 160, kArea), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CategoryPanelPlacement,
    testing::Values(
        // Button (row 0) beside a menu opened from Key1: right of the menu, two pixels apart.
        PanelPlacementCase{"RoomOnTheRight", {316, 190, 150, 170}, {0, 1, 150, 24}, {154, 122}, {468, 191}},
        // The Advance panel's width decides: 450 + 150 + 160 = 760 < 900 still opens right ...
        PanelPlacementCase{"AdvanceWidthStillFits", {450, 190, 150, 170}, {0, 1, 150, 24}, {154, 122}, {602, 191}},
        // ... 590 + 150 + 160 = 900 does not, and the panel goes to the menu's left.
        PanelPlacementCase{"AdvanceWidthDecidesTheSide", {590, 150, 150, 170}, {0, 1, 150, 24}, {154, 122}, {436, 151}},
        // Media (row 2, 170 high) from a menu low in the window opens upwards,
        // its bottom at the entry's bottom.
        PanelPlacementCase{"NearTheBottomOpensUp", {316, 440, 150, 170}, {0, 49, 150, 24}, {154, 170}, {468, 343}},
        // 440 + 49 + 24 + 146 = 659 < 660: still downwards.
        PanelPlacementCase{"OnePixelShortOfTheBottomOpensDown", {316, 440, 150, 170}, {0, 49, 150, 24}, {154, 146}, {468, 489}}),
    [](const testing::TestParamInfo<PanelPlacementCase>& info) { return std::string(info.param.name); });

struct DpiPlacementCase {
  const char* name;
  MenuRect main_menu;
  MenuRect advance;
  MenuPoint expected;
};

class DpiPanelPlacement : public testing::TestWithParam<DpiPlacementCase> {};

TEST_P(DpiPanelPlacement, OpensBesideTheAdvancePanel) {
  const auto& c = GetParam();
  const MenuRect dpi_entry{0, 1, 160, 24};
  EXPECT_EQ(PlaceDpiPanel(c.main_menu, c.advance, dpi_entry, {154, 74}, kArea), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DpiPanelPlacement,
    testing::Values(
        // 316 + 150 + 160 + 154 = 780 < 900: right of the Advance panel.
        DpiPlacementCase{"RoomOnTheRight", {316, 190, 150, 170}, {468, 215, 160, 170}, {630, 216}},
        // 500 + 150 + 160 + 154 = 964: left of the Advance panel.
        DpiPlacementCase{"NoRoomOpensLeftOfAdvance", {500, 190, 150, 170}, {652, 215, 160, 170}, {498, 216}},
        // 590 + 1 + 74 = 665 >= 660: upwards, bottom at the entry's bottom.
        DpiPlacementCase{"NearTheBottomOpensUp", {316, 500, 150, 170}, {468, 590, 160, 170}, {630, 541}},
        // The entry's height is no part of the vertical test: 584 + 1 + 74 = 659.
        DpiPlacementCase{"EntryHeightIsNotCounted", {316, 500, 150, 170}, {468, 584, 160, 170}, {630, 585}}),
    [](const testing::TestParamInfo<DpiPlacementCase>& info) { return std::string(info.param.name); });

TEST(EngineerMenuPlacement, AboveTheButtonOnTheRightWhenTheAreaIsNarrow) {
  EngineerButtonPlace place;
  place.button = {100, 40, 120, 26};
  place.parameter_area_width = 1000;
  place.parameter_area_top = 50;
  place.group_top = 20;
  // 40 + 50 + 20 - 170 + 38 = -22: above the button.
  EXPECT_EQ(PlaceMainMenuOnEngineerPage(place, kMainMenu), (MenuPoint{110, -22}));
  place.button.left = 900;  // 1000 < 900 + 150
  EXPECT_EQ(PlaceMainMenuOnEngineerPage(place, kMainMenu), (MenuPoint{900 + 120 - 150 + 10, -22}));
}

TEST(MenuEntries, AssignableEntriesCarryTheCataloguesTagsAndLabels) {
  std::set<int> tags;
  for (const auto& entry : MenuEntries()) {
    if (entry.kind != MenuEntryKind::kAssign) continue;
    const auto* catalogue = FindCatalogueEntry(entry.tag);
    ASSERT_NE(catalogue, nullptr) << entry.name;
    EXPECT_EQ(entry.text_id, catalogue->label_id) << entry.name;
    EXPECT_FALSE(entry.name.empty()) << entry.tag;
    tags.insert(entry.tag);
  }
  // Every catalogue entry but tag 1003 has its menu entry.
  for (const auto& catalogue : FunctionCatalogue()) {
    EXPECT_EQ(tags.count(catalogue.menu_tag), catalogue.menu_tag == 1003 ? 0u : 1u) << catalogue.menu_tag;
  }
}

TEST(MenuEntries, PanelsInTheDesignsOrder) {
  const auto row = [](const char* name) {
    const MenuEntry* entry = FindMenuEntry(name);
    return entry ? entry->row : -1;
  };
  EXPECT_EQ(row("Key_Standard"), 0);
  EXPECT_EQ(row("Key_Assembly"), 5);
  EXPECT_EQ(row("Key_Macro"), 6);
  EXPECT_EQ(row("Key_CPIKey"), 0);
  EXPECT_EQ(row("Key_Fire"), 1);
  EXPECT_EQ(row("Key_AIMKey"), 2);
  EXPECT_EQ(row("Key_KeyOff"), 6);
  EXPECT_EQ(row("Key_Desktop"), 2);
  EXPECT_EQ(row("Key_EMail"), 3);  // below the PC panel's height
  EXPECT_EQ(FindMenuEntry("Key_Left")->panel, MenuPanel::kMouseKeys);
  EXPECT_EQ(FindMenuEntry("Key_CPID")->panel, MenuPanel::kDpi);
  EXPECT_EQ(FindMenuEntry("Key_Macro")->opens, MenuPanel::kMacroList);
  EXPECT_EQ(FindMenuEntry("Nope"), nullptr);
}

TEST(MenuPanelSize, HeightsOfTheDesign) {
  MenuLayout layout;
  EXPECT_EQ(MenuPanelSize(MenuPanel::kMain, layout), (MenuSize{150, 170}));
  layout.macro_entry_shown = false;  // Btn_B11_Enable other than 1
  EXPECT_EQ(MenuPanelSize(MenuPanel::kMain, layout), (MenuSize{150, 146}));
  EXPECT_EQ(MenuPanelSize(MenuPanel::kAdvance, layout), (MenuSize{160, 170}));
  EXPECT_EQ(MenuPanelSize(MenuPanel::kPc, layout).height, 74);  // three rows shown
  const MenuRect email = MenuEntryRect(*FindMenuEntry("Key_EMail"), layout);
  EXPECT_GE(email.top, MenuPanelSize(MenuPanel::kPc, layout).height - 2);
  EXPECT_EQ(MenuEntryRect(*FindMenuEntry("Key_Media"), layout), (MenuRect{0, 49, 150, 24}));
}

TEST(PickedButton, MainPageFollowsTheShownProfileEngineerPageItsNumber) {
  EXPECT_EQ(PickedButton({PickSource::kMainPage, 4}, 1), (ButtonRef{1, 4}));
  EXPECT_EQ(PickedButton({PickSource::kMainPage, 4}, 2), (ButtonRef{2, 4}));
  EXPECT_EQ(PickedButton({PickSource::kEngineerPage, 109}, 2), (ButtonRef{1, 9}));
  EXPECT_EQ(PickedButton({PickSource::kEngineerPage, 205}, 1), (ButtonRef{2, 5}));
  EXPECT_EQ(PickedButton({PickSource::kEngineerPage, 210}, 1), std::nullopt);
  EXPECT_EQ(PickedButton({PickSource::kMainPage, 0}, 1), std::nullopt);
}

class ButtonMenuTest : public testing::Test {
 protected:
  MenuLayout Layout() const {
    MenuLayout layout;
    layout.area = kArea;
    return layout;
  }
  ButtonMenu menu_{Layout()};
};

TEST_F(ButtonMenuTest, OpeningShowsOnlyTheCategoriesAndRecordsThePick) {
  EXPECT_FALSE(menu_.anyShown());
  menu_.OpenForMainPage(2, {668, 132, 200, 36});
  EXPECT_TRUE(menu_.shown(MenuPanel::kMain));
  EXPECT_EQ(menu_.rect(MenuPanel::kMain), (MenuRect{618, 150, 150, 170}));
  for (const MenuPanel panel : kAllMenuPanels) {
    EXPECT_EQ(menu_.shown(panel), panel == MenuPanel::kMain) << MenuPanelName(panel);
  }
  EXPECT_EQ(menu_.pick(), (ButtonPick{PickSource::kMainPage, 2}));
}

TEST_F(ButtonMenuTest, HoveringACategoryOpensItsPanelAndClosesTheOthers) {
  menu_.OpenForMainPage(1, {216, 172, 200, 36});  // menu at 316, 190
  menu_.Enter("Key_Special");
  EXPECT_EQ(menu_.highlighted(), "Key_Special");
  EXPECT_TRUE(menu_.shown(MenuPanel::kAdvance));
  EXPECT_EQ(menu_.rect(MenuPanel::kAdvance).place(), (MenuPoint{468, 215}));
  menu_.Enter("Key_CPIKey");
  EXPECT_TRUE(menu_.shown(MenuPanel::kDpi));
  EXPECT_EQ(menu_.rect(MenuPanel::kDpi).place(), (MenuPoint{630, 216}));
  EXPECT_EQ(menu_.highlighted(), "Key_CPIKey");
  menu_.Leave("Key_CPIKey");
  EXPECT_EQ(menu_.highlighted(), "");
  // Another entry of the Advance panel closes the DPI panel.
  menu_.Enter("Key_Fire");
  EXPECT_FALSE(menu_.shown(MenuPanel::kDpi));
  EXPECT_TRUE(menu_.shown(MenuPanel::kAdvance));
  // Another category replaces the Advance panel.
  menu_.Enter("Key_Media");
  EXPECT_TRUE(menu_.shown(MenuPanel::kMedia));
  EXPECT_FALSE(menu_.shown(MenuPanel::kAdvance));
  EXPECT_TRUE(menu_.shown(MenuPanel::kMain));
  menu_.Enter("Key_Macro");
  EXPECT_TRUE(menu_.shown(MenuPanel::kMacroList));
  EXPECT_FALSE(menu_.shown(MenuPanel::kMedia));
}

TEST_F(ButtonMenuTest, CustomiseClosesEveryEntryPanel) {
  menu_.OpenForMainPage(1, {216, 172, 200, 36});
  menu_.Enter("Key_Special");
  menu_.Enter("Key_CPIKey");
  menu_.Enter("Key_Assembly");
  for (const MenuPanel panel : kAllMenuPanels) {
    EXPECT_EQ(menu_.shown(panel), panel == MenuPanel::kMain) << MenuPanelName(panel);
  }
}

TEST_F(ButtonMenuTest, HideAllClosesEverythingButKeepsThePick) {
  menu_.OpenForMainPage(7, {668, 356, 200, 36});
  menu_.Enter("Key_WWW");
  menu_.HideAll();
  EXPECT_FALSE(menu_.anyShown());
  EXPECT_EQ(menu_.highlighted(), "");
  EXPECT_EQ(menu_.pick(), (ButtonPick{PickSource::kMainPage, 7}));
  menu_.Enter("Unknown");
  EXPECT_FALSE(menu_.anyShown());
}

TEST_F(ButtonMenuTest, AMacroChoiceClosesTheCategoriesAndTheList) {
  menu_.OpenForMainPage(3, {668, 188, 200, 36});
  menu_.Enter("Key_Macro");
  menu_.HideMainAndMacroList();
  EXPECT_FALSE(menu_.anyShown());
}

}  // namespace
}  // namespace zelko
