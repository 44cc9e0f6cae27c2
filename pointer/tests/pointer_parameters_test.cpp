#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "pointer/fake_pointer_store.h"
#include "pointer/pointer_parameters.h"

namespace zelko {
namespace {

struct ReadCase {
  std::optional<std::string> stored;
  int level;
};

class ReadBack : public ::testing::Test {
 protected:
  // Reads with only the one value set; the other values stay unreadable.
  PointerParameters ReadWith(PointerKey key, std::string_view name,
                             const std::optional<std::string>& text) {
    FakePointerStore store;
    if (text) store.SetValue(key, name, *text);
    return ReadPointerParameters(store, PointerParameters{});
  }
};

TEST_F(ReadBack, PointerSpeed) {
  const std::vector<ReadCase> cases = {
      {std::nullopt, 11}, {"abc", 11}, {"0", 1},  {"1", 1},   {"3", 2},  {"9", 5},
      {"10", 6},          {"11", 6},   {"12", 7}, {"19", 10}, {"20", 11}, {"21", 6}, {"-4", 6},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadWith(PointerKey::Mouse, kMouseSensitivityValue, c.stored).speed_level, c.level)
        << c.stored.value_or("<unreadable>");
  }
}

TEST_F(ReadBack, DoubleClickTime) {
  const std::vector<ReadCase> cases = {
      {std::nullopt, 7}, {"2000", 1}, {"900", 1}, {"899", 2}, {"550", 6}, {"500", 7},
      {"480", 7},        {"479", 8},  {"270", 10}, {"269", 11}, {"0", 11}, {"5x", 7},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadWith(PointerKey::Mouse, kDoubleClickSpeedValue, c.stored).double_click_level,
              c.level)
        << c.stored.value_or("<unreadable>");
  }
}

TEST_F(ReadBack, ScrollLines) {
  const std::vector<ReadCase> cases = {
      {std::nullopt, 3}, {"", 3},   {"0", 3},   {"3", 3},   {"1", 1},   {"4", 4},
      {"10", 10},        {"11", 11}, {"25", 11}, {"-2", 11}, {"-1", kOneScreenScrollLevel},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadWith(PointerKey::Desktop, kWheelScrollLinesValue, c.stored).scroll_level,
              c.level)
        << c.stored.value_or("<unreadable>");
  }
}

TEST_F(ReadBack, OneScreenRemembersLevelOneAndSwitchingOffRestoresIt) {
  auto params = ReadWith(PointerKey::Desktop, kWheelScrollLinesValue, "-1");
  EXPECT_TRUE(params.one_screen());
  SetOneScreen(params, false);
  EXPECT_EQ(params.scroll_level, 1);
}

TEST_F(ReadBack, PrecisionIsOnWhenAnyOfTheThreeIsNonZero) {
  FakePointerStore store;
  EXPECT_FALSE(ReadPointerParameters(store, {}).precision_on());  // all unreadable -> 0
  store.SetValue(PointerKey::Mouse, kMouseThreshold2Value, "3");
  const auto params = ReadPointerParameters(store, {});
  EXPECT_TRUE(params.precision_on());
  EXPECT_EQ(params.precision, (PointerPrecision{0, 0, 3}));
}

TEST_F(ReadBack, AKeyThatDoesNotOpenLeavesItsSettingsAlone) {
  FakePointerStore store;
  store.SetKeyOpens(PointerKey::Mouse, false);
  store.SetValue(PointerKey::Mouse, kMouseSensitivityValue, "2");
  store.SetValue(PointerKey::Desktop, kWheelScrollLinesValue, "5");
  PointerParameters current;
  current.speed_level = 9;
  const auto params = ReadPointerParameters(store, current);
  EXPECT_EQ(params.speed_level, 9);
  EXPECT_EQ(params.scroll_level, 5);
}

TEST(WriteAndApply, ReadLevelsWriteTheirTableValuesInOrder) {
  FakePointerStore store;
  store.SetValue(PointerKey::Mouse, kMouseSensitivityValue, "11");
  store.SetValue(PointerKey::Mouse, kDoubleClickSpeedValue, "500");
  store.SetValue(PointerKey::Desktop, kWheelScrollLinesValue, "25");
  auto params = ReadPointerParameters(store, {});
  SetPrecision(params, true);

  const auto report = WriteAndApplyPointerParameters(store, params);

  const std::vector<std::string> expected = {
      "write MouseSensitivity=10", "write MouseSpeed=1",        "write MouseThreshold1=6",
      "write MouseThreshold2=10",  "write DoubleClickSpeed=480", "write WheelScrollLines=11",
      "apply speed 10",            "apply mouse 6,10,1",         "apply double-click 480",
      "apply wheel 11",
  };
  EXPECT_EQ(store.calls(), expected);
  EXPECT_TRUE(report.all_stored());
  EXPECT_TRUE(report.mouse_key_opened && report.desktop_key_opened);
}

TEST(WriteAndApply, PrecisionOffAndOneScreen) {
  FakePointerStore store;
  PointerParameters params;
  SetPrecision(params, false);
  SetOneScreen(params, true);
  WriteAndApplyPointerParameters(store, params);
  EXPECT_EQ(store.Value(PointerKey::Mouse, kMouseSpeedValue), "0");
  EXPECT_EQ(store.Value(PointerKey::Mouse, kMouseThreshold1Value), "0");
  EXPECT_EQ(store.Value(PointerKey::Mouse, kMouseThreshold2Value), "0");
  EXPECT_EQ(store.Value(PointerKey::Desktop, kWheelScrollLinesValue), "-1");
  EXPECT_EQ(store.calls().back(), "apply wheel -1");
}

TEST(WriteAndApply, AClosedKeyIsSkippedButTheSystemIsStillApplied) {
  FakePointerStore store;
  store.SetKeyOpens(PointerKey::Mouse, false);
  const auto report = WriteAndApplyPointerParameters(store, PointerParameters{});
  EXPECT_FALSE(report.mouse_key_opened);
  EXPECT_FALSE(store.Value(PointerKey::Mouse, kMouseSensitivityValue));
  EXPECT_EQ(store.Value(PointerKey::Desktop, kWheelScrollLinesValue), "3");
  EXPECT_EQ(store.calls().size(), 5u);  // one write, four applies
}

TEST(WriteAndApply, AFailedWriteIsReported) {
  FakePointerStore store;
  store.FailWrites(kDoubleClickSpeedValue);
  const auto report = WriteAndApplyPointerParameters(store, PointerParameters{});
  EXPECT_FALSE(report.all_stored());
}

TEST(Levels, NotchClicksOutsideTheBarChangeNothing) {
  PointerParameters params;
  SetSpeedLevel(params, 0);
  SetDoubleClickLevel(params, 12);
  SetScrollLevel(params, -1);
  EXPECT_EQ(params, PointerParameters{});
  SetScrollLevel(params, 8);
  SetOneScreen(params, true);
  SetOneScreen(params, false);
  EXPECT_EQ(params.scroll_level, 8);
}

}  // namespace
}  // namespace zelko


