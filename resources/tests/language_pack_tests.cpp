#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "resources/language_pack.h"

namespace zelko {
namespace {

std::vector<std::uint8_t> Utf16LeBytes(std::u16string_view text, bool with_mark = true) {
  std::vector<std::uint8_t> bytes;
  if (with_mark) bytes = {0xFF, 0xFE};
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

// A pack that holds every kind of entry the parser meets.
const std::u16string kFixture =
    u"\"Str999=before any section\"\r\n"
    u"[lang1]\r\n"
    u"\r\n"
    u"\"Str210=Left Click\"\r\n"
    u"Str211=Right Click\r\n"
    u"\"Str212=say \"\"hi\"\"\"\r\n"
    u"\"Str213=first\"\r\n"
    u"\"STR213=second\"\r\n"
    u"\"Str214 =  spaced  \"\r\n"
    u"\";Str215=comment\"\r\n"
    u"\"Str216=\"\r\n"
    u"\t\"Str217=\u5de6\u952e\"Str218=glued\n"
    u"\"Str219=\"\"\"\r\n"
    u"[other]\r\n"
    u"\"Str220=other section\"\r\n"
    u"[LANG1]\r\n"
    u"\"Str221=section again\"\r\n"
    u"\"Str222=not closed";

// A parameterised case is named by its own `name`, so test lists read as
// behaviours and stay the same from build to build.
constexpr auto kCaseName = [](const auto& info) { return std::string(info.param.name); };

struct EntryCase {
  std::string_view name;
  std::string_view key;
  std::string_view text;
  bool present;
};

class PackEntries : public ::testing::TestWithParam<EntryCase> {};

TEST_P(PackEntries, ParseByTheEntryRules) {
  const auto pack = ParseLanguagePack(Utf16LeBytes(kFixture), "lang1");
  const auto& c = GetParam();
  EXPECT_EQ(pack.Has(c.key), c.present) << c.key;
  EXPECT_EQ(pack.Text(c.key), c.text) << c.key;
}

INSTANTIATE_TEST_SUITE_P(
    LanguagePack, PackEntries,
    ::testing::Values(
        EntryCase{"QuotedValueWithASpace", "Str210", "Left Click", true},
        EntryCase{"UnquotedEndsAtTheSpace", "Str211", "Right", true},
        EntryCase{"DoubledQuotes", "Str212", "say \"hi\"", true},
        EntryCase{"EqualKeysTheFirstCounts", "str213", "first", true},
        EntryCase{"BlanksAroundKeyAndValue", "Str214", "spaced", true},
        EntryCase{"SemicolonEntryIsAComment", "Str215", "", false},
        EntryCase{"DefinedEmpty", "Str216", "", true},
        EntryCase{"Utf16TextAsUtf8", "Str217", "\xE5\xB7\xA6\xE9\x94\xAE", true},
        EntryCase{"EntryRightAfterAQuotedRun", "Str218", "glued", true},
        EntryCase{"OnlyADoubledQuote", "Str219", "\"", true},
        EntryCase{"AnotherSection", "Str220", "", false},
        EntryCase{"SectionAgainInOtherCase", "Str221", "section again", true},
        EntryCase{"UnclosedQuoteRunsToTheEnd", "Str222", "not closed", true},
        EntryCase{"BeforeTheFirstSection", "Str999", "", false}),
    kCaseName);

TEST(LanguagePack, ReadsTextWithoutByteOrderMarkAndIgnoresAnOddLastByte) {
  auto bytes = Utf16LeBytes(u"[lang2] \"Str210=A B\"", false);
  bytes.push_back(0x41);
  const auto pack = ParseLanguagePack(bytes, "lang2");
  EXPECT_EQ(pack.Text("Str210"), "A B");
  EXPECT_EQ(pack.size(), 1u);
}

TEST(LanguagePack, SurrogatePairsBecomeOneCharacterAndLoneOnesAreReplaced) {
  const std::u16string text = u"[lang1] \"Str001=\xD83D\xDE00\" \"Str002=a\xD800z\" \"Str003=\xDC00\"";
  const auto pack = ParseLanguagePack(Utf16LeBytes(text), "lang1");
  EXPECT_EQ(pack.Text("Str001"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(pack.Text("Str002"), "a\xEF\xBF\xBDz");
  EXPECT_EQ(pack.Text("Str003"), "\xEF\xBF\xBD");
}

TEST(LanguagePack, NothingParsesFromEmptyOrForeignBytes) {
  EXPECT_EQ(ParseLanguagePack({}, "lang1").size(), 0u);
  EXPECT_EQ(ParseLanguagePack(Utf16LeBytes(u"\"Str210=x\""), "lang1").size(), 0u);
  EXPECT_EQ(ParseLanguagePack(Utf16LeBytes(u"[lang1"), "lang1").size(), 0u);
}

// FontName, Title and 187 text ids; Str449 is the program's own, the line
// that says the recorder hears only what reaches the window, and so are
// the Save Profile question about unapplied edits and its answers
// (Str150..Str153), the 46 texts of the profile differences
// (Str800..Str860), the words of
// the line that says what the desktop did with the pointer settings
// (Str870..Str876), and the save dialog's replace question and file type
// (Str880, Str881).
TEST(ShippedLanguagePacks, HoldTheSame189Keys) {
  const auto keys_of = [](const LanguagePack& pack) {
    std::set<std::string> keys;
    for (const char* fixed : {"FontName", "Title"}) {
      if (pack.Has(fixed)) keys.insert(fixed);
    }
    for (int n = 0; n <= 999; ++n) {
      char id[8];
      std::snprintf(id, sizeof id, "Str%03d", n);
      if (pack.Has(id)) keys.insert(id);
    }
    return keys;
  };
  const auto keys1 = keys_of(LoadLanguagePack(1));
  EXPECT_EQ(keys1.size(), 189u);
  EXPECT_EQ(LoadLanguagePack(1).size(), 189u);
  for (int n = 2; n <= 3; ++n) {
    EXPECT_EQ(keys_of(LoadLanguagePack(n)), keys1) << "pack " << n;
    EXPECT_EQ(LoadLanguagePack(n).size(), 189u) << "pack " << n;
  }
  EXPECT_EQ(LoadLanguagePack(0).size(), 0u);
  EXPECT_EQ(LoadLanguagePack(4).size(), 0u);
}

struct PackTextCase {
  int pack;
  std::string_view id;
  std::string_view text;
};

class ShippedTexts : public ::testing::TestWithParam<PackTextCase> {};

TEST_P(ShippedTexts, AreTheProductTexts) {
  EXPECT_EQ(LangText(GetParam().pack, GetParam().id), GetParam().text)
      << GetParam().pack << " " << GetParam().id;
}

INSTANTIATE_TEST_SUITE_P(
    LanguagePack, ShippedTexts,
    ::testing::Values(
        PackTextCase{1, "FontName", "Helvetica"}, PackTextCase{1, "Title", "ZELKO77 USB Gaming Mouse"},
        PackTextCase{1, "Str210", "Left Click"},
        PackTextCase{1, "Str108", "Left click (Primary button function) must be assigned to a button."},
        PackTextCase{1, "Str101", ""}, PackTextCase{1, "Str310", "6400"},
        PackTextCase{1, "Str701", "Press DPI for 3 sec. to change Profile"},
        PackTextCase{2, "FontName", "Helvetica"},
        PackTextCase{2, "Title", "ZELKO77\xE6\xB8\xB8\xE6\x88\x8F\xE9\xBC\xA0\xE6\xA0\x87\xE9\xA9\xB1\xE5\x8A\xA8"},
        PackTextCase{2, "Str210", "\xE5\xB7\xA6\xE9\x94\xAE"},  // 左键
        PackTextCase{2, "Str108", "\xE8\xAF\xB7\xE4\xBF\x9D\xE7\x95\x99\xE4\xB8\x80\xE4\xB8\xAA\xE5\xB7\xA6\xE9\x94\xAE"},
        PackTextCase{2, "Str232", "CPI +"},
        PackTextCase{3, "FontName", "Arial Narrow"}, PackTextCase{3, "Str210", "Left Key"},
        PackTextCase{3, "Str108", "Please keep a Left Key"}, PackTextCase{3, "Str262", "WWW Back"},
        PackTextCase{3, "Str211", "Right Key"}, PackTextCase{3, "Str214", "Forward"},
        PackTextCase{3, "Str700", "Press 'Middle Key' 3s Switch Mode A/Mode B"},
        PackTextCase{1, "Str223", ""}, PackTextCase{2, "Str223", ""}, PackTextCase{3, "Str223", ""},
        PackTextCase{1, "Str600", ""}, PackTextCase{4, "Str210", ""}),
    [](const auto& info) {
      return "Pack" + std::to_string(info.param.pack) + "_" + std::string(info.param.id);
    });

TEST(ShippedLanguagePacks, ThirdTitleIsItsOwn) {
  EXPECT_FALSE(LangText(3, "Title").empty());
  EXPECT_NE(LangText(3, "Title"), LangText(1, "Title"));
}

struct FindCase {
  std::string_view name;
  std::string_view text;
  std::string_view id;
};

class FindShippedIds : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindShippedIds, TakeTheLastMatch) {
  EXPECT_EQ(FindTextId(GetParam().text), GetParam().id) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    LanguagePack, FindShippedIds,
    ::testing::Values(FindCase{"Backward", "Backward", "Str262"}, FindCase{"Stop", "Stop", "Str401"},
                      FindCase{"LeftClick", "Left Click", "Str210"}, FindCase{"LeftKey", "Left Key", "Str210"},
                      FindCase{"LeftKeyInChinese", "\xE5\xB7\xA6\xE9\x94\xAE", "Str210"},
                      FindCase{"ConfirmAboveStr000", "Confirm", "Str501"},  // Str000 lies below the searched ids
                      FindCase{"NotAPackText", "Profile 1", ""}, FindCase{"Combination", "Ctrl+A", ""},
                      FindCase{"OtherCase", "left click", ""}),
    kCaseName);

TEST(LanguagePack, FindTextIdSearchesPacksInOrderAndIdsAscending) {
  LanguagePack first;
  first.Add("Str500", "Same");
  first.Add("Str099", "Low");
  first.Add("Str701", "High");
  LanguagePack second;
  second.Add("Str100", "Same");
  second.Add("Str700", "High");
  const std::vector<LanguagePack> packs = {first, second};
  EXPECT_EQ(FindTextId("Same", packs), "Str100");  // the later pack wins
  EXPECT_EQ(FindTextId("High", packs), "Str700");  // Str701 is beyond the search
  EXPECT_EQ(FindTextId("Low", packs), "");
}

}  // namespace
}  // namespace zelko
