// zelko77ctl commands of this area: keytest, set-identity.
#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli_context.h"
#include "cli/engineer_commands.h"

namespace zelko::cli {

void RegisterEngineerCommands(CLI::App& app, CliContext& context) {
  auto* keytest = app.add_subcommand("keytest",
                                     "Print each of the mouse's buttons (1..9) as it is pressed; five seconds "
                                     "without a press, or Ctrl+C, end the test");
  AddJsonFlag(*keytest, context);
  keytest->callback([&context] { RunKeyTest(context); });

  auto identity = std::make_shared<SetIdentityOptions>();
  auto* set_identity = app.add_subcommand(
      "set-identity",
      "Engineer: write the manufacturer code VID and product code PID (0..255 each, at 0x36 and "
      "0x37), verified. A pair this program does not accept is refused unless --force: the "
      "mouse could not be read, restored or reset by it afterwards");
  set_identity->add_option("VID", identity->vendor, "Manufacturer code, 0..255 (decimal, or hex with 0x)")
      ->required();
  set_identity->add_option("PID", identity->product, "Product code, 0..255")->required();
  set_identity->add_flag("--force", identity->force, "Write a pair the program will refuse afterwards");
  set_identity->add_flag("--dry-run", identity->dry_run,
                         "Print each byte that would change (address, old, new, field) and write nothing");
  set_identity->callback([&context, identity] { RunSetIdentity(context, *identity); });
}

}  // namespace zelko::cli
