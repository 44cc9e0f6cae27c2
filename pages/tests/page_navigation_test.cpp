#include <gtest/gtest.h>

#include "pages/page_navigation.h"

namespace zelko {
namespace {

using Outcome = PageNavigation::SwitchOutcome;

TEST(PageNavigation, ActiveTabPicturesOnEveryCopy) {
  const ImageChanges changes = TabImagesForActivePage(Page::Second);
  ASSERT_EQ(changes.size(), std::size_t{8 * 4});
  for (const auto& change : changes) {
    const bool second = change.control.starts_with("Img_Second_");
    EXPECT_EQ(change.image, second ? "SetS_03" : "SetS_01") << change.control;
  }
  EXPECT_EQ(changes.front(), (ImageChange{"Img_Main_1", "SetS_01"}));
  EXPECT_EQ(changes.back(), (ImageChange{"Img_Load_4", "SetS_01"}));
}

TEST(PageNavigation, TabButtonsSelectTheirPage) {
  EXPECT_EQ(PageOfTabButton("Adv"), Page::Advanced);
  EXPECT_EQ(PageOfTabButton("Breath"), Page::Light);
  EXPECT_EQ(PageOfTabButton("Save"), std::nullopt);
  EXPECT_EQ(PageOfTabButton("Load"), std::nullopt);
}

TEST(PageNavigation, SwitchNeedsAMouseAndNoLock) {
  PageNavigation nav;
  EXPECT_EQ(nav.RequestSwitch(Page::Advanced, false), Outcome::NoDevice);
  nav.EnterNoDeviceState();
  EXPECT_EQ(nav.RequestSwitch(Page::Advanced, true), Outcome::Locked);
  EXPECT_EQ(nav.visibleContainer(), 1);
  EXPECT_EQ(nav.checked(), Page::Main);
  nav.ClearLock();
  EXPECT_EQ(nav.RequestSwitch(Page::Advanced, true), Outcome::Switched);
  EXPECT_EQ(nav.visibleContainer(), 2);
  EXPECT_EQ(nav.RequestSwitch(Page::Second, true), Outcome::Switched);
  EXPECT_EQ(nav.visibleContainer(), 1);  // Main and Second share one container
  EXPECT_EQ(nav.RequestSwitch(Page::Engineer, true), Outcome::Switched);
  EXPECT_EQ(nav.visibleContainer(), kEngineerContainer);
}

TEST(PageNavigation, PageAfterALanguageChange) {
  PageNavigation nav;
  nav.RequestSwitch(Page::Macro, true);
  nav.RefreshAfterLanguageChange();
  EXPECT_EQ(nav.visibleContainer(), 4);

  // The image's key mode checks profile 2 while the Light page shows: the
  // visible page stays.
  nav.RequestSwitch(Page::Light, true);
  nav.SelectKeyMode(true);
  nav.RefreshAfterLanguageChange();
  EXPECT_EQ(nav.checked(), Page::Second);
  EXPECT_EQ(nav.visibleContainer(), 3);

  nav.EnterNoDeviceState();
  nav.RefreshAfterLanguageChange();
  EXPECT_EQ(nav.visibleContainer(), 1);
}

TEST(PageNavigation, ReadShowsTheMainContainerAndLiftsTheLock) {
  PageNavigation nav;
  nav.EnterNoDeviceState();
  nav.ShowMainAfterRead();
  EXPECT_FALSE(nav.locked());
  EXPECT_EQ(nav.visibleContainer(), 1);
  EXPECT_EQ(nav.RequestSwitch(Page::Light, true), Outcome::Switched);
}

}  // namespace
}  // namespace zelko
