// Reading the mouse, changing its settings, and writing the image back with
// verification, for the set- commands of this area.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "cli/cli_context.h"
#include "settings/mouse_settings.h"

namespace zelko::cli {

// Returns an empty string when the change was made, otherwise why it was
// refused.
using SettingsEdit = std::function<std::string(MouseSettings&)>;

// Reads the whole image, applies `edit`, and writes the image back through
// the same encode-pack-write-verify path as Apply. With `dry_run` it prints
// what would change instead. Returns the exit status.
int RunSettingsEdit(CliContext& context, std::string_view command, const SettingsEdit& edit,
                    bool dry_run);

}  // namespace zelko::cli
