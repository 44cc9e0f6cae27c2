#include "cli/pointer_image_write.h"

#include "cli/image_session.h"
#include "image/section_read.h"

namespace zelko::cli {

int RunSettingsEdit(CliContext& context, std::string_view command, const SettingsEdit& edit,
                    bool dry_run) {
  ImageWriteRequest request;
  request.dry_run = dry_run;
  request.made_by = {std::string(command), ""};
  // Every setting lives in these; the reserves and the macro area stay unread.
  request.ranges_to_read = SectionReadRanges(
      {Section::ParameterA, Section::ParameterB, Section::Profile, Section::FireKey});
  request.edit_settings = [&edit, name = std::string(command)](MouseSettings& settings, Workspace&,
                                                               std::string& error) {
    const std::string refused = edit(settings);
    if (refused.empty()) return true;
    error = name + ": " + refused + "; nothing was written";
    return false;
  };
  RunImageWrite(context, request);
  return context.exit_code;
}

}  // namespace zelko::cli
