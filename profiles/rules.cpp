#include "profiles/rules.h"

#include <algorithm>

#include "profiles/name_text.h"

namespace zelko {

const AppRule* RuleSet::RuleOf(std::string_view app) const {
  const std::string key = NameKey(app);
  for (const auto& rule : rules_) {
    if (NameKey(rule.app) == key) return &rule;
  }
  return nullptr;
}

namespace {

// Why a text cannot name an application or a profile in a rule.
std::optional<std::string> NameProblem(std::string_view what, std::string_view name) {
  if (TrimOuterBlanks(name).empty()) return "a rule's " + std::string(what) + " cannot be empty";
  if (!IsValidUtf8(name)) return "a rule's " + std::string(what) + " must be valid UTF-8 text";
  return std::nullopt;
}

}  // namespace

Status RuleSet::SetDefault(std::optional<DefaultRule> rule) {
  if (rule) {
    if (auto problem = NameProblem("profile", rule->profile)) return Status::Failure(*problem);
    rule->profile = std::string(TrimOuterBlanks(rule->profile));
  }
  default_ = std::move(rule);
  return Status::Ok();
}

Status RuleSet::AddOrReplace(AppRule rule, bool* replaced) {
  if (auto problem = NameProblem("application", rule.app)) return Status::Failure(*problem);
  if (auto problem = NameProblem("profile", rule.profile)) return Status::Failure(*problem);
  rule.app = std::string(TrimOuterBlanks(rule.app));
  rule.profile = std::string(TrimOuterBlanks(rule.profile));
  const std::string key = NameKey(rule.app);
  if (replaced) *replaced = false;
  for (auto& existing : rules_) {
    if (NameKey(existing.app) == key) {
      existing = std::move(rule);
      if (replaced) *replaced = true;
      return Status::Ok();
    }
  }
  rules_.push_back(std::move(rule));
  return Status::Ok();
}

bool RuleSet::Remove(std::string_view app) {
  const std::string key = NameKey(app);
  const auto it = std::find_if(rules_.begin(), rules_.end(), [&](const AppRule& r) { return NameKey(r.app) == key; });
  if (it == rules_.end()) return false;
  rules_.erase(it);
  unknown_.rules.erase(key);
  return true;
}

RuleDecision RuleSet::RuleFor(std::string_view app) const {
  if (!enabled_) return {};
  if (!TrimOuterBlanks(app).empty()) {
    if (const AppRule* rule = RuleOf(app)) return {RuleMatch::kRule, rule->profile, rule->key_mode, rule->app};
  }
  if (default_) return {RuleMatch::kDefault, default_->profile, default_->key_mode, {}};
  return {};
}

std::vector<RuleRef> RuleSet::RulesNaming(std::string_view profile) const {
  const std::string key = NameKey(profile);
  std::vector<RuleRef> refs;
  if (default_ && NameKey(default_->profile) == key) refs.push_back({true, {}});
  for (const auto& rule : rules_) {
    if (NameKey(rule.profile) == key) refs.push_back({false, rule.app});
  }
  return refs;
}

std::vector<RuleRef> RuleSet::RenameProfile(std::string_view profile, std::string_view new_name) {
  const std::string key = NameKey(profile);
  const std::string renamed(TrimOuterBlanks(new_name));
  std::vector<RuleRef> refs;
  if (default_ && NameKey(default_->profile) == key) {
    default_->profile = renamed;
    refs.push_back({true, {}});
  }
  for (auto& rule : rules_) {
    if (NameKey(rule.profile) == key) {
      rule.profile = renamed;
      refs.push_back({false, rule.app});
    }
  }
  return refs;
}

std::vector<RuleProblem> RuleSet::MissingProfiles(const std::vector<std::string>& profiles) const {
  std::vector<std::string> keys;
  for (const auto& name : profiles) keys.push_back(NameKey(name));
  const auto known = [&](const std::string& name) {
    return std::find(keys.begin(), keys.end(), NameKey(name)) != keys.end();
  };
  std::vector<RuleProblem> problems;
  if (default_ && !known(default_->profile)) problems.push_back({{true, {}}, default_->profile});
  for (const auto& rule : rules_) {
    if (!known(rule.profile)) problems.push_back({{false, rule.app}, rule.profile});
  }
  return problems;
}

}  // namespace zelko
