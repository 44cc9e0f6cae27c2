// Which page the window shows and which tab is active: the hidden page
// radios rb_1 .. rb_7, the page containers gbPage1 .. gbPage6, and the page
// lock that holds the window on its main page while no mouse is ready.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/image_change.h"

namespace zelko {

enum class Page { Main, Second, Advanced, Light, Macro, Engineer };

inline constexpr int kSkinnedPageCount = 4;  // control copies _1 .. _4
inline constexpr int kEngineerContainer = 6;
inline constexpr int kEngineerWidth = 1076;
inline constexpr int kEngineerHeight = 640;

struct PageTraits {
  Page page;
  const char* radio;      // "rb_1"
  int container;          // 1 .. 4 for gbPage1 .. gbPage4, 6 for gbPage6
  const char* tabButton;  // "Main": its images are Img_Main_1 .. Img_Main_4
  int panelBack;          // 1 .. 4: picture Ln_Back<k> into Img_P<k>
};

const PageTraits& TraitsOf(Page page);
// The page a tab button selects ("Adv" -> Advanced); nothing for Save, Load.
std::optional<Page> PageOfTabButton(std::string_view buttonName);
// Every tab button, in the order the layout lists them.
const std::vector<std::string>& TabButtonNames();

// All four copies of every tab image: "SetS_03" for the page's tab, "SetS_01"
// for the others.
ImageChanges TabImagesForActivePage(Page active);

class PageNavigation {
 public:
  enum class SwitchOutcome { NoDevice, Locked, Switched };

  // A page button was clicked. Without an open mouse the window shows Str020;
  // with the lock set nothing happens; otherwise the page becomes current.
  SwitchOutcome RequestSwitch(Page target, bool deviceOpen);

  Page checked() const { return checked_; }
  int visibleContainer() const { return visible_container_; }
  bool locked() const { return locked_; }

  // The no-device state (RefreshErrorAP): lock, main page, main tab.
  void EnterNoDeviceState();
  void ClearLock() { locked_ = false; }

  // After a successful read: the main container shows, the lock is cleared.
  void ShowMainAfterRead();

  // RefreshAPPage, after a language change.
  void RefreshAfterLanguageChange();

  // The key mode held in the image selects the Main or Second tab.
  void SelectKeyMode(bool keyModeB);

 private:
  Page checked_ = Page::Main;
  int visible_container_ = 1;
  bool locked_ = false;
};

}  // namespace zelko
