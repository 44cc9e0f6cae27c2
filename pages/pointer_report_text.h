// One line for the Advanced page saying what the running desktop did with
// the pointer settings just written: which it took, which it has no place
// for (they are only kept), and which it refused.
#pragma once
#include <string>

#include "pointer/pointer_parameters.h"

namespace zelko {

// "Desktop took: speed, double-click · kept only: scroll lines"; empty when
// nothing was handed to the desktop.
std::string DesktopOutcomeLine(const PointerApplyReport& report);

}  // namespace zelko
