#include <gtest/gtest.h>

#include "keys/function_text.h"
#include "keys/language_text.h"

namespace zelko {
namespace {

struct FunctionCase {
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
        FunctionCase{1, "Right Click", kCatalogue, "010200", 901},
        FunctionCase{1, "right click", kCatalogue, "010200", 901},
        FunctionCase{1, "DPI +", kCatalogue, "070000", 2001},
        FunctionCase{1, "Desktop", kCatalogue, "020807", 1103},
        FunctionCase{1, "AIM", kCatalogue, "0A0400", 1002},
        FunctionCase{1, "Home", kCatalogue, "030223", 1400},
        FunctionCase{2, "\xE5\x8F\xB3\xE9\x94\xAE", kCatalogue, "010200", 901},  // 右键
        FunctionCase{3, "Right Key", kCatalogue, "010200", 901},
        FunctionCase{3, "Back", kCatalogue, "010800", 903},
        FunctionCase{3, "Right Click", std::nullopt, "", 0},
        // Labels several entries carry: the error lists the codes.
        FunctionCase{1, "Backward", std::nullopt, "030224", 0},
        FunctionCase{1, "Stop", std::nullopt, "0300B7", 0},
        // Codes, in either case; catalogue and combination codes keep their kind.
        FunctionCase{1, "010200", kCatalogue, "010200", 901},
        FunctionCase{1, "0600f0", kCatalogue, "0600F0", 1000},
        FunctionCase{1, "020104", kCombination, "020104", 0},
        FunctionCase{1, "060121", kCode, "060121", 0},
        FunctionCase{1, "FFFFFF", kCode, "FFFFFF", 0},
        // Combinations.
        FunctionCase{1, "Ctrl+Shift+A", kCombination, "020304", 0},
        FunctionCase{1, "ctrl + alt + Delete", kCombination, "02054C", 0},
        FunctionCase{1, "Win+D", kCombination, "020807", 0},
        FunctionCase{1, "Ctrl+Shift+Alt+Win+A", kCombination, "020F04", 0},
        FunctionCase{1, "Ctrl+Shift+", kCombination, "020300", 0},
        FunctionCase{1, "Ctrl+Shift", kCombination, "020300", 0},
        FunctionCase{1, "F5", kCombination, "02003E", 0},
        FunctionCase{1, "Shift+Space bar", kCombination, "02022C", 0},
        FunctionCase{1, "Ctrl+Hyper", std::nullopt, "Hyper", 0},
        FunctionCase{1, "Hyper+A", std::nullopt, "Hyper", 0},
        FunctionCase{1, "Ctrl++A", std::nullopt, "", 0},
        FunctionCase{1, "+", std::nullopt, "", 0},
        FunctionCase{1, "Ctrl+OEM_8", std::nullopt, "OEM_8", 0},
        FunctionCase{1, "01010", std::nullopt, "", 0},
        FunctionCase{1, "", std::nullopt, "", 0}));

}  // namespace
}  // namespace zelko
