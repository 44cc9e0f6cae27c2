#include "pages/page_navigation.h"

#include <array>

namespace zelko {

namespace {

constexpr std::array<PageTraits, 6> kPages{{
    {Page::Main, "rb_1", 1, "Main", 1},
    {Page::Second, "rb_2", 1, "Second", 1},
    {Page::Advanced, "rb_4", 2, "Adv", 2},
    {Page::Light, "rb_5", 3, "Breath", 3},
    {Page::Macro, "rb_6", 4, "Macro", 4},
    {Page::Engineer, "rb_7", kEngineerContainer, "Engineer", 4},
}};

}  // namespace

const PageTraits& TraitsOf(Page page) { return kPages[static_cast<std::size_t>(page)]; }

std::optional<Page> PageOfTabButton(std::string_view buttonName) {
  for (const auto& traits : kPages) {
    if (buttonName == traits.tabButton) return traits.page;
  }
  return std::nullopt;
}

const std::vector<std::string>& TabButtonNames() {
  static const std::vector<std::string> names{"Main",  "Second",   "Adv",  "Breath",
                                              "Macro", "Engineer", "Save", "Load"};
  return names;
}

ImageChanges TabImagesForActivePage(Page active) {
  ImageChanges changes;
  const std::string_view activeTab = TraitsOf(active).tabButton;
  for (const std::string& tab : TabButtonNames()) {
    const char* image = tab == activeTab ? "SetS_03" : "SetS_01";
    for (int copy = 1; copy <= kSkinnedPageCount; ++copy) {
      changes.push_back({"Img_" + tab + "_" + std::to_string(copy), image});
    }
  }
  return changes;
}

PageNavigation::SwitchOutcome PageNavigation::RequestSwitch(Page target, bool deviceOpen) {
  if (!deviceOpen) return SwitchOutcome::NoDevice;
  if (locked_) return SwitchOutcome::Locked;
  checked_ = target;
  visible_container_ = TraitsOf(target).container;
  return SwitchOutcome::Switched;
}

void PageNavigation::EnterNoDeviceState() {
  locked_ = true;
  checked_ = Page::Main;
  visible_container_ = 1;
}

void PageNavigation::ShowMainAfterRead() {
  locked_ = false;
  visible_container_ = 1;
}

void PageNavigation::RefreshAfterLanguageChange() {
  if (locked_) {
    visible_container_ = 1;
    return;
  }
  // With profile 2 checked the visible page stays as it is.
  if (checked_ == Page::Second) return;
  visible_container_ = TraitsOf(checked_).container;
}

void PageNavigation::SelectKeyMode(bool keyModeB) {
  checked_ = keyModeB ? Page::Second : Page::Main;
}

}  // namespace zelko
