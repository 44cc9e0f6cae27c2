#include <gtest/gtest.h>

#include <map>
#include <string>

#include "resources/engineer_terms.h"

namespace zelko {
namespace {

TEST(EngineerTerms, EveryTermHasBothTexts) {
  for (int index = 0; index < kEngineerTermCount; ++index) {
    const EngineerTermId id = TermAfter(EngineerTermId::kModeA, index);
    EXPECT_FALSE(EngineerTerm(id, TermLanguage::English).empty()) << index;
    EXPECT_FALSE(EngineerTerm(id, TermLanguage::Chinese).empty()) << index;
  }
  EXPECT_EQ(EngineerTerm(TermAfter(EngineerTermId::kNotes, 1), TermLanguage::English), "");
}

TEST(EngineerTerms, TermsSitAtTheirIds) {
  struct Case {
    EngineerTermId id;
    std::string_view english;
    std::string_view chinese;
  };
  for (const Case& c : {
           Case{EngineerTermId::kModeA, "Mode A", "\xE6\xA8\xA1\xE5\xBC\x8F" "A"},
           Case{EngineerTermId::kOperation, "Operation", "\xE6\x93\x8D\xE4\xBD\x9C\xE4\xBA\xBA\xE5\x91\x98\xE7\x95\x8C\xE9\x9D\xA2"},
           Case{EngineerTermId::kMcuLed, "MCU LED", "\xE6\xB5\x81\xE5\x85\x89\xE7\x81\xAF"},
           Case{EngineerTermId::kWhite, "White", "\xE7\x99\xBD\xE8\x89\xB2"},
           Case{EngineerTermId::kMode1, "Mode 1", "\xE6\xA8\xA1\xE5\xBC\x8F" "1"},
           Case{TermAfter(EngineerTermId::kMode1, 6), "Mode 7", "\xE6\xA8\xA1\xE5\xBC\x8F" "7"},
           Case{TermAfter(EngineerTermId::kMode1Red, 2), "Mode1 B::", "\xE6\xA8\xA1\xE5\xBC\x8F" "1 B:"},
           Case{EngineerTermId::kPressCpiKey, "Press CPI Key", "CPI\xE9\x95\xBF\xE6\x8C\x89"},
           Case{EngineerTermId::kOrientation0, "0\xC2\xB0", "0\xC2\xB0"},
           Case{EngineerTermId::kCpi1, "CPI 1:", "CPI 1:"},
           Case{TermAfter(EngineerTermId::kCpi1, 6), "CPI 7:", "CPI 7:"},
           Case{EngineerTermId::kFireMacro1Red, "Macro1 R:", "\xE5\xAE\x8F" "1 R:"},
           Case{TermAfter(EngineerTermId::kFireMacro1Red, 29), "Macro10 B:", "\xE5\xAE\x8F" "10 B:"},
           Case{EngineerTermId::kFireMacro1YOffset, "Macro1 Y Offset:", "\xE5\xAE\x8F" "1 Y\xE8\xBD\xB4\xE5\x81\x8F\xE7\xA7\xBB:"},
           Case{TermAfter(EngineerTermId::kFireMacro1YOffset, 9), "Macro10 Y Offset:", "\xE5\xAE\x8F" "10 Y\xE8\xBD\xB4\xE5\x81\x8F\xE7\xA7\xBB:"},
           Case{EngineerTermId::kNotes, "Notes: ", "\xE6\xB3\xA8\xE9\x87\x8A: "}}) {
    EXPECT_EQ(EngineerTerm(c.id, TermLanguage::English), c.english) << c.english;
    EXPECT_EQ(EngineerTerm(c.id, TermLanguage::Chinese), c.chinese) << c.english;
  }
}

TEST(EngineerTerms, ChineseOnlyForChinesePrcLocales) {
  struct Case {
    std::string_view locale;
    TermLanguage language;
  };
  for (const Case& c : {Case{"zh_CN", TermLanguage::Chinese},
                        Case{"zh_CN.UTF-8", TermLanguage::Chinese},
                        Case{"zh_CN.GB18030@stroke", TermLanguage::Chinese},
                        Case{"zh-cn", TermLanguage::Chinese},
                        Case{"zh_TW.UTF-8", TermLanguage::English},
                        Case{"zh_CNX", TermLanguage::English}, Case{"en_US.UTF-8", TermLanguage::English},
                        Case{"C", TermLanguage::English}, Case{"", TermLanguage::English}}) {
    EXPECT_EQ(TermLanguageForLocale(c.locale), c.language) << c.locale;
  }
  EXPECT_EQ(TermLanguageForLocaleId(2052), TermLanguage::Chinese);
  EXPECT_EQ(TermLanguageForLocaleId(1033), TermLanguage::English);
}

TEST(EngineerTerms, FirstSetLocaleVariableDecides) {
  const auto environment = [](std::map<std::string, std::string> values) {
    return [values](const char* variable) {
      const auto it = values.find(variable);
      return it == values.end() ? std::string() : it->second;
    };
  };
  EXPECT_EQ(TermLanguageFromEnvironment(environment({{"LANG", "zh_CN.UTF-8"}})),
            TermLanguage::Chinese);
  EXPECT_EQ(TermLanguageFromEnvironment(
                environment({{"LC_ALL", "en_GB.UTF-8"}, {"LANG", "zh_CN.UTF-8"}})),
            TermLanguage::English);
  EXPECT_EQ(TermLanguageFromEnvironment(
                environment({{"LC_ALL", ""}, {"LC_MESSAGES", "zh_CN"}, {"LANG", "C"}})),
            TermLanguage::Chinese);
  EXPECT_EQ(TermLanguageFromEnvironment(environment({})), TermLanguage::English);
}

}  // namespace
}  // namespace zelko
