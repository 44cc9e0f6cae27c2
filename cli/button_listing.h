// The labels of the buttons of both profiles, as zelko77ctl prints them.
#pragma once
#include "image/parameter_record.h"
#include "image/workspace.h"

namespace zelko::cli {

// The label of every button's code in language 1..3; slot codes are named
// after the device macro slots of the workspace's macro area. Laid out like
// ProfileKeyCodes.
ProfileKeyCodes ButtonLabels(const Workspace& workspace, int language);

}  // namespace zelko::cli
