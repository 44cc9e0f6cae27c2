// The explanatory hints of the engineer page's controls, shown in the notes
// label while the mouse is over a control, in the page's term language.
#pragma once
#include <string_view>

#include "resources/engineer_terms.h"

namespace zelko {

// The hint of a control by its object name; empty for a control without one.
// The button selectors btn_Key101..btn_Key209 share one hint per group.
std::string_view EngineerHint(std::string_view control, TermLanguage language);

}  // namespace zelko
