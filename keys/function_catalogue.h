// The fixed catalogue of button functions that the button menus offer: per
// menu tag, the code and the language-pack id of its label.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zelko {

struct CatalogueEntry {
  int menu_tag;
  std::string_view code;      // empty for the AIM entry, whose code is built
  std::string_view label_id;  // language-pack id of the label ("Str210")
};

// The menu tag of the AIM key, whose code carries the current AimValueIndex.
inline constexpr int kAimMenuTag = 1002;
// The label id of the AIM key.
inline constexpr std::string_view kAimLabelId = "Str222";
// The label id of the left click (LeftClickLabel) and of the refusal message
// of the Left Click rule.
inline constexpr std::string_view kLeftClickLabelId = "Str210";
inline constexpr std::string_view kKeepLeftClickMessageId = "Str108";

// Every catalogue entry in menu order (mouse buttons, advance functions, PC,
// media, website, DPI). Tag 1003 is in the catalogue but no menu shows it.
std::span<const CatalogueEntry> FunctionCatalogue();

// The entry of a menu tag, or null for a tag outside the catalogue.
const CatalogueEntry* FindCatalogueEntry(int menu_tag);

// The code of a menu tag; tag 1002 gives "0A", the index as two upper-case
// hexadecimal digits, "00". Any tag outside the catalogue gives "".
std::string MenuTagToKeyCode(int menu_tag, std::uint8_t aim_value_index);

// The label id of a fire macro code (type 0x0C) that has one, else "".
std::string_view FireMacroLabelId(std::string_view code);

// A menu category: its caption id and the tags of the entries under it.
struct MenuCategory {
  std::string_view caption_id;
  std::span<const int> menu_tags;
};
// The categories in menu order: Button, Advance, DPI (inside Advance), Media,
// Website, PC. The Macro and Customise categories carry no catalogue tags.
std::span<const MenuCategory> MenuCategories();
// The bullet text id that precedes every menu caption.
inline constexpr std::string_view kMenuBulletId = "Str200";

}  // namespace zelko
