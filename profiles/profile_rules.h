// Renaming or deleting a profile that rules may name: the library changes,
// and the caller learns which rules named the profile, to save them (a
// rename carries them along) or to warn (a delete leaves them naming a
// profile that is gone; RuleSet::MissingProfiles lists them later too).
#pragma once
#include <string_view>
#include <vector>

#include "base/result.h"
#include "profiles/profile_library.h"
#include "profiles/rules.h"

namespace zelko {

struct ProfileRulesChange {
  Status status = Status::Ok();
  // The rules that named the profile. After a rename they name the new
  // name (when the library renamed it); after a delete they name nothing.
  std::vector<RuleRef> rules;
};

// The profile renamed in the library; when that worked, every rule naming
// it names the new name in `rules` (which the caller saves).
[[nodiscard]] ProfileRulesChange RenameProfileAndRules(ProfileLibrary& library, RuleSet& rules,
                                                       std::string_view name, std::string_view new_name);

// The profile moved to the trash; the rules are not changed.
[[nodiscard]] ProfileRulesChange DeleteProfileNamedByRules(ProfileLibrary& library, const RuleSet& rules,
                                                           std::string_view name);

}  // namespace zelko
