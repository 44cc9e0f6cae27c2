// zelko77ctl commands of this area: macro list, show, new, rename, delete,
// set, export, export-all, import, import-all, import-slots, assign, slots.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "cli/cli_context.h"
#include "cli/macro_commands.h"

namespace zelko::cli {

void RegisterMacroCommands(CLI::App& app, CliContext& context) {
  auto options = std::make_shared<MacroOptions>();
  auto* macro = app.add_subcommand(
      "macro",
      "The PC macro library (100 macros in ZELKO77-Macro.bin) and the mouse's seven macro slots");
  macro->require_subcommand(1);
  macro->add_option("--library", options->library,
                    "Library file to use instead of the program's ZELKO77-Macro.bin (created when "
                    "missing; an existing file must have 25,600 bytes)");

  auto* list = macro->add_subcommand("list", "Print the names of the library's macros, in library order");
  AddJsonFlag(*list, context);
  list->callback([&context, options] { RunMacroList(context, *options); });

  auto name = std::make_shared<std::string>();
  auto* show = macro->add_subcommand(
      "show", "Print a macro's lines as the editor holds them: a header line (00 no delay, 01<ms> "
              "default delay, 10 recorded delays), then one line per event");
  show->add_option("NAME", *name, "Macro name")->required();
  AddJsonFlag(*show, context);
  show->callback([&context, options, name] { RunMacroShow(context, *options, *name); });

  auto new_name = std::make_shared<std::string>();
  auto* create = macro->add_subcommand("new", "Add an empty macro to the library");
  create->add_option("NAME", *new_name, "Name, at most 16 characters")->required();
  create->callback([&context, options, new_name] { RunMacroNew(context, *options, *new_name); });

  auto old_name = std::make_shared<std::string>();
  auto renamed = std::make_shared<std::string>();
  auto* rename = macro->add_subcommand("rename", "Rename a library macro");
  rename->add_option("OLD", *old_name, "Current name")->required();
  rename->add_option("NEW", *renamed, "New name, at most 16 characters")->required();
  rename->callback([&context, options, old_name, renamed] {
    RunMacroRename(context, *options, *old_name, *renamed);
  });

  auto deleted = std::make_shared<std::string>();
  auto* remove = macro->add_subcommand(
      "delete", "Delete a library macro (device slots holding a copy keep it)");
  remove->add_option("NAME", *deleted, "Macro name")->required();
  remove->callback([&context, options, deleted] { RunMacroDelete(context, *options, *deleted); });

  auto set_name = std::make_shared<std::string>();
  auto set_lines = std::make_shared<std::string>();
  auto set_release = std::make_shared<std::string>();
  auto* set = macro->add_subcommand(
      "set", "Replace a macro's events with lines in the editor's form, one per line (as `macro "
             "show` prints them; the header line is optional): \"0 96\" delay in ms, \"1 A "
             "CODE:8204\" press, \"2 A CODE:0204\" release, \"3 FB0C\"/\"4 FBF6\" X move, "
             "\"5 FA0C\"/\"6 FAF6\" Y move, \"7 FD04\" repeat 5 times, \"8 00FC\" end of repeat");
  set->add_option("NAME", *set_name, "Macro name")->required();
  set->add_option("--lines", *set_lines, "File of lines (- for standard input)")->required();
  set->add_option("--release", *set_release,
                  "stop: releasing the button stops the macro; continue: it plays on "
                  "(default: as the macro is now)")
      ->check(CLI::IsMember({"stop", "continue"}));
  set->callback([&context, options, set_name, set_lines, set_release] {
    RunMacroSet(context, *options, *set_name, *set_lines, *set_release);
  });

  auto export_name = std::make_shared<std::string>();
  auto export_file = std::make_shared<std::string>();
  auto* export_one = macro->add_subcommand("export", "Write one macro to FILE (256 bytes)");
  export_one->add_option("NAME", *export_name, "Macro name")->required();
  export_one->add_option("FILE", *export_file, "File to write (replaced whole)")->required();
  export_one->callback([&context, options, export_name, export_file] {
    RunMacroExport(context, *options, *export_name, *export_file);
  });

  auto export_all_file = std::make_shared<std::string>();
  auto* export_all = macro->add_subcommand("export-all", "Write the whole library to FILE (25,600 bytes)");
  export_all->add_option("FILE", *export_all_file, "File to write (replaced whole)")->required();
  export_all->callback([&context, options, export_all_file] {
    RunMacroExportAll(context, *options, *export_all_file);
  });

  auto import_file = std::make_shared<std::string>();
  auto* import_one = macro->add_subcommand(
      "import", "Add the macro of a file written by `macro export` (its first 256 bytes)");
  import_one->add_option("FILE", *import_file, "Macro file")->required();
  import_one->callback([&context, options, import_file] {
    RunMacroImport(context, *options, *import_file);
  });

  auto import_all_file = std::make_shared<std::string>();
  auto* import_all = macro->add_subcommand(
      "import-all", "Replace library entries with the records of a file written by `macro "
                    "export-all` (record i into entry i; entries the file does not reach stay)");
  import_all->add_option("FILE", *import_all_file, "Library file")->required();
  import_all->callback([&context, options, import_all_file] {
    RunMacroImportAll(context, *options, *import_all_file);
  });

  auto slots_file = std::make_shared<std::string>();
  auto* import_slots = macro->add_subcommand(
      "import-slots", "Write the seven device slots of FILE (1792 bytes, slot n at 256*(n-1)) "
                      "into the mouse, verified; slots failing their check arrive empty; "
                      "button codes are not touched");
  import_slots->add_option("FILE", *slots_file, "Slot file")->required();
  auto slots_dry_run = std::make_shared<bool>(false);
  import_slots->add_flag("--dry-run", *slots_dry_run, "Print the bytes that would change; write nothing");
  import_slots->callback([&context, slots_file, slots_dry_run] {
    RunMacroImportSlots(context, *slots_file, *slots_dry_run);
  });

  auto profile = std::make_shared<int>(1);
  auto button = std::make_shared<int>(1);
  auto assign_name = std::make_shared<std::string>();
  auto* assign = macro->add_subcommand(
      "assign", "Copy a library macro into a device slot and give BUTTON its slot code, as the "
                "window does (slot choice, each profile keeps a Left Click); written and verified");
  assign->add_option("--profile", *profile, "Profile 1 or 2")->required()->check(CLI::Range(1, 2));
  assign->add_option("BUTTON", *button, "Button 1..9")->required()->check(CLI::Range(1, 9));
  assign->add_option("NAME", *assign_name, "Library macro")->required();
  auto assign_dry_run = std::make_shared<bool>(false);
  assign->add_flag("--dry-run", *assign_dry_run, "Print the bytes that would change; write nothing");
  assign->callback([&context, options, profile, button, assign_name, assign_dry_run] {
    RunMacroAssign(context, *options, *profile, *button, *assign_name, *assign_dry_run);
  });

  auto* slots = macro->add_subcommand("slots", "Read the mouse and print its seven macro slots with their names");
  AddJsonFlag(*slots, context);
  slots->callback([&context] { RunMacroSlots(context); });

  // Options of `macro` and the global ones may also follow the command.
  macro->fallthrough();
  for (CLI::App* command : macro->get_subcommands({})) command->fallthrough();
}

}  // namespace zelko::cli
