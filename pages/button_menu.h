// The button function menu of the button assignment editor: its panels and
// entries, where each panel opens (the placement rules: arithmetic over
// the rectangle of the clicked label, the panels' sizes and the drawing
// area, which is the size of the main window's background image), which
// panels a hover shows or hides, the highlighted entry and the pick, the
// button whose menu was opened last. Free of any widget toolkit: the window
// builds its panels from MenuEntries() and shows what this model says.
#pragma once
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "keys/button_map.h"

namespace zelko {

struct MenuSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const MenuSize&, const MenuSize&) = default;
};

struct MenuPoint {
  int left = 0;
  int top = 0;
  friend bool operator==(const MenuPoint&, const MenuPoint&) = default;
};

struct MenuRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  MenuPoint place() const { return {left, top}; }
  MenuSize size() const { return {width, height}; }
  friend bool operator==(const MenuRect&, const MenuRect&) = default;
};

// ---------------------------------------------------------------------------
// The placement rules, each a pure function of rectangles and sizes.

// Pnl_Main beside a main-page label (ShowPnlMain_OnClick): at
// the label's centre, opening rightwards and downwards while the menu stays
// inside the drawing area, else leftwards or upwards from the centre.
MenuPoint PlaceMainMenuBesideLabel(const MenuRect& label, MenuSize menu, MenuSize area);

// Where an engineer-page button stands: its rectangle within the parameter
// area, the parameter area's width and top, and the top of the button's
// group box (mode A for numbers 101..109, mode B for 201..209).
struct EngineerButtonPlace {
  MenuRect button;
  int parameter_area_width = 0;
  int parameter_area_top = 0;
  int group_top = 0;
};
// Pnl_Main above an engineer-page button (TLShowPnlMain_OnClick).
MenuPoint PlaceMainMenuOnEngineerPage(const EngineerButtonPlace& place, MenuSize menu);

// A category's panel beside Pnl_Main (KeyByTagMouseEnter, tags 1..5 and 7):
// `entry` is the category entry's rectangle within Pnl_Main; the Advance
// panel's width decides the side for every category.
MenuPoint PlaceCategoryPanel(const MenuRect& main_menu, const MenuRect& entry, MenuSize panel,
                             int advance_width, MenuSize area);

// Pnl_CPIKey beside Pnl_Special (tag 6): `entry` is the DPI entry's
// rectangle within the Advance panel.
MenuPoint PlaceDpiPanel(const MenuRect& main_menu, const MenuRect& advance, const MenuRect& entry,
                        MenuSize dpi_panel, MenuSize area);

// ---------------------------------------------------------------------------
// The menu's panels and entries.

enum class MenuPanel {
  kMain,       // Pnl_Main: the categories
  kMouseKeys,  // Pnl_MseKey: Button
  kAdvance,    // Pnl_Special: Advance
  kDpi,        // Pnl_CPIKey: DPI, inside Advance
  kMedia,      // Pnl_Media
  kWebsite,    // Pnl_WWW
  kPc,         // Pnl_MyPC
  kMacroList,  // LB_Name: the library's macros
};
inline constexpr int kMenuPanelCount = 8;
inline constexpr std::array<MenuPanel, kMenuPanelCount> kAllMenuPanels = {
    MenuPanel::kMain,  MenuPanel::kMouseKeys, MenuPanel::kAdvance, MenuPanel::kDpi,
    MenuPanel::kMedia, MenuPanel::kWebsite,   MenuPanel::kPc,      MenuPanel::kMacroList};

// The control name of a panel ("Pnl_Main", ..., "LB_Name").
std::string_view MenuPanelName(MenuPanel panel);

enum class MenuEntryKind {
  kCategory,   // hovering opens a panel
  kAssign,     // a click assigns a catalogue function
  kCustomise,  // a click opens the combination-key dialog
};

struct MenuEntry {
  std::string_view name;     // "Key_Standard"
  MenuPanel panel;           // the panel it stands in
  int row;                   // 0 at the top; rows stand kMenuEntryHeight apart
  int tag;                   // category tag 1..7, menu tag 900.., 0 for Customise
  std::string_view text_id;  // its caption: " " + Str200 + " " + this text
  MenuEntryKind kind;
  MenuPanel opens;           // the panel a category opens (kMain otherwise)
  // The sub-menu marker label of a category ("ST_Standard"), else empty.
  std::string_view marker;
};

inline constexpr int kMenuEntryHeight = 24;
// Rows of a panel start one pixel below its top edge (the panel's border).
inline constexpr int kMenuBorder = 1;

// Every entry, panel by panel in the order of kAllMenuPanels, top row
// first. The assignable entries carry the catalogue's menu tags and label
// ids (keys/function_catalogue.h), in the catalogue's category order.
std::span<const MenuEntry> MenuEntries();
const MenuEntry* FindMenuEntry(std::string_view name);

// The layout values the menu depends on.
struct MenuLayout {
  int main_width = 150;     // M_L_W
  int advance_width = 160;  // SP_L_W
  int other_width = 154;    // O_L_W
  // Btn_B11_Enable = 1: Pnl_Main is tall enough to show the Macro entry.
  bool macro_entry_shown = true;
  int macro_list_height = 170;  // LB_Name
  MenuSize area{900, 640};      // the background image
  friend bool operator==(const MenuLayout&, const MenuLayout&) = default;
};

// Pnl_Main 170 high with the Macro entry and 146 without; Pnl_Special 170;
// the others as high as the rows they show (two pixels of border included):
// Pnl_MyPC shows three rows, its fourth (E-Mail) lies below its height.
MenuSize MenuPanelSize(MenuPanel panel, const MenuLayout& layout);
// An entry's rectangle within its panel: the panel's full width, one row.
MenuRect MenuEntryRect(const MenuEntry& entry, const MenuLayout& layout);

// ---------------------------------------------------------------------------
// The state of the menu.

enum class PickSource { kMainPage, kEngineerPage };

// The button whose menu was opened last: a main-page label Key1..Key9
// (number 1..9) or an engineer-page button (101..109 profile 1, 201..209
// profile 2). It outlives the menu: a combination confirmed later lands on it.
struct ButtonPick {
  PickSource source = PickSource::kMainPage;
  int number = 1;
  friend bool operator==(const ButtonPick&, const ButtonPick&) = default;
};

// The button of the settings a pick edits: a main-page pick edits the
// profile the page shows now (rb_1 or rb_2), an engineer-page pick the
// profile and button its number names. Nothing for a number out of range.
std::optional<ButtonRef> PickedButton(const ButtonPick& pick, int shown_profile);

class ButtonMenu {
 public:
  explicit ButtonMenu(MenuLayout layout = {}) : layout_(layout) {}

  void SetLayout(const MenuLayout& layout) { layout_ = layout; }
  const MenuLayout& layout() const { return layout_; }

  // HideAllMenu: every panel hidden, no entry highlighted. The pick stays.
  void HideAll();
  // ShowPnlMain_OnClick: the menu of main-page label Key<button>.
  void OpenForMainPage(int button, const MenuRect& label);
  // TLShowPnlMain_OnClick: the menu of engineer button 101..109, 201..209.
  void OpenForEngineerPage(int number, const EngineerButtonPlace& place);

  // The mouse entered or left an entry: the entry is highlighted while the
  // mouse is over it; a category opens its panel, and some entries close
  // the panels they would overlap. Unknown names change nothing.
  void Enter(std::string_view entry);
  void Leave(std::string_view entry);
  // Assigning a macro from LB_Name closes Pnl_Main and the list only.
  void HideMainAndMacroList();

  bool shown(MenuPanel panel) const { return shown_[Index(panel)]; }
  bool anyShown() const;
  // Where a panel stands (its last place when hidden) and its size.
  MenuRect rect(MenuPanel panel) const;
  // The highlighted entry, or empty.
  const std::string& highlighted() const { return highlighted_; }
  const std::optional<ButtonPick>& pick() const { return pick_; }

 private:
  static std::size_t Index(MenuPanel panel) { return static_cast<std::size_t>(panel); }
  void Show(MenuPanel panel, MenuPoint place);
  void Hide(MenuPanel panel) { shown_[Index(panel)] = false; }
  void OpenCategory(const MenuEntry& entry);
  void OpenDpiPanel(const MenuEntry& entry);

  MenuLayout layout_;
  std::array<bool, kMenuPanelCount> shown_{};
  std::array<MenuPoint, kMenuPanelCount> places_{};
  std::string highlighted_;
  std::optional<ButtonPick> pick_;
};

}  // namespace zelko
