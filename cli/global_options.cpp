#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "session/device_option_flags.h"

namespace zelko::cli {

void AddGlobalOptions(CLI::App& app, CliContext& context) {
  // The same options, with the same checks, as zelko77's.
  context.options.mouse.program = "zelko77ctl";
  session::AddDeviceOptions(app, context.options.mouse);
  app.add_flag("--full", context.options.full_write,
               "Writing commands send the whole image and read all of it back, instead of only "
               "the bytes that change and their read-back");
}

void AddJsonFlag(CLI::App& command, CliContext& context) {
  // "macro list" has its schema in macro-list.schema.json.
  std::string schema = command.get_name();
  const CLI::App* parent = command.get_parent();
  if (parent && parent->get_parent()) schema = parent->get_name() + "-" + schema;
  command.add_flag("--json", context.options.json, "Print JSON (docs/json/" + schema + ".schema.json) instead of text");
}

}  // namespace zelko::cli
