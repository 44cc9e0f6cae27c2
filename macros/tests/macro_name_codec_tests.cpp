#include "macros/macro_name_codec.h"

#include <gtest/gtest.h>

namespace zelko {
namespace {

TEST(MacroNameCodec, NameAIsStoredHighByteFirstThenZeros) {
  const MacroName name = MacroNameStrToUnicode("A");
  MacroName expected{};
  expected[1] = 0x41;
  EXPECT_EQ(name, expected);
  EXPECT_EQ(StrToUnicodeHex("A"), "0041");
  EXPECT_EQ(MacroNameText(name), "A");
}

TEST(MacroNameCodec, RoundTripsNonAsciiAndSurrogatePairs) {
  for (const char* text : {"宏定义", "Ärger", "a\xF0\x9F\x98\x80z", "0123456789abcdef"}) {
    EXPECT_EQ(MacroNameText(MacroNameStrToUnicode(text)), text) << text;
  }
  EXPECT_EQ(StrToUnicodeHex("\xE5\xAE\x8F"), "5b8f");
}

TEST(MacroNameCodec, CutsAtSixteenUnitsWithoutSplittingAPair) {
  EXPECT_EQ(MacroNameText(MacroNameStrToUnicode("0123456789abcdefXYZ")), "0123456789abcdef");
  // Fifteen units, then a pair that would need units 16 and 17.
  const std::string fifteen = "0123456789abcde";
  EXPECT_EQ(MacroNameText(MacroNameStrToUnicode(fifteen + "\xF0\x9F\x98\x80")), fifteen);
}

TEST(MacroNameCodec, DecodingEndsAtFirstZeroUnitAndSkipsGroupsThatAreNotHex) {
  MacroName name{};
  name[1] = 'A';
  name[5] = 'B';  // after the zero unit: not shown
  EXPECT_EQ(MacroNameText(name), "A");
  EXPECT_EQ(UnicodeHexToStr("0041zz000042"), "AB");
  EXPECT_EQ(UnicodeHexToStr("1" "0041"), "A");  // leading digits that fill no group
  MacroName erased;
  erased.fill(0xFF);
  EXPECT_EQ(MacroNameText(erased), "\xEF\xBF\xBF\xEF\xBF\xBF\xEF\xBF\xBF\xEF\xBF\xBF\xEF\xBF\xBF\xEF\xBF\xBF"
                                   "\xEF\xBF\xBF\xEF\xBF\xBF\xEF\xBF\xBF\xEF\xBF\xBF\xEF\xBF\xBF\xEF\xBF\xBF"
                                   "\xEF\xBF\xBF\xEF\xBF\xBF\xEF\xBF\xBF\xEF\xBF\xBF");
}

TEST(MacroNameCodec, NameProblems) {
  EXPECT_FALSE(MacroNameProblem("Macro 1"));
  EXPECT_FALSE(MacroNameProblem("0123456789abcdef"));
  EXPECT_TRUE(MacroNameProblem(""));
  EXPECT_TRUE(MacroNameProblem("0123456789abcdefg"));
  EXPECT_TRUE(MacroNameProblem("bad \xFF utf8"));
  EXPECT_TRUE(MacroNameProblem(std::string("a\0b", 3)));
}

}  // namespace
}  // namespace zelko
