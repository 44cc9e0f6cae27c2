#include "profiles/profile_rules.h"

namespace zelko {

ProfileRulesChange RenameProfileAndRules(ProfileLibrary& library, RuleSet& rules, std::string_view name,
                                         std::string_view new_name) {
  ProfileRulesChange change;
  // The rules follow the name the entry had, whatever case the caller typed.
  const auto entry = library.Find(name);
  change.status = library.Rename(name, new_name);
  if (change.status.ok()) change.rules = rules.RenameProfile(entry ? entry->name : std::string(name), new_name);
  return change;
}

ProfileRulesChange DeleteProfileNamedByRules(ProfileLibrary& library, const RuleSet& rules, std::string_view name) {
  ProfileRulesChange change;
  change.status = library.Delete(name);
  if (change.status.ok()) change.rules = rules.RulesNaming(name);
  return change;
}

}  // namespace zelko
