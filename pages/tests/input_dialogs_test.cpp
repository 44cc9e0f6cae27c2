#include <gtest/gtest.h>

#include <string>

#include "pages/input_dialogs.h"

namespace zelko {
namespace {

TEST(MacroNameDialog, SixteenCharactersFitASeventeenthDoesNot) {
  EXPECT_TRUE(MacroNameFits(""));
  EXPECT_TRUE(MacroNameFits("ABCDEFGHIJKLMNOP"));
  EXPECT_FALSE(MacroNameFits("ABCDEFGHIJKLMNOPQ"));
  // Characters, not bytes: sixteen Chinese characters fit.
  std::string chinese;
  for (int i = 0; i < 16; ++i) chinese += "\xE5\xAE\x8F";  // 宏
  EXPECT_TRUE(MacroNameFits(chinese));
  EXPECT_FALSE(MacroNameFits(chinese + "A"));
  EXPECT_FALSE(MacroNameFits("\xFF"));
}

TEST(OneKeyDialog, NameAndEventTextOfTheKey) {
  EXPECT_EQ(OneKeyOf('A', EditLineKind::kKeyPress), (OneKey{"A", "A CODE:8204"}));
  EXPECT_EQ(OneKeyOf(13, EditLineKind::kKeyRelease), (OneKey{"Enter", "Enter CODE:0228"}));
  EXPECT_EQ(OneKeyOf(16, EditLineKind::kKeyPress), (OneKey{"Shift", "Shift CODE:82E1"}));  // modifiers too
  EXPECT_EQ(OneKeyOf(95, EditLineKind::kKeyPress), (OneKey{"None", "None CODE:8200"}));
}

struct TextCase {
  const char* name;
  const char* typed;
  const char* shown;
};

class DelayField : public testing::TestWithParam<TextCase> {};

TEST_P(DelayField, IsCorrectedAfterEveryChange) {
  EXPECT_EQ(CorrectedDelayText(GetParam().typed), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Table, DelayField,
                         testing::Values(TextCase{"InRangeStays", "96", "96"},
                                         TextCase{"AboveTheMaximumBecomesIt", "3000", "2040"},
                                         TextCase{"ManyDigitsBecomeTheMaximum", "99999999999999999999", "2040"},
                                         TextCase{"EmptyBecomesZero", "", "0"},
                                         TextCase{"TheMaximumStays", "2040", "2040"}),
                         [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

struct ValueCase {
  const char* name;
  EditLineKind kind;
  const char* typed;
  const char* shown;
};

class ValueField : public testing::TestWithParam<ValueCase> {};

TEST_P(ValueField, IsCorrectedByItsLineKind) {
  EXPECT_EQ(CorrectedValueText(GetParam().typed, GetParam().kind), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ValueField,
    testing::Values(ValueCase{"MoveBelowTheMinimum", EditLineKind::kMoveX, "-200", "-128"},
                    ValueCase{"MoveAboveTheMaximum", EditLineKind::kMoveY, "200", "127"},
                    ValueCase{"MoveOf128IsTooMuch", EditLineKind::kMoveX, "128", "127"},
                    ValueCase{"MoveAtTheMinimumStays", EditLineKind::kMoveX, "-128", "-128"},
                    ValueCase{"ALoneMinusStaysUntilADigitFollows", EditLineKind::kMoveX, "-", "-"},
                    ValueCase{"MoveEmptyBecomesZero", EditLineKind::kMoveY, "", "0"},
                    ValueCase{"RepeatAboveTheMaximum", EditLineKind::kRepeat, "300", "255"},
                    ValueCase{"RepeatBelowZero", EditLineKind::kRepeat, "-5", "0"},
                    ValueCase{"RepeatLoneMinusStays", EditLineKind::kRepeat, "-", "-"},
                    ValueCase{"RepeatEmptyBecomesZero", EditLineKind::kRepeat, "", "0"},
                    ValueCase{"NoIntegerStaysAsItIs", EditLineKind::kMoveX, "1-2", "1-2"},
                    ValueCase{"OtherKindsAreNotCorrected", EditLineKind::kKeyPress, "999", "999"}),
    [](const testing::TestParamInfo<ValueCase>& info) { return std::string(info.param.name); });

TEST(InputDialogs, TypedCharactersTheFieldsTake) {
  EXPECT_TRUE(DelayFieldTakes(U'7'));
  EXPECT_FALSE(DelayFieldTakes(U'-'));
  EXPECT_FALSE(DelayFieldTakes(U'a'));
  EXPECT_TRUE(ValueFieldTakes(U'-'));
  EXPECT_TRUE(ValueFieldTakes(U'0'));
  EXPECT_FALSE(ValueFieldTakes(U'+'));
}

}  // namespace
}  // namespace zelko
