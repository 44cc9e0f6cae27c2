#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/text_roll.h"

namespace zelko {
namespace {

struct RollCase {
  const char* name;
  std::string caption;
  int ticks;
  std::string shown;
};

TEST(TextRoll, CaptionMovesLeftWithTheGapOnce) {
  const std::vector<RollCase> cases = {
      {"tick 1", "Apply", 1, "pply    A"},
      {"tick 2", "Apply", 2, "ply    Ap"},
      {"tick 3", "Apply", 3, "ly    App"},
      // 9 characters with the gap: after 1 + 9 ticks the caption reads as after tick 1.
      {"a full turn", "Apply", 10, "pply    A"},
      // One step is one character, however many bytes it takes.
      {"Chinese", "确认", 1, "认    确"},
      {"Chinese and Latin", "确认A", 2, "A    确认"},
      {"outside the BMP", "\U0001F5B1b", 1, "b    \U0001F5B1"},
      {"two-byte characters", "Éé", 2, "    Éé"},
      {"empty", "", 3, ""},
  };
  for (const auto& c : cases) {
    TextRoll roll;
    roll.Start("Btn_Apply_1", c.caption);
    std::string last;
    for (int i = 0; i < c.ticks; ++i) last = roll.Tick(true);
    EXPECT_EQ(last, c.shown) << c.name;
    EXPECT_EQ(roll.Stop(), c.caption) << c.name;
  }
}

TEST(TextRoll, CounterWrapsWithoutAnotherGap) {
  TextRoll roll;
  roll.Start("Key1", "确B");
  for (int i = 0; i < 20; ++i) roll.Tick(true);
  EXPECT_EQ(roll.ticks(), 20);
  const std::string before = roll.working();
  roll.Tick(true);  // 21 -> 2: a plain move, no second gap
  EXPECT_EQ(roll.ticks(), 2);
  EXPECT_EQ(roll.working().size(), before.size());
}

TEST(TextRoll, SwitchedOffOrIdleChangesNothing) {
  TextRoll roll;
  EXPECT_EQ(roll.Tick(true), "");  // nothing hovered
  EXPECT_EQ(roll.ticks(), 0);
  roll.Start("Btn_Apply_1", "Apply");
  EXPECT_EQ(roll.Tick(false), "Apply");
  EXPECT_EQ(roll.ticks(), 0);
}

TEST(TextRoll, LeavingRestoresTheRememberedCaption) {
  TextRoll roll;
  roll.Start("Btn_Lang2_1", "Chinese");
  roll.Tick(true);
  roll.Remember("中文");  // the language changed under the mouse
  EXPECT_EQ(roll.Stop(), "中文");
  EXPECT_FALSE(roll.active());
  EXPECT_EQ(roll.labelName(), "");
}

}  // namespace
}  // namespace zelko
