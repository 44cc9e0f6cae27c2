// The rules file: JSON a user writes by hand, in any state.
//
// Properties: text is either read as rules or refused with a place (line and
// column from 1); rules that were read, written and read again are the same
// rules, unknown keys included, and writing them again gives the same text;
// every rule decides for its own application.
#include "fuzz/fuzz_check.h"
#include "profiles/rules_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelko;
  const ParsedRules parsed = ParseRulesText(fuzz::Text(data, size));
  if (!parsed.rules) {
    FUZZ_REQUIRE(!parsed.error.empty());
    FUZZ_REQUIRE(parsed.line >= 1 && parsed.column >= 1);
    return 0;
  }
  const RuleSet& rules = *parsed.rules;
  const std::string text = RulesText(rules);
  const ParsedRules again = ParseRulesText(text);
  FUZZ_REQUIRE(again.rules.has_value());
  FUZZ_REQUIRE(*again.rules == rules);
  FUZZ_REQUIRE(RulesText(*again.rules) == text);

  RuleSet on = rules;
  on.SetEnabled(true);
  for (const auto& rule : rules.rules()) {
    const RuleDecision decision = on.RuleFor(rule.app);
    FUZZ_REQUIRE(decision.match == RuleMatch::kRule);
    FUZZ_REQUIRE(decision.profile == rule.profile);
  }
  return 0;
}
