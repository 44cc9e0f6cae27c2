#include "cli/pointer_image_write.h"

#include <memory>

#include "cli/image_session.h"

namespace zelko::cli {

int RunPointerImageEdit(CliContext& context, std::string_view command, const PointerImageEdit& edit,
                        bool dry_run) {
  // The working state lives as long as the hooks that point at it.
  auto pointer = std::make_shared<PointerWorkspace>();
  ImageWriteRequest request;
  request.dry_run = dry_run;
  request.prepare = [pointer](Workspace& workspace) { InstallPointerHooks(workspace.hooks, *pointer); };
  request.edit = [pointer, &edit, name = std::string(command)](Workspace& workspace,
                                                               std::string& error) {
    const std::string refused = edit(workspace.record, *pointer);
    if (refused.empty()) return true;
    error = name + ": " + refused + "; nothing was written";
    return false;
  };
  RunImageWrite(context, request);
  return context.exit_code;
}

}  // namespace zelko::cli
