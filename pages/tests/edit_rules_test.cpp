#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "pages/edit_rules.h"
#include "pages/engineer_controls.h"

namespace zelko {
namespace {

struct EditCase {
  const char* rule;
  std::function<std::string(std::string_view)> apply;
  std::string typed;
  std::string shown;
};

TEST(EditRules, ClampTheirOwnText) {
  const std::vector<EditCase> cases = {
      {"colour", ClampColourEdit, "300", "255"},
      {"colour", ClampColourEdit, "", "0"},
      {"colour", ClampColourEdit, "0255", "0255"},
      {"colour", ClampColourEdit, "99999999999999999999", "255"},
      {"colour", ClampColourEdit, "abc", "abc"},
      {"led count", ClampLedCountEdit, "14", "13"},
      {"led count", ClampLedCountEdit, "3", "4"},
      {"led count", ClampLedCountEdit, "2", "4"},
      {"led count", ClampLedCountEdit, "0", "4"},
      {"led count", ClampLedCountEdit, "", "13"},
      {"led count", ClampLedCountEdit, "1", "1"},
      {"led count", ClampLedCountEdit, "12", "12"},
      {"led count exit", LedCountEditOnExit, "1", "4"},
      {"led count exit", LedCountEditOnExit, "11", "11"},
      {"step", ClampMcuStepEdit, "8", "7"},
      {"step", ClampMcuStepEdit, "", "0"},
      {"breath", ClampBreathStepEdit, "256", "255"},
      {"breath", ClampBreathStepEdit, "", "0"},
      {"repeat", ClampRepeatCountEdit, "", "2"},
      {"repeat", ClampRepeatCountEdit, "128", "127"},
      {"repeat", ClampRepeatCountEdit, "1", "1"},
      {"repeat exit", RepeatCountEditOnExit, "1", "2"},
      {"repeat exit", RepeatCountEditOnExit, "0", "2"},
      {"delay", ClampDelayTimeEdit, "", "0"},
      {"delay", ClampDelayTimeEdit, "-5", "0"},
      {"delay", ClampDelayTimeEdit, "256", "255"},
      {"fire time", ClampFireTimeEdit, "", "100"},
      {"fire time", ClampFireTimeEdit, "300", "255"},
      {"identity", ClampIdentityCodeEdit, "300", "255"},
      {"identity", ClampIdentityCodeEdit, "", "255"},
      {"identity", ClampIdentityCodeEdit, "12345", "123"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.apply(c.typed), c.shown) << c.rule << " \"" << c.typed << "\"";
  }
}

TEST(EditRules, FireCountListFollowsTheRepeatText) {
  EXPECT_EQ(FireCountIndexForText("2"), 0);
  EXPECT_EQ(FireCountIndexForText("127"), 125);
  EXPECT_EQ(FireCountIndexForText("1"), kNoSelection);
  EXPECT_EQ(FireCountIndexForText("x"), kNoSelection);
}

}  // namespace
}  // namespace zelko
