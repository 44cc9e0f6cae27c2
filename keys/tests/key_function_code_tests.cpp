#include <gtest/gtest.h>

#include "keys/function_catalogue.h"
#include "keys/key_function_code.h"
#include "keys/macro_slot_code.h"

namespace zelko {
namespace {

TEST(KeyFunctionCode, TextAndBytesConvertBothWays) {
  EXPECT_EQ(KeyCodeBytes("011000"), (KeyFunctionCode{0x01, 0x10, 0x00}));
  EXPECT_EQ(KeyCodeBytes("0e0121"), (KeyFunctionCode{0x0E, 0x01, 0x21}));
  EXPECT_EQ(KeyCodeText({0x0A, 0xFF, 0x12}), "0AFF12");
  EXPECT_EQ(KeyCodeText({0x00, 0x00, 0x00}), "000000");
}

TEST(KeyFunctionCode, TextThatIsNotSixHexDigitsHasNoBytes) {
  for (std::string_view bad : {"", "01010", "0101000", "01010G", " 10100", "0x0101"}) {
    EXPECT_FALSE(KeyCodeBytes(bad).has_value()) << bad;
    EXPECT_FALSE(IsKeyCodeText(bad)) << bad;
  }
}

TEST(KeyFunctionCode, MenuTagsGiveCatalogueCodes) {
  struct Case {
    int tag;
    std::uint8_t aim;
    std::string_view code;
  };
  for (const Case& c : {Case{900, 0, "010100"}, Case{1002, 10, "0A0A00"},
                        Case{1002, 3, "0A0300"}, Case{1003, 0, "0D0000"},
                        Case{1103, 0, "020807"}, Case{1000, 0, "0600F0"},
                        Case{2002, 0, "080000"}, Case{905, 0, ""}, Case{0, 0, ""},
                        Case{7, 0, ""}}) {
    EXPECT_EQ(MenuTagToKeyCode(c.tag, c.aim), c.code) << c.tag;
  }
}

TEST(KeyFunctionCode, EveryCategoryTagIsInTheCatalogueAndTag1003IsInNone) {
  std::size_t listed = 0;
  for (const auto& category : MenuCategories()) {
    for (const int tag : category.menu_tags) {
      EXPECT_NE(FindCatalogueEntry(tag), nullptr) << tag;
      EXPECT_NE(tag, 1003);
      ++listed;
    }
  }
  EXPECT_EQ(listed, FunctionCatalogue().size() - 1);
}

TEST(MacroSlotCode, SlotWordsAndReleaseModes) {
  EXPECT_EQ(MacroSlotCode(1, 0), "060121");
  EXPECT_EQ(MacroSlotCode(3, 1), "0E0321");
  EXPECT_EQ(MacroSlotCode(7, 1), "0E0721");
  EXPECT_EQ(MacroSlotCode(0, 0), "");
  EXPECT_EQ(MacroSlotCode(8, 0), "");

  EXPECT_EQ(MacroSlotOfCode("060121"), 1);
  EXPECT_EQ(MacroSlotOfCode("0E0721"), 7);
  for (std::string_view other : {"060821", "0600F0", "070121", "0E0122", "06012"}) {
    EXPECT_FALSE(MacroSlotOfCode(other).has_value()) << other;
  }
}

}  // namespace
}  // namespace zelko
