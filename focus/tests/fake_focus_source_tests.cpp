#include "focus/fake_focus_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelko {
namespace {

TEST(FakeFocusSource, ReportsTheAppInFrontAtStartThenEachChangeOnce) {
  FakeFocusSource source;
  source.Focus({"classA", 10});  // before Start: only remembered
  std::vector<FocusedApp> heard;
  ASSERT_TRUE(source.Start([&](const FocusedApp& app) { heard.push_back(app); }).ok());
  source.Focus({"classA", 10});
  source.Focus({"classB", 11});
  source.Focus({"", std::nullopt});
  const std::vector<FocusedApp> expected = {{"classA", 10}, {"classB", 11}, {"", std::nullopt}};
  EXPECT_EQ(heard, expected);

  source.Stop();
  EXPECT_FALSE(source.running());
  source.Focus({"classC", 12});
  EXPECT_EQ(heard.size(), 3u);
}

TEST(FakeFocusSource, EndingByItselfTellsWhyOnceAndReportsNothingMore) {
  FakeFocusSource source;
  std::vector<FocusedApp> heard;
  std::vector<std::string> ends;
  ASSERT_TRUE(source
                  .Start([&](const FocusedApp& app) { heard.push_back(app); },
                         [&](const std::string& reason) { ends.push_back(reason); })
                  .ok());
  source.End("The session bus closed the connection.");
  source.End("twice");
  source.Focus({"classA", 1});
  EXPECT_EQ(ends, std::vector<std::string>{"The session bus closed the connection."});
  EXPECT_TRUE(heard.empty());
  EXPECT_FALSE(source.running());
}

TEST(FakeFocusSource, FailsTheNextStartWhenTold) {
  FakeFocusSource source;
  source.FailNextStart("The X display \":9\" does not open.");
  const Status failed = source.Start([](const FocusedApp&) {});
  ASSERT_FALSE(failed.ok());
  EXPECT_EQ(failed.error(), "The X display \":9\" does not open.");
  EXPECT_FALSE(source.running());
  EXPECT_TRUE(source.Start([](const FocusedApp&) {}).ok());
}

}  // namespace
}  // namespace zelko
