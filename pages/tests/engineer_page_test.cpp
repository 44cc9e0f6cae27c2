// The engineer page without widgets: the logo counter and the access code,
// the identity edits' clamping, and edits on the page's plain controls
// landing in the settings while keeping what other pages changed.
#include <gtest/gtest.h>

#include <set>

#include "pages/engineer_mode.h"
#include "pages/engineer_page_model.h"
#include "pages/engineer_page_table.h"
#include "pages/tests/factory_settings.h"

namespace zelko {
namespace {

using testing::FactorySettings;

// Double-clicks the logo `times` times and returns the last outcome.
LogoOutcome DoubleClick(EngineerMode& mode, int times) {
  LogoOutcome last = LogoOutcome::kCounted;
  for (int i = 0; i < times; ++i) last = mode.LogoDoubleClicked();
  return last;
}

TEST(EngineerMode, EveryFifthDoubleClickAsksForTheCode) {
  EngineerMode mode;
  EXPECT_EQ(DoubleClick(mode, 4), LogoOutcome::kCounted);
  EXPECT_EQ(mode.LogoDoubleClicked(), LogoOutcome::kAskPassword);
  EXPECT_FALSE(mode.on());
}

TEST(EngineerMode, AWrongCodeCostsFiveMoreDoubleClicks) {
  EngineerMode mode;
  ASSERT_EQ(DoubleClick(mode, 5), LogoOutcome::kAskPassword);
  // Compared exactly: other case, a trailing space, a prefix.
  for (const char* wrong : {"tovarikqmbvn", "TovarikQMBVN ", "TovarikQMBV", ""}) {
    EXPECT_FALSE(mode.PasswordEntered(wrong)) << wrong;
  }
  EXPECT_EQ(DoubleClick(mode, 4), LogoOutcome::kCounted);
  EXPECT_EQ(mode.LogoDoubleClicked(), LogoOutcome::kAskPassword);
  EXPECT_EQ(mode.logoClickCount(), 10);
}

TEST(EngineerMode, TheCodeTurnsItOnAndADoubleClickTurnsItOff) {
  EngineerMode mode;
  EXPECT_EQ(mode.effects(), (EngineerModeEffects{false, false, false, false}));
  ASSERT_EQ(DoubleClick(mode, 5), LogoOutcome::kAskPassword);
  EXPECT_TRUE(mode.PasswordEntered(kEngineerAccessCode));
  EXPECT_EQ(mode.effects(), (EngineerModeEffects{true, true, true, true}));

  EXPECT_EQ(mode.LogoDoubleClicked(), LogoOutcome::kTurnedOff);
  EXPECT_EQ(mode.effects(), (EngineerModeEffects{false, false, false, false}));
  // The count went on from where it was: the next ask is at ten.
  EXPECT_EQ(mode.logoClickCount(), 5);
  EXPECT_EQ(DoubleClick(mode, 5), LogoOutcome::kAskPassword);
}

struct EngineerPage : ::testing::Test {
  MouseSettings settings = FactorySettings();
  EngineerPageModel model;
  void SetUp() override { model.Refresh(settings); }
};

TEST_F(EngineerPage, IdentityEditsClampAndReachTheSettings) {
  struct Case {
    const char* typed;
    const char* shown;
    int code;
  };
  const Case cases[] = {
      {"300", "255", 255}, {"", "255", 255}, {"42", "42", 42}, {"0", "0", 0}, {"1234", "123", 123}, {"999", "255", 255},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(model.EditIdentity(settings, IdentityCode::kVendor, c.typed), c.shown) << c.typed;
    EXPECT_EQ(settings.options.manufacturer_code, c.code) << c.typed;
  }
  EXPECT_EQ(model.EditIdentity(settings, IdentityCode::kProduct, "7"), "7");
  EXPECT_EQ(settings.options.product_code, 7);
  EXPECT_EQ(settings.options.manufacturer_code, 255);
}

TEST_F(EngineerPage, AnEditKeepsWhatAnotherPageChangedSinceTheRefresh) {
  // The Advanced page changed the fire interval after the engineer page was
  // last drawn; an identity edit here must not put the old interval back.
  settings.fire.interval = 9;
  settings.dpi.count = 3;
  (void)model.EditIdentity(settings, IdentityCode::kVendor, "12");
  EXPECT_EQ(settings.fire.interval, 9);
  EXPECT_EQ(settings.dpi.count, 3);
  EXPECT_EQ(settings.options.manufacturer_code, 12);
}

TEST_F(EngineerPage, ListsAndChecksReachTheSettings) {
  ASSERT_TRUE(model.SelectLevelCount(settings, 2));
  EXPECT_EQ(settings.dpi.count, 4);
  EXPECT_EQ(settings.dpi.current, 3);  // the highest level becomes current
  EXPECT_FALSE(model.controls().levels[4].shown);

  ASSERT_TRUE(model.SelectLevelValue(settings, 2, 10));
  EXPECT_EQ(settings.dpi.levels[1].value_index, 10);

  ASSERT_TRUE(model.SelectSensorOrientation(settings, 1));  // 90 degrees
  EXPECT_EQ(settings.options.sensor_orientation, 2);

  model.SetModeOffered(settings, 3, false);
  EXPECT_FALSE(settings.lighting.modes_offered[2]);
  EXPECT_EQ(model.controls().current_mode_items[2], kModeNotOffered);

  model.Choose(settings, EngineerPair::kFireFunction, true);
  EXPECT_TRUE(settings.fire.on_fn_left);

  model.SetLongPress(settings, LongPressKey::kGun, true);
  model.SetLongPress(settings, LongPressKey::kMiddle, true);
  EXPECT_TRUE(settings.buttons.gun_long_press);
  EXPECT_TRUE(settings.buttons.middle_long_press);

  EXPECT_EQ(model.EditLevelColour(settings, 1, ColourChannel::kGreen, "300"), "255");
  EXPECT_EQ(settings.dpi.levels[0].colour.g, 255);
  EXPECT_EQ(model.EditKeyModeColour(settings, 2, ColourChannel::kBlue, ""), "0");
  EXPECT_EQ(settings.lighting.key_mode_colours[1].b, 0);
}

TEST_F(EngineerPage, NotSavingTheKeyModeForcesModeAAndLocksTheList) {
  ASSERT_TRUE(model.SelectKeyMode(settings, 1));
  EXPECT_EQ(settings.buttons.key_mode, KeyMode::kB);
  model.Choose(settings, EngineerPair::kKeyModeSaving, false);
  EXPECT_FALSE(settings.lighting.key_mode_saved);
  EXPECT_EQ(settings.buttons.key_mode, KeyMode::kA);
  EXPECT_FALSE(model.SelectKeyMode(settings, 1));
  EXPECT_EQ(settings.buttons.key_mode, KeyMode::kA);
}

TEST_F(EngineerPage, TheLedTypeRadioSwitchesTheTypeAndTheGroups) {
  ASSERT_EQ(settings.lighting.type, LedType::kMcu);
  EXPECT_TRUE(model.layout().level_rgb);
  model.Choose(settings, EngineerPair::kLedType, true);
  EXPECT_EQ(settings.lighting.type, LedType::kNormal);
  EXPECT_TRUE(model.layout().level_palette);
  EXPECT_FALSE(model.layout().level_rgb);
}

TEST_F(EngineerPage, LedCountAndStepEditsFollowTheirRules) {
  EXPECT_EQ(model.EditLedCount(settings, "14"), "13");
  EXPECT_EQ(settings.lighting.led_count, 13);
  // A lone "1" stays while typing and the count keeps its value; leaving
  // turns it into 4.
  EXPECT_EQ(model.EditLedCount(settings, "1"), "1");
  EXPECT_EQ(settings.lighting.led_count, 13);
  EXPECT_EQ(model.LeaveLedCount(settings, "1"), "4");
  EXPECT_EQ(settings.lighting.led_count, 4);
  EXPECT_EQ(model.EditMcuStep(settings, "9"), "7");
  EXPECT_EQ(settings.lighting.step, 7);
  EXPECT_EQ(model.EditFireTime(settings, ""), "100");
  EXPECT_EQ(settings.fire.interval, 100);
}

const EngineerControlRow& RowOf(std::string_view name) {
  for (const EngineerControlRow& row : EngineerPageRows()) {
    if (row.name == name) return row;
  }
  ADD_FAILURE() << "no row " << name;
  static const EngineerControlRow none;
  return none;
}

TEST(EngineerPageTable, EachNameOnceAndEveryParentBeforeItsChildren) {
  std::set<std::string> seen;
  for (const EngineerControlRow& row : EngineerPageRows()) {
    EXPECT_TRUE(row.parent.empty() || seen.contains(row.parent)) << row.name << " under " << row.parent;
    if (row.name.empty()) continue;
    EXPECT_TRUE(seen.insert(row.name).second) << row.name;
    EXPECT_TRUE(row.kind != EngineerControlKind::kEdit || row.max_length > 0) << row.name;
    EXPECT_TRUE(row.hint.empty() || !row.hint.chinese.empty()) << row.name;
  }
  // The eighteen selectors, 7 levels with 5 controls each, 7 mode boxes.
  std::set<int> selectors;
  for (const EngineerControlRow& row : EngineerPageRows()) {
    if (row.kind == EngineerControlKind::kKeySelector) selectors.insert(row.selector);
  }
  EXPECT_EQ(selectors.size(), 18u);
  EXPECT_TRUE(selectors.contains(101) && selectors.contains(209));
  EXPECT_TRUE(seen.contains("edt_CPI7B") && seen.contains("cb_CPI7Color") && seen.contains("cb_Mode7"));
}

TEST(EngineerPageTable, EngineerModeOpensTheTabTheDefaultButtonTheLedTypeAndTheOrientation) {
  const EngineerModeEffects locked{};
  const EngineerModeEffects unlocked{true, true, true, true};
  std::set<std::string> gated;
  for (const EngineerControlRow& row : EngineerPageRows()) {
    if (row.gate == EngineerGate::kNone) continue;
    gated.insert(row.name);
    EXPECT_FALSE(GateOpen(row.gate, locked)) << row.name;
    EXPECT_TRUE(GateOpen(row.gate, unlocked)) << row.name;
  }
  EXPECT_EQ(gated, (std::set<std::string>{"ts_Engineer", "Btn_Default", "gbLEDType", "rb_NorLED", "rb_MCULED",
                                          "lbl_SensorOri", "cb_SensorOri"}));
}

TEST_F(EngineerPage, RowsWriteTheSettingsAndReadBackWhatTheControlShows) {
  const auto write = [this](std::string_view name, EngineerInput input) {
    return RowOf(name).write(model, settings, input);
  };
  const auto read = [this](std::string_view name) { return RowOf(name).read(model); };

  EXPECT_EQ(write("edt_ProductID", {.text = "300"}).text, "255");
  EXPECT_EQ(read("edt_ProductID").text, "255");
  EXPECT_EQ(settings.options.product_code, 255);

  (void)write("cb_CPIStep", {.index = 2});
  EXPECT_EQ(settings.dpi.count, 4);
  EXPECT_EQ(read("cb_CPIStep").index, 2);
  EXPECT_EQ(read("cb_CurrentCPI").items->size(), 4u);
  EXPECT_TRUE(RowOf("cb_CPI4").shown(model));
  EXPECT_FALSE(RowOf("cb_CPI5").shown(model));
  EXPECT_FALSE(RowOf("lbl_CPI5").shown(model));

  (void)write("edt_CPI2G", {.text = "77"});
  EXPECT_EQ(settings.dpi.levels[1].colour.g, 77);
  EXPECT_EQ(read("edt_CPI2G").text, "77");

  (void)write("cb_Mode3", {.on = false});
  EXPECT_FALSE(settings.lighting.modes_offered[2]);
  EXPECT_EQ(read("cb_MCULEDCurrentMode").items->at(2), (EngineerText{std::nullopt, "------"}));
  EXPECT_EQ(read("cb_MCULEDCurrentMode").items->at(0), (EngineerText{EngineerTermId::kMode1, {}}));

  // A radio pair: the side that is checked chooses; the other is read as
  // unchecked.
  (void)write("rb_NorLED", {.on = true});
  EXPECT_EQ(settings.lighting.type, LedType::kNormal);
  EXPECT_EQ(read("rb_NorLED").checked, std::optional<bool>(true));
  EXPECT_EQ(read("rb_MCULED").checked, std::optional<bool>(false));
  EXPECT_TRUE(RowOf("cb_CPI1Color").shown(model));
  EXPECT_FALSE(RowOf("edt_CPI1R").shown(model));
  (void)write("rb_MCULED", {.on = false});  // the pair's other button unchecking itself
  EXPECT_EQ(settings.lighting.type, LedType::kNormal);

  (void)write("cb_GunPress", {.on = true});
  EXPECT_TRUE(settings.buttons.gun_long_press);
  EXPECT_EQ(read("cb_GunPress").checked, std::optional<bool>(true));

  // Leaving the LED count puts a lone digit into range.
  EXPECT_EQ(write("edt_MCULEDNum", {.text = "1"}).text, "1");
  EXPECT_EQ(RowOf("edt_MCULEDNum").leave(model, settings, {.text = "1"}).text, "4");
  EXPECT_EQ(settings.lighting.led_count, 4);
}

TEST_F(EngineerPage, TheAimListWithoutAnAimButtonSaysSo) {
  // Factory image 1 puts no AIM function on any button.
  EXPECT_FALSE(RowOf("cb_AIMKeyValue").write(model, settings, {.index = 3}).message.empty());
}

TEST_F(EngineerPage, TheReportedIdentityShowsOnItsReadOnlyEdits) {
  EXPECT_EQ(RowOf("edt_VendorID_Rd").read(model).text, "");
  model.ShowReadIdentity(IdentityCodes{12, 34});
  EXPECT_EQ(RowOf("edt_VendorID_Rd").read(model).text, "12");
  EXPECT_EQ(RowOf("edt_ProductID_Rd").read(model).text, "34");
}

TEST(IdentityWrite, APairThatWouldLockTheMouseOutIsRefusedOutsideEngineerMode) {
  const ExpectedCodes expected{IdentityCodes{255, 255}, IdentityCodes{12, 34}};
  struct Case {
    int vendor;
    int product;
    bool engineer_mode;
    bool refused;
  };
  const Case cases[] = {
      {255, 255, false, false}, {12, 34, false, false}, {42, 255, false, true},
      {34, 12, false, true},    {42, 255, true, false},
  };
  for (const Case& c : cases) {
    MouseSettings settings = FactorySettings();
    settings.options.manufacturer_code = static_cast<std::uint8_t>(c.vendor);
    settings.options.product_code = static_cast<std::uint8_t>(c.product);
    const auto problem = IdentityWriteProblem(settings, expected, c.engineer_mode);
    EXPECT_EQ(problem.has_value(), c.refused) << c.vendor << "/" << c.product << " engineer " << c.engineer_mode;
    if (problem) {
      EXPECT_NE(problem->find(std::to_string(c.vendor)), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace zelko
