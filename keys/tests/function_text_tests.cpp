#include <gtest/gtest.h>

#include "keys/function_text.h"
#include "keys/language_text.h"

namespace zelko {
namespace {

struct FunctionCase {
  std::string_view name;
  int language;
  std::string_view text;
  std::optional<FunctionKind> kind;  // nothing: an error
  std::string_view code;
  int menu_tag;
};

class FunctionTexts : public ::testing::TestWithParam<FunctionCase> {};

TEST_P(FunctionTexts, NameTheirFunction) {
  const auto& c = GetParam();
  const auto parsed = ParseButtonFunction(c.text, LanguageTextLookup(c.language), 4);
  if (!c.kind) {
    EXPECT_FALSE(parsed.function.has_value()) << c.text;
    EXPECT_FALSE(parsed.error.empty()) << c.text;
    if (!c.code.empty()) {
      EXPECT_NE(parsed.error.find(c.code), std::string::npos) << parsed.error;
    }
    return;
  }
  ASSERT_TRUE(parsed.function.has_value()) << c.text << ": " << parsed.error;
  EXPECT_EQ(parsed.function->kind, *c.kind) << c.text;
  EXPECT_EQ(parsed.function->code, c.code) << c.text;
  EXPECT_EQ(parsed.function->menu_tag, c.menu_tag) << c.text;
}

constexpr auto kCatalogue = FunctionKind::kCatalogue;
constexpr auto kCombination = FunctionKind::kCombination;
constexpr auto kCode = FunctionKind::kCode;

INSTANTIATE_TEST_SUITE_P(
    FunctionText, FunctionTexts,
    ::testing::Values(
        // Catalogue labels of the chosen language.
        FunctionCase{"RightClick", 1, "Right Click", kCatalogue, "010200", 901},
        FunctionCase{"RightClickInLowerCase", 1, "right click", kCatalogue, "010200", 901},
        FunctionCase{"DpiPlus", 1, "DPI +", kCatalogue, "070000", 2001},
        FunctionCase{"Desktop", 1, "Desktop", kCatalogue, "020807", 1103},
        FunctionCase{"Aim", 1, "AIM", kCatalogue, "0A0400", 1002},
        FunctionCase{"Home", 1, "Home", kCatalogue, "030223", 1400},
        FunctionCase{"RightClickInChinese", 2, "\xE5\x8F\xB3\xE9\x94\xAE", kCatalogue, "010200", 901},  // 右键
        FunctionCase{"RightKeyOfTheThirdPack", 3, "Right Key", kCatalogue, "010200", 901},
        FunctionCase{"BackOfTheThirdPack", 3, "Back", kCatalogue, "010800", 903},
        FunctionCase{"FirstPackLabelInTheThirdPack", 3, "Right Click", std::nullopt, "", 0},
        // Labels several entries carry: the error lists the codes.
        FunctionCase{"BackwardIsAmbiguous", 1, "Backward", std::nullopt, "030224", 0},
        FunctionCase{"StopIsAmbiguous", 1, "Stop", std::nullopt, "0300B7", 0},
        // Codes, in either case; catalogue and combination codes keep their kind.
        FunctionCase{"CatalogueCode", 1, "010200", kCatalogue, "010200", 901},
        FunctionCase{"CatalogueCodeInLowerCase", 1, "0600f0", kCatalogue, "0600F0", 1000},
        FunctionCase{"CombinationCode", 1, "020104", kCombination, "020104", 0},
        FunctionCase{"MacroSlotCode", 1, "060121", kCode, "060121", 0},
        FunctionCase{"UnknownCode", 1, "FFFFFF", kCode, "FFFFFF", 0},
        // Combinations.
        FunctionCase{"CtrlShiftA", 1, "Ctrl+Shift+A", kCombination, "020304", 0},
        FunctionCase{"LowerCaseWithBlanks", 1, "ctrl + alt + Delete", kCombination, "02054C", 0},
        FunctionCase{"WinD", 1, "Win+D", kCombination, "020807", 0},
        FunctionCase{"AllFourModifiers", 1, "Ctrl+Shift+Alt+Win+A", kCombination, "020F04", 0},
        FunctionCase{"ModifiersWithATrailingPlus", 1, "Ctrl+Shift+", kCombination, "020300", 0},
        FunctionCase{"ModifiersOnly", 1, "Ctrl+Shift", kCombination, "020300", 0},
        FunctionCase{"KeyAlone", 1, "F5", kCombination, "02003E", 0},
        FunctionCase{"KeyNameWithABlank", 1, "Shift+Space bar", kCombination, "02022C", 0},
        FunctionCase{"UnknownKey", 1, "Ctrl+Hyper", std::nullopt, "Hyper", 0},
        FunctionCase{"UnknownModifier", 1, "Hyper+A", std::nullopt, "Hyper", 0},
        FunctionCase{"DoublePlus", 1, "Ctrl++A", std::nullopt, "", 0},
        FunctionCase{"PlusAlone", 1, "+", std::nullopt, "", 0},
        FunctionCase{"KeyWithoutAUsage", 1, "Ctrl+OEM_8", std::nullopt, "OEM_8", 0},
        FunctionCase{"FiveDigits", 1, "01010", std::nullopt, "", 0},
        FunctionCase{"Empty", 1, "", std::nullopt, "", 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zelko
