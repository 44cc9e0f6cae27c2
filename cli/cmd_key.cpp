// zelko77ctl commands of this area: label, set-button; and the global --lang.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli_context.h"
#include "cli/command_json.h"
#include "cli/device_session.h"
#include "cli/image_session.h"
#include "image/section_read.h"
#include "image/workspace.h"
#include "settings/aim_key.h"
#include "keys/ascii_text.h"
#include "keys/button_assignment.h"
#include "keys/function_text.h"
#include "keys/key_function_code.h"
#include "keys/language_text.h"
#include "macros/device_slots.h"

namespace zelko::cli {
namespace {

struct SetButtonOptions {
  int profile = 1;
  int button = 1;
  std::string function;
  bool dry_run = false;
};

void RunLabel(CliContext& context, const std::string& code) {
  if (!IsKeyCodeText(code)) {
    PrintError("\"" + code + "\" is not a code of six hexadecimal digits");
    context.exit_code = kExitBadInput;
    return;
  }
  const std::string upper = UpperCaseAscii(code);
  // Without the mouse the names of its macro slots are unknown: a slot code
  // gets the empty label.
  const std::string label = KeyCodeToLabel(upper, LanguageTextLookup(context.options.language));
  if (context.options.json) {
    std::printf("%s\n", LabelJson(upper, label, context.options.language).dump(2).c_str());
  } else {
    std::printf("%s\n", label.c_str());
  }
}

AssignmentResult Assign(ButtonMap& map, ButtonRef ref, const ButtonFunction& function,
                        std::uint8_t aim_value_index, const TextLookup& text,
                        const SlotNameLookup& slot_name) {
  const ProfileCaptions captions = ProfileLabels(map, ref.profile, text, slot_name);
  switch (function.kind) {
    case FunctionKind::kCatalogue:
      return AssignCatalogueFunction(map, ref, function.menu_tag, aim_value_index,
                                     captions, text);
    case FunctionKind::kCombination:
      return AssignCombination(map, ref, function.code,
                               KeyCodeToLabel(function.code, text, slot_name));
    case FunctionKind::kCode:
      return AssignUnderLeftClickRule(map, ref, function.code,
                                      KeyCodeToLabel(function.code, text, slot_name), captions,
                                      text);
  }
  return {};
}

void RunSetButton(CliContext& context, const SetButtonOptions& options) {
  const TextLookup text = LanguageTextLookup(context.options.language);
  if (const auto checked = ParseButtonFunction(options.function, text, 0); !checked.function) {
    PrintError(checked.error);
    context.exit_code = kExitBadInput;
    return;
  }

  const ButtonRef ref{options.profile, options.button};
  AssignmentResult result;
  std::string stored_code;
  ImageWriteRequest request;
  request.dry_run = options.dry_run;
  request.made_by = {"set-button", ""};
  request.ranges_to_read = SectionReadRanges({Section::Profile});
  request.edit_settings = [&](MouseSettings& settings, Workspace& workspace, std::string& error) {
    const DeviceMacroSlots slots = ReadDeviceSlots(workspace.base_macro_area);
    const SlotNameLookup slot_name = [&slots](int slot) { return slots.ShownName(slot); };
    // A button newly made an AIM key takes the value the AIM buttons carry.
    const std::uint8_t aim_value_index = NewAimButtonCode(settings.aim).param1;
    const auto function = ParseButtonFunction(options.function, text, aim_value_index).function;
    const ButtonCode given = settings.buttons.Code(ref);
    result = Assign(settings.buttons, ref, *function, aim_value_index, text, slot_name);
    const ButtonCode stored = settings.buttons.Code(ref);
    if (result.stored() && stored.type == key_type::kAimKey) {
      // An AIM code given with its index sets the AIM value of every AIM
      // button, as the write gives them all one value.
      if (stored.param1 >= kAimValueCount) {
        settings.buttons.Code(ref) = given;
        error = "AIM value index " + std::to_string(stored.param1) +
                " is not one of the eleven DPI values (00 to 0A)";
        return false;
      }
      (void)SetAimValue(stored.param1, settings.buttons, settings.aim);  // the button is an AIM button
    }
    stored_code = ButtonCodeText(stored);
    if (result.outcome == AssignmentOutcome::kKeepLeftClick) error = result.message;
    else if (!result.stored()) error = "the function cannot be assigned to this button";
    return result.stored();
  };
  RunImageWrite(context, request);
  if (context.exit_code == kExitOk && result.stored() && !options.dry_run) {
    std::printf("Profile %d button %d: %s  %s\n", ref.profile, ref.button,
                stored_code.c_str(), result.caption.c_str());
  }
}

}  // namespace

void RegisterKeyCommands(CLI::App& app, CliContext& context) {
  app.add_option("--lang", context.options.language,
                 "Language of button labels and messages: 1 English, 2 Chinese, "
                 "3 English (second wording)")
      ->check(CLI::Range(1, 3));

  auto code = std::make_shared<std::string>();
  auto* label_cmd = app.add_subcommand(
      "label", "Print the label a button shows for CODE (six hexadecimal digits, e.g. 020F04)");
  label_cmd->add_option("CODE", *code, "Button function code")->required();
  AddJsonFlag(*label_cmd, context);
  label_cmd->fallthrough();
  label_cmd->callback([&context, code] { RunLabel(context, *code); });

  auto set = std::make_shared<SetButtonOptions>();
  auto* set_cmd = app.add_subcommand(
      "set-button",
      "Give BUTTON (1..9) of a profile the FUNCTION: a menu label in the chosen language "
      "(\"Right Click\", \"DPI +\"), a code of six hexadecimal digits, or a combination such "
      "as \"Ctrl+Shift+A\". Each profile keeps at least one Left Click (combinations excepted). "
      "The mouse's memory is read, changed and written back with verification.");
  set_cmd->add_option("--profile", set->profile, "Profile 1 or 2")
      ->required()
      ->check(CLI::Range(1, 2));
  set_cmd->add_option("BUTTON", set->button, "Button 1..9")->required()->check(CLI::Range(1, 9));
  set_cmd->add_option("FUNCTION", set->function, "Label, code or combination")->required();
  set_cmd->add_flag("--dry-run", set->dry_run, "Print the bytes that would change; write nothing");
  set_cmd->fallthrough();
  set_cmd->callback([&context, set] { RunSetButton(context, *set); });
}

}  // namespace zelko::cli
