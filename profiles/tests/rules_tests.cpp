// The rules: the decision the switcher acts on, the file that keeps what
// this program does not know, and a file it cannot read left as it is.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/file_reading.h"
#include "base/path_text.h"
#include "profiles/json_position.h"
#include "image/factory_images.h"
#include "profiles/name_text.h"
#include "profiles/profile_rules.h"
#include "profiles/rules_file.h"
#include "profiles/tests/temp_folder.h"

namespace zelko {
namespace {

namespace fs = std::filesystem;

RuleSet Rules() {
  RuleSet rules;
  rules.SetEnabled(true);
  EXPECT_TRUE(rules.AddOrReplace({"steam_app_730", "Shooter", KeyMode::kB}).ok());
  EXPECT_TRUE(rules.AddOrReplace({"Game.exe", "Racing", std::nullopt}).ok());
  EXPECT_TRUE(rules.AddOrReplace({"\xC3\x89lite", "\xE5\xB0\x84\xE5\x87\xBB", KeyMode::kA}).ok());  // Élite -> 射击
  EXPECT_TRUE(rules.SetDefault(DefaultRule{"Desktop", std::nullopt}).ok());
  return rules;
}

struct DecisionCase {
  const char* label;
  std::string app;
  RuleMatch match;
  std::string profile;
};

class RuleForApp : public ::testing::TestWithParam<DecisionCase> {};

TEST_P(RuleForApp, PicksTheRuleThenTheDefault) {
  const RuleDecision decision = Rules().RuleFor(GetParam().app);
  EXPECT_EQ(decision.match, GetParam().match);
  EXPECT_EQ(decision.profile, GetParam().profile);
}

INSTANTIATE_TEST_SUITE_P(
    Apps, RuleForApp,
    ::testing::Values(DecisionCase{"X11Class", "steam_app_730", RuleMatch::kRule, "Shooter"},
                      DecisionCase{"OtherCase", "STEAM_APP_730", RuleMatch::kRule, "Shooter"},
                      DecisionCase{"OuterBlanks", "  steam_app_730\n", RuleMatch::kRule, "Shooter"},
                      DecisionCase{"WindowsExecutable", "GAME.EXE", RuleMatch::kRule, "Racing"},
                      DecisionCase{"AccentedCapital", "\xC3\xA9LITE", RuleMatch::kRule, "\xE5\xB0\x84\xE5\x87\xBB"},
                      DecisionCase{"NoPartialMatch", "steam_app_7300", RuleMatch::kDefault, "Desktop"},
                      DecisionCase{"Unknown", "org.gnome.Nautilus", RuleMatch::kDefault, "Desktop"},
                      DecisionCase{"NoApplication", "", RuleMatch::kDefault, "Desktop"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(RuleSet, DecidesNothingWhenOffOrWithoutDefault) {
  RuleSet rules = Rules();
  EXPECT_EQ(rules.RuleFor("steam_app_730").key_mode, KeyMode::kB);
  EXPECT_EQ(rules.RuleFor("game.exe").key_mode, std::nullopt);
  ASSERT_TRUE(rules.SetDefault(std::nullopt).ok());
  EXPECT_EQ(rules.RuleFor("other").match, RuleMatch::kNothing);
  rules.SetEnabled(false);
  EXPECT_EQ(rules.RuleFor("steam_app_730"), RuleDecision{});
}

TEST(RuleSet, ReplacesRemovesAndFollowsProfiles) {
  RuleSet rules = Rules();
  bool replaced = false;
  ASSERT_TRUE(rules.AddOrReplace({"GAME.exe", "Shooter", KeyMode::kA}, &replaced).ok());
  EXPECT_TRUE(replaced);
  EXPECT_EQ(rules.rules().size(), 3u);
  // Nothing the file could not hold or read back.
  EXPECT_FALSE(rules.AddOrReplace({"  ", "Shooter", std::nullopt}).ok());
  EXPECT_FALSE(rules.AddOrReplace({"app", "", std::nullopt}).ok());
  EXPECT_FALSE(rules.AddOrReplace({"\xFF", "Shooter", std::nullopt}).ok());
  EXPECT_FALSE(rules.SetDefault(DefaultRule{" ", std::nullopt}).ok());
  EXPECT_EQ(rules.rules().size(), 3u);
  EXPECT_EQ(rules.rules()[1].profile, "Shooter");  // in its place
  EXPECT_EQ(rules.RulesNaming("shooter"), (std::vector<RuleRef>{{false, "steam_app_730"}, {false, "GAME.exe"}}));
  ASSERT_TRUE(rules.SetDefault(DefaultRule{"Shooter", KeyMode::kA}).ok());
  EXPECT_EQ(rules.RenameProfile("SHOOTER", "Aim"),
            (std::vector<RuleRef>{{true, ""}, {false, "steam_app_730"}, {false, "GAME.exe"}}));
  EXPECT_EQ(rules.RuleFor("steam_app_730").profile, "Aim");
  EXPECT_EQ(rules.MissingProfiles({"aim"}),
            (std::vector<RuleProblem>{{{false, "\xC3\x89lite"}, "\xE5\xB0\x84\xE5\x87\xBB"}}));
  EXPECT_TRUE(rules.Remove("\xC3\xA9LITE"));
  EXPECT_FALSE(rules.Remove("\xC3\xA9LITE"));
  EXPECT_TRUE(rules.MissingProfiles({"Aim"}).empty());
}

TEST(NameText, FoldsTheCaseOfEveryScriptWithCase) {
  EXPECT_EQ(FoldLetterCase("ABC \xC3\x89\xC3\x80 \xCE\xA3 \xD0\x96 \xC5\x81 \xEF\xBC\xA1 \xE5\xB0\x84"),
            "abc \xC3\xA9\xC3\xA0 \xCF\x83 \xD0\xB6 \xC5\x82 \xEF\xBD\x81 \xE5\xB0\x84");
  EXPECT_EQ(FoldLetterCase("bad \xFF byte"), "bad \xFF byte");
  EXPECT_TRUE(IsValidUtf8("\xE5\xB0\x84"));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));       // overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));   // a surrogate
  EXPECT_FALSE(IsValidUtf8("\xE5\xB0"));       // cut short
}

class RulesFile : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove_all(root_); }
  void Write(const std::string& text) {
    fs::create_directories(file_.parent_path());
    std::ofstream(file_, std::ios::binary) << text;
  }
  std::string Read() const {
    const auto bytes = ReadWholeFile(Utf8FromPath(file_));
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("(none)");
  }
  const fs::path root_ = zelko::testing::FreshTempFolder("rules");
  const fs::path file_ = root_ / "zelko77" / "rules.json";
};

TEST_F(RulesFile, MissingFileHoldsNoRulesAndIsMadeOnSave) {
  const auto rules = LoadRulesFile(file_);
  ASSERT_TRUE(rules.ok()) << rules.error();
  EXPECT_FALSE(rules->enabled());
  EXPECT_TRUE(rules->rules().empty());
  ASSERT_TRUE(SaveRulesFile(file_, Rules()).ok());
  const auto again = LoadRulesFile(file_);
  ASSERT_TRUE(again.ok()) << again.error();
  EXPECT_EQ(*again, Rules());
}

TEST_F(RulesFile, KeepsKeysItDoesNotKnowAtEveryLevel) {
  Write(R"({
  "version": 1,
  "enabled": true,
  "theme": {"colour": "dark"},
  "default": {"profile": "Desktop", "note": "for the browser"},
  "rules": [
    {"app": "steam_app_730", "profile": "Shooter", "key_mode": "B", "delay_ms": 300},
    {"app": "gimp", "profile": "Drawing", "tags": ["work", 2]}
  ],
  "zz_last": null
})");
  auto rules = LoadRulesFile(file_);
  ASSERT_TRUE(rules.ok()) << rules.error();
  ASSERT_TRUE(rules->AddOrReplace({"STEAM_APP_730", "Sniper", KeyMode::kA}).ok());
  ASSERT_TRUE(rules->AddOrReplace({"krita", "Drawing", std::nullopt}).ok());
  EXPECT_TRUE(rules->Remove("gimp"));
  ASSERT_TRUE(rules->SetDefault(DefaultRule{"Office", KeyMode::kB}).ok());
  ASSERT_TRUE(SaveRulesFile(file_, *rules).ok());

  EXPECT_EQ(Read(), R"({
  "version": 1,
  "enabled": true,
  "default": {
    "profile": "Office",
    "key_mode": "B",
    "note": "for the browser"
  },
  "rules": [
    {
      "app": "STEAM_APP_730",
      "profile": "Sniper",
      "key_mode": "A",
      "delay_ms": 300
    },
    {
      "app": "krita",
      "profile": "Drawing"
    }
  ],
  "theme": {
    "colour": "dark"
  },
  "zz_last": null
}
)");
  const auto reread = LoadRulesFile(file_);
  ASSERT_TRUE(reread.ok()) << reread.error();
  EXPECT_EQ(*reread, *rules);
}

struct BrokenCase {
  const char* label;
  std::string text;
  int line;
  int column;
  std::string says;
};

class BrokenRulesFile : public ::testing::TestWithParam<BrokenCase> {
 protected:
  void TearDown() override { fs::remove_all(root_); }
  const fs::path root_ = zelko::testing::FreshTempFolder("rules-broken");
};

TEST_P(BrokenRulesFile, IsReportedByLineAndNeverOverwritten) {
  const BrokenCase& c = GetParam();
  const ParsedRules parsed = ParseRulesText(c.text);
  ASSERT_FALSE(parsed.rules.has_value());
  EXPECT_EQ(parsed.line, c.line) << parsed.error;
  EXPECT_EQ(parsed.column, c.column) << parsed.error;
  EXPECT_NE(parsed.error.find(c.says), std::string::npos) << parsed.error;

  const fs::path file = root_ / "rules.json";
  std::ofstream(file, std::ios::binary) << c.text;
  const auto loaded = LoadRulesFile(file);
  ASSERT_FALSE(loaded.ok());
  const std::string where = ":" + std::to_string(c.line) + ":" + std::to_string(c.column) + ":";
  EXPECT_NE(loaded.error().find(where), std::string::npos) << loaded.error();
  EXPECT_NE(loaded.error().find("left as it is"), std::string::npos) << loaded.error();
  EXPECT_FALSE(SaveRulesFile(file, Rules()).ok());
  const auto bytes = ReadWholeFile(Utf8FromPath(file));
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(std::string(bytes->begin(), bytes->end()), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BrokenRulesFile,
    ::testing::Values(
        // A syntax error is placed where the parser found it (the end of the
        // token it did not expect); a wrong value where the value starts.
        BrokenCase{"MissingComma", "{\n  \"version\": 1\n  \"enabled\": true\n}", 3, 11, "not valid JSON"},
        BrokenCase{"CutShort", "{\n  \"rules\": [\n", 3, 1, "not valid JSON"},
        BrokenCase{"ColumnCountsCharacters", "{\"default\": {\"profile\": \"\xE5\xB0\x84\xE5\x87\xBB\",}}", 1, 30,
                   "not valid JSON"},
        BrokenCase{"NumberTooLarge", "{\"rules\": [],\n \"x\": 1e999}", 2, 7, "number overflow"},
        BrokenCase{"NotAnObject", "[1, 2]", 1, 1, "one JSON object"},
        BrokenCase{"EnabledNotAFlag", "{\n  \"enabled\": \"yes\"\n}", 2, 14, "true or false"},
        BrokenCase{"NewerVersion", "{\"version\": 2}", 1, 13, "newer program"},
        BrokenCase{"BadKeyMode",
                   "{\n  \"rules\": [\n    {\"app\": \"a\", \"profile\": \"P\"},\n    {\"app\": \"b\", \"profile\": "
                   "\"P\", \"key_mode\": \"C\"}\n  ]\n}",
                   4, 46, "\"A\" or \"B\""},
        BrokenCase{"RuleWithoutProfile", "{\"rules\": [\n  {\"app\": \"a\"}\n]}", 2, 3, "\"profile\" is missing"},
        BrokenCase{"EmptyApplication", "{\"rules\": [{\"app\": \"  \", \"profile\": \"P\"}]}", 1, 20,
                   "\"app\" must be a text"},
        BrokenCase{"TwoRulesForOneApplication",
                   "{\"rules\": [\n  {\"app\": \"Gimp\", \"profile\": \"P\"},\n  {\"app\": \"gimp\", \"profile\": \"Q\"}\n]}",
                   3, 3, "second rule"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(RulesFile, FailedSaveLeavesTheOldFile) {
  ASSERT_TRUE(SaveRulesFile(file_, Rules()).ok());
  const std::string before = Read();
  RuleSet changed = Rules();
  changed.SetEnabled(false);
  const Status saved = SaveRulesFile(file_, changed, [](AtomicWriteStep step) { return step != AtomicWriteStep::kWriteChunk; });
  EXPECT_FALSE(saved.ok());
  EXPECT_EQ(Read(), before);
}

TEST(JsonPosition, FindsValuesByPath) {
  const std::string text = "{\"a\": [1, {\"b\": \"x\"}],\n \"c\": {\"d\": [true, null]}}";
  EXPECT_EQ(PositionOfValue(text, {{"a", -1}, {"", 1}, {"b", -1}}), (TextPosition{1, 17}));
  EXPECT_EQ(PositionOfValue(text, {{"c", -1}, {"d", -1}, {"", 1}}), (TextPosition{2, 20}));
  EXPECT_EQ(PositionOfValue(text, {{"e", -1}}), std::nullopt);
  EXPECT_EQ(PositionOfValue(text, {{"a", -1}, {"", 5}}), std::nullopt);
}

TEST(ProfileRules, RenameCarriesTheRulesAlongAndDeleteNamesThem) {
  const fs::path root = zelko::testing::FreshTempFolder("profile-rules");
  ProfileLibrary library(root / "profiles");
  ASSERT_TRUE(library.Add("Shooter", FactoryImage(1).value()).ok());
  RuleSet rules = Rules();

  const auto renamed = RenameProfileAndRules(library, rules, "shooter", "Sniper");
  ASSERT_TRUE(renamed.status.ok()) << renamed.status.error();
  EXPECT_EQ(renamed.rules, (std::vector<RuleRef>{{false, "steam_app_730"}}));
  EXPECT_EQ(rules.RuleFor("steam_app_730").profile, "Sniper");

  const auto refused = RenameProfileAndRules(library, rules, "Nobody", "Other");
  EXPECT_FALSE(refused.status.ok());
  EXPECT_TRUE(refused.rules.empty());

  const auto deleted = DeleteProfileNamedByRules(library, rules, "Sniper");
  ASSERT_TRUE(deleted.status.ok());
  EXPECT_EQ(deleted.rules, (std::vector<RuleRef>{{false, "steam_app_730"}}));
  EXPECT_EQ(rules.MissingProfiles({}).size(), 4u);  // the default and three rules
  fs::remove_all(root);
}

}  // namespace
}  // namespace zelko
