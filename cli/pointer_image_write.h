// Reading the mouse, changing its image through the pointer working state,
// and writing it back with verification, for the set- commands of this
// area.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "cli/cli_context.h"
#include "image/parameter_record.h"
#include "pointer/pointer_workspace.h"

namespace zelko::cli {

// Returns an empty string when the change was made, otherwise why it was
// refused.
using PointerImageEdit = std::function<std::string(ParameterRecord&, PointerWorkspace&)>;

// Reads the whole image, applies `edit`, and writes the image back through
// the same pack-write-verify path as Apply. With `dry_run` it prints what
// would change instead. Returns the exit status.
int RunPointerImageEdit(CliContext& context, std::string_view command, const PointerImageEdit& edit,
                        bool dry_run);

}  // namespace zelko::cli
