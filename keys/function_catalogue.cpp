#include "keys/function_catalogue.h"

#include <array>

#include "keys/key_function_code.h"

namespace zelko {
namespace {

constexpr auto kCatalogue = std::to_array<CatalogueEntry>({
    {900, "010100", "Str210"},   // Left Click
    {901, "010200", "Str211"},   // Right Click
    {902, "010400", "Str212"},   // Wheel Click
    {903, "010800", "Str213"},   // Backward (mouse button)
    {904, "011000", "Str214"},   // Forward (mouse button)
    {1000, "0600F0", "Str220"},  // Fire Key
    {1001, "090000", "Str221"},  // LED ON/OFF
    {1002, "", "Str222"},        // AIM: built from AimValueIndex
    {1003, "0D0000", "Str223"},  // no pack defines its label
    {1004, "000000", "Str224"},  // Disable
    {1005, "0F0000", "Str225"},  // Profile Switch
    {1006, "100000", "Str226"},  // LED Switch
    {1100, "030194", "Str240"},  // My Computer: consumer AL Local Machine Browser
    {1101, "030192", "Str241"},  // Calculator: consumer AL Calculator
    {1102, "03018A", "Str242"},  // E-Mail: consumer AL Email Reader
    {1103, "020807", "Str243"},  // Desktop: Win + D
    {1300, "0300CD", "Str250"},  // Play/Pause
    {1301, "0300B7", "Str251"},  // Stop
    {1302, "0300B6", "Str252"},  // Previous Track
    {1303, "0300B5", "Str253"},  // Next Track
    {1304, "0300E9", "Str254"},  // Volume +
    {1305, "0300EA", "Str255"},  // Volume -
    {1306, "0300E2", "Str256"},  // Mute
    {1400, "030223", "Str260"},  // Home: consumer AC Home
    {1401, "030221", "Str261"},  // Search
    {1402, "030224", "Str262"},  // Backward: consumer AC Back
    {1403, "030225", "Str263"},  // Forward: consumer AC Forward
    {1404, "030226", "Str264"},  // Stop: consumer AC Stop
    {1405, "030227", "Str265"},  // Refresh
    {1406, "03022A", "Str266"},  // Favorites: consumer AC Bookmarks
    {2000, "050000", "Str231"},  // DPI Loop
    {2001, "070000", "Str232"},  // DPI +
    {2002, "080000", "Str233"},  // DPI -
});

struct FireMacroLabel {
  std::string_view code;
  std::string_view label_id;
};
constexpr auto kFireMacroLabels = std::to_array<FireMacroLabel>({
    {"0C0101", "Str600"},
    {"0C0202", "Str601"},
    {"0C0303", "Str602"},
    {"0C0404", "Str603"},
    {"0C0505", "Str604"},
    {"0C0606", "Str605"},
    {"0C0607", "Str605"},
    {"0C0808", "Str606"},
    {"0C0809", "Str606"},
    {"0C080A", "Str606"},
});

constexpr std::array kButtonTags = {900, 901, 902, 903, 904};
constexpr std::array kAdvanceTags = {1000, 1002, 1006, 1001, 1005, 1004};
constexpr std::array kDpiTags = {2000, 2001, 2002};
constexpr std::array kMediaTags = {1300, 1301, 1302, 1303, 1304, 1305, 1306};
constexpr std::array kWebsiteTags = {1400, 1401, 1402, 1403, 1404, 1405, 1406};
// Tag 1102 (E-Mail) sits below the PC panel's visible height.
constexpr std::array kPcTags = {1100, 1101, 1103, 1102};

const std::array<MenuCategory, 6> kCategories = {{
    {"Str201", kButtonTags},
    {"Str202", kAdvanceTags},
    {"Str230", kDpiTags},
    {"Str203", kMediaTags},
    {"Str204", kWebsiteTags},
    {"Str207", kPcTags},
}};

}  // namespace

std::span<const CatalogueEntry> FunctionCatalogue() { return kCatalogue; }

const CatalogueEntry* FindCatalogueEntry(int menu_tag) {
  for (const auto& entry : kCatalogue) {
    if (entry.menu_tag == menu_tag) return &entry;
  }
  return nullptr;
}

std::string MenuTagToKeyCode(int menu_tag, std::uint8_t aim_value_index) {
  if (menu_tag == kAimMenuTag) return AimKeyCode(aim_value_index);
  const auto* entry = FindCatalogueEntry(menu_tag);
  return entry ? std::string(entry->code) : std::string();
}

std::string_view FireMacroLabelId(std::string_view code) {
  for (const auto& label : kFireMacroLabels) {
    if (label.code == code) return label.label_id;
  }
  return {};
}

std::span<const MenuCategory> MenuCategories() { return kCategories; }

}  // namespace zelko
