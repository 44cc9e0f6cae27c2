#include "pages/button_menu.h"

#include <vector>

#include "keys/function_catalogue.h"

namespace zelko {

MenuPoint PlaceMainMenuBesideLabel(const MenuRect& label, MenuSize menu, MenuSize area) {
  MenuPoint place;
  const int centre_x = label.left + label.width / 2;
  const int centre_y = label.top + label.height / 2;
  place.left = label.left + label.width + menu.width < area.width ? centre_x : centre_x - menu.width;
  place.top = label.top + label.height + menu.height < area.height ? centre_y : centre_y - menu.height;
  return place;
}

MenuPoint PlaceMainMenuOnEngineerPage(const EngineerButtonPlace& place, MenuSize menu) {
  const MenuRect& button = place.button;
  MenuPoint point;
  point.left = place.parameter_area_width < button.left + menu.width
                   ? button.left + button.width - menu.width + 10
                   : button.left + 10;
  point.top = button.top + place.parameter_area_top + place.group_top - menu.height + 38;
  return point;
}

MenuPoint PlaceCategoryPanel(const MenuRect& main_menu, const MenuRect& entry, MenuSize panel,
                             int advance_width, MenuSize area) {
  MenuPoint place;
  place.left = main_menu.left + main_menu.width + advance_width < area.width
                   ? main_menu.left + entry.left + entry.width + 2
                   : main_menu.left - panel.width;
  const int entry_top = entry.top + main_menu.top;
  place.top = entry_top + entry.height + panel.height < area.height
                  ? entry_top
                  : entry_top + entry.height - panel.height;
  return place;
}

MenuPoint PlaceDpiPanel(const MenuRect& main_menu, const MenuRect& advance, const MenuRect& entry,
                        MenuSize dpi_panel, MenuSize area) {
  MenuPoint place;
  place.left = main_menu.left + main_menu.width + advance.width + dpi_panel.width < area.width
                   ? entry.left + advance.left + entry.width + 2
                   : advance.left - dpi_panel.width;
  // Unlike the category panels, the
  // entry's height is not part of the test.
  const int entry_top = entry.top + advance.top;
  place.top = entry_top + dpi_panel.height < area.height ? entry_top
                                                          : entry_top + entry.height - dpi_panel.height;
  return place;
}

namespace {

struct NamedTag {
  int tag;
  std::string_view name;
};

// The control of each catalogue entry the menus show.
constexpr NamedTag kEntryNames[] = {
    {900, "Key_Left"},          {901, "Key_Right"},         {902, "Key_Middle"},
    {903, "Key_B4"},            {904, "Key_B5"},            {1000, "Key_Fire"},
    {1002, "Key_AIMKey"},       {1006, "Key_LEDMode"},      {1001, "Key_LEDSwitch"},
    {1005, "Key_KeyMode"},      {1004, "Key_KeyOff"},       {2000, "Key_CPI"},
    {2001, "Key_CPII"},         {2002, "Key_CPID"},         {1300, "Key_PlayPause"},
    {1301, "Key_Stop"},         {1302, "Key_PreviousTrack"}, {1303, "Key_NextTrack"},
    {1304, "Key_VolumePlus"},   {1305, "Key_VolumeMinus"},  {1306, "Key_Mute"},
    {1400, "Key_WWWHome"},      {1401, "Key_WWWSearch"},    {1402, "Key_WWWBack"},
    {1403, "Key_WWWForward"},   {1404, "Key_WWWStop"},      {1405, "Key_WWWRefresh"},
    {1406, "Key_WWWFavorites"}, {1100, "Key_Computer"},     {1101, "Key_Calculator"},
    {1103, "Key_Desktop"},      {1102, "Key_EMail"},
};

std::string_view EntryName(int tag) {
  for (const auto& entry : kEntryNames) {
    if (entry.tag == tag) return entry.name;
  }
  return {};
}

// The panel of a catalogue category, by its caption id.
struct CategoryPanel {
  std::string_view caption_id;
  MenuPanel panel;
  int first_row;  // the Advance panel's first row is the DPI entry
};
constexpr CategoryPanel kCategoryPanels[] = {
    {"Str201", MenuPanel::kMouseKeys, 0}, {"Str202", MenuPanel::kAdvance, 1},
    {"Str230", MenuPanel::kDpi, 0},       {"Str203", MenuPanel::kMedia, 0},
    {"Str204", MenuPanel::kWebsite, 0},   {"Str207", MenuPanel::kPc, 0},
};

std::vector<MenuEntry> BuildEntries() {
  using K = MenuEntryKind;
  using P = MenuPanel;
  std::vector<MenuEntry> entries = {
      {"Key_Standard", P::kMain, 0, 1, "Str201", K::kCategory, P::kMouseKeys, "ST_Standard"},
      {"Key_Special", P::kMain, 1, 2, "Str202", K::kCategory, P::kAdvance, "ST_Special"},
      {"Key_Media", P::kMain, 2, 3, "Str203", K::kCategory, P::kMedia, "ST_Media"},
      {"Key_WWW", P::kMain, 3, 4, "Str204", K::kCategory, P::kWebsite, "ST_WWW"},
      {"Key_MyPC", P::kMain, 4, 5, "Str207", K::kCategory, P::kPc, "ST_MyPC"},
      {"Key_Assembly", P::kMain, 5, 0, "Str205", K::kCustomise, P::kMain, {}},
      {"Key_Macro", P::kMain, 6, 7, "Str206", K::kCategory, P::kMacroList, "ST_Macro"},
      {"Key_CPIKey", P::kAdvance, 0, 6, "Str230", K::kCategory, P::kDpi, "ST_CPIKey"},
  };
  for (const auto& category : MenuCategories()) {
    for (const auto& panel : kCategoryPanels) {
      if (panel.caption_id != category.caption_id) continue;
      int row = panel.first_row;
      for (const int tag : category.menu_tags) {
        const auto* catalogue = FindCatalogueEntry(tag);
        entries.push_back({EntryName(tag), panel.panel, row++, tag,
                           catalogue ? catalogue->label_id : std::string_view(), K::kAssign,
                           P::kMain, {}});
      }
    }
  }
  // Panel by panel, top row first.
  std::vector<MenuEntry> ordered;
  for (const MenuPanel panel : kAllMenuPanels) {
    for (int row = 0; row < 8; ++row) {
      for (const auto& entry : entries) {
        if (entry.panel == panel && entry.row == row) ordered.push_back(entry);
      }
    }
  }
  return ordered;
}

int VisibleRows(MenuPanel panel, const MenuLayout& layout) {
  switch (panel) {
    case MenuPanel::kMain:
      return layout.macro_entry_shown ? 7 : 6;
    case MenuPanel::kMouseKeys:
      return 5;
    case MenuPanel::kAdvance:
      return 7;
    case MenuPanel::kDpi:
      return 3;
    case MenuPanel::kMedia:
    case MenuPanel::kWebsite:
      return 7;
    case MenuPanel::kPc:
      return 3;  // E-Mail, the fourth row, lies below the panel's height
    case MenuPanel::kMacroList:
      return 0;
  }
  return 0;
}

}  // namespace

std::string_view MenuPanelName(MenuPanel panel) {
  switch (panel) {
    case MenuPanel::kMain:
      return "Pnl_Main";
    case MenuPanel::kMouseKeys:
      return "Pnl_MseKey";
    case MenuPanel::kAdvance:
      return "Pnl_Special";
    case MenuPanel::kDpi:
      return "Pnl_CPIKey";
    case MenuPanel::kMedia:
      return "Pnl_Media";
    case MenuPanel::kWebsite:
      return "Pnl_WWW";
    case MenuPanel::kPc:
      return "Pnl_MyPC";
    case MenuPanel::kMacroList:
      return "LB_Name";
  }
  return {};
}

std::span<const MenuEntry> MenuEntries() {
  static const std::vector<MenuEntry> entries = BuildEntries();
  return entries;
}

const MenuEntry* FindMenuEntry(std::string_view name) {
  for (const auto& entry : MenuEntries()) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

MenuSize MenuPanelSize(MenuPanel panel, const MenuLayout& layout) {
  switch (panel) {
    case MenuPanel::kMain:
      return {layout.main_width, VisibleRows(panel, layout) * kMenuEntryHeight + 2 * kMenuBorder};
    case MenuPanel::kAdvance:
      return {layout.advance_width, VisibleRows(panel, layout) * kMenuEntryHeight + 2 * kMenuBorder};
    case MenuPanel::kMacroList:
      return {layout.other_width, layout.macro_list_height};
    default:
      return {layout.other_width, VisibleRows(panel, layout) * kMenuEntryHeight + 2 * kMenuBorder};
  }
}

MenuRect MenuEntryRect(const MenuEntry& entry, const MenuLayout& layout) {
  return {0, kMenuBorder + entry.row * kMenuEntryHeight, MenuPanelSize(entry.panel, layout).width,
          kMenuEntryHeight};
}

std::optional<ButtonRef> PickedButton(const ButtonPick& pick, int shown_profile) {
  ButtonRef ref;
  if (pick.source == PickSource::kMainPage) {
    ref = {shown_profile == 2 ? 2 : 1, pick.number};
  } else {
    ref = {pick.number / 100, pick.number % 100};
  }
  if (!ref.valid()) return std::nullopt;
  return ref;
}

void ButtonMenu::HideAll() {
  shown_.fill(false);
  highlighted_.clear();
}

bool ButtonMenu::anyShown() const {
  for (const bool shown : shown_) {
    if (shown) return true;
  }
  return false;
}

MenuRect ButtonMenu::rect(MenuPanel panel) const {
  const MenuPoint place = places_[Index(panel)];
  const MenuSize size = MenuPanelSize(panel, layout_);
  return {place.left, place.top, size.width, size.height};
}

void ButtonMenu::Show(MenuPanel panel, MenuPoint place) {
  shown_[Index(panel)] = true;
  places_[Index(panel)] = place;
}

void ButtonMenu::OpenForMainPage(int button, const MenuRect& label) {
  pick_ = ButtonPick{PickSource::kMainPage, button};
  HideAll();
  Show(MenuPanel::kMain,
       PlaceMainMenuBesideLabel(label, MenuPanelSize(MenuPanel::kMain, layout_), layout_.area));
}

void ButtonMenu::OpenForEngineerPage(int number, const EngineerButtonPlace& place) {
  pick_ = ButtonPick{PickSource::kEngineerPage, number};
  HideAll();
  Show(MenuPanel::kMain, PlaceMainMenuOnEngineerPage(place, MenuPanelSize(MenuPanel::kMain, layout_)));
}

void ButtonMenu::OpenCategory(const MenuEntry& entry) {
  for (const MenuPanel panel : kAllMenuPanels) {
    if (panel != MenuPanel::kMain) Hide(panel);
  }
  const MenuPanel target = entry.opens;
  Show(target, PlaceCategoryPanel(rect(MenuPanel::kMain), MenuEntryRect(entry, layout_),
                                  MenuPanelSize(target, layout_), layout_.advance_width, layout_.area));
}

void ButtonMenu::OpenDpiPanel(const MenuEntry& entry) {
  for (const MenuPanel panel : {MenuPanel::kMouseKeys, MenuPanel::kMedia, MenuPanel::kWebsite,
                                MenuPanel::kPc, MenuPanel::kMacroList}) {
    Hide(panel);
  }
  Show(MenuPanel::kDpi, PlaceDpiPanel(rect(MenuPanel::kMain), rect(MenuPanel::kAdvance),
                                      MenuEntryRect(entry, layout_),
                                      MenuPanelSize(MenuPanel::kDpi, layout_), layout_.area));
}

void ButtonMenu::Enter(std::string_view name) {
  const MenuEntry* entry = FindMenuEntry(name);
  if (!entry) return;
  highlighted_ = std::string(name);
  switch (entry->kind) {
    case MenuEntryKind::kCategory:
      if (entry->opens == MenuPanel::kDpi) {
        OpenDpiPanel(*entry);
      } else {
        OpenCategory(*entry);
      }
      break;
    case MenuEntryKind::kCustomise:
      // Pnl_CPIKey stands beside Pnl_Special: it goes with it rather
      // than float on its own.
      for (const MenuPanel panel : {MenuPanel::kAdvance, MenuPanel::kDpi, MenuPanel::kMouseKeys,
                                    MenuPanel::kMedia, MenuPanel::kWebsite, MenuPanel::kPc,
                                    MenuPanel::kMacroList}) {
        Hide(panel);
      }
      break;
    case MenuEntryKind::kAssign:
      if (entry->panel == MenuPanel::kAdvance || entry->panel == MenuPanel::kPc) Hide(MenuPanel::kDpi);
      break;
  }
}

void ButtonMenu::Leave(std::string_view name) {
  if (highlighted_ == name) highlighted_.clear();
}

void ButtonMenu::HideMainAndMacroList() {
  Hide(MenuPanel::kMain);
  Hide(MenuPanel::kMacroList);
  highlighted_.clear();
}

}  // namespace zelko
