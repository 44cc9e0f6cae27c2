// zelko77ctl commands of this area: read, show, save, load, reset,
// defaults, restore, backups, watch.
#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli_context.h"
#include "cli/image_commands.h"

namespace zelko::cli {
namespace {

void AddDryRun(CLI::App& command, WriteOptions& options) {
  command.add_flag("--dry-run", options.dry_run,
                   "Print each byte that would change (address, old, new, field) and write nothing");
}

}  // namespace

void RegisterImageCommands(CLI::App& app, CliContext& context) {
  app.add_subcommand("read", "Read the mouse's whole image and say which sections were damaged")
      ->callback([&context] { RunRead(context); });

  auto json = std::make_shared<bool>(false);
  auto* show = app.add_subcommand("show", "Read the mouse and print its settings");
  show->add_flag("--json", *json,
                 "Print the settings as typed JSON (docs/json/show.schema.json), the image's raw fields "
                 "under \"record\"");
  show->callback([&context, json] { RunShow(context, *json); });

  auto save_path = std::make_shared<std::string>();
  auto* save = app.add_subcommand("save", "Read the mouse and write its 2048-byte image to FILE");
  save->add_option("FILE", *save_path, "Profile file to write (replaced whole)")->required();
  save->callback([&context, save_path] { RunSave(context, *save_path); });

  auto load_path = std::make_shared<std::string>();
  auto load_options = std::make_shared<WriteOptions>();
  auto* load = app.add_subcommand(
      "load", "Write a profile file into the mouse (its byte 0x07F must be 0x99), verified");
  load->add_option("FILE", *load_path, "Profile file")->required();
  AddDryRun(*load, *load_options);
  load->callback([&context, load_path, load_options] {
    RunLoad(context, *load_path, *load_options);
  });

  auto reset_image = std::make_shared<int>(1);
  auto reset_options = std::make_shared<WriteOptions>();
  auto* reset = app.add_subcommand("reset", "Write factory image N (1, 2 or 3) into the mouse, verified");
  reset->add_option("N", *reset_image, "Factory image (default 1)")->check(CLI::Range(1, 3));
  AddDryRun(*reset, *reset_options);
  reset->callback([&context, reset_image, reset_options] {
    RunReset(context, *reset_image, *reset_options);
  });

  auto defaults_options = std::make_shared<WriteOptions>();
  auto* defaults = app.add_subcommand(
      "defaults",
      "Write the built-in defaults (empty macro slots, zero reserves; bytes the program does not "
      "interpret are kept), verified");
  AddDryRun(*defaults, *defaults_options);
  defaults->callback([&context, defaults_options] { RunDefaults(context, *defaults_options); });

  auto restore_path = std::make_shared<std::string>();
  auto restore_options = std::make_shared<WriteOptions>();
  auto* restore = app.add_subcommand(
      "restore", "Write a backup back into the mouse (the newest when no FILE is named), verified");
  restore->add_option("FILE", *restore_path, "Backup file");
  AddDryRun(*restore, *restore_options);
  restore->callback([&context, restore_path, restore_options] {
    RunRestore(context, *restore_path, *restore_options);
  });

  auto* backups = app.add_subcommand("backups",
                                     "List the backups kept before every write, newest first "
                                     "($XDG_DATA_HOME/zelko77/backups)");
  AddJsonFlag(*backups, context);
  backups->callback([&context] { RunBackups(context); });

  auto watch_options = std::make_shared<WatchOptions>();
  auto* watch = app.add_subcommand(
      "watch", "Poll for the mouse as the window does and print each change of state");
  watch->add_option("--ticks", watch_options->ticks, "Stop after N polls (default: never)")
      ->check(CLI::NonNegativeNumber);
  watch->add_option("--interval", watch_options->interval_ms, "Milliseconds between polls")
      ->check(CLI::Range(1u, 600000u));
  AddJsonFlag(*watch, context);
  watch->callback([&context, watch_options] { RunWatch(context, *watch_options); });
}

}  // namespace zelko::cli
