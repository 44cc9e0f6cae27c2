// zelko77ctl commands of this area: label, set-button; and the global --lang.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli_context.h"
#include "cli/device_session.h"
#include "cli/image_session.h"
#include "image/workspace.h"
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
  std::printf("%s\n", label.c_str());
}

// The AIM value index the buttons carry: the second byte of the first AIM
// button, 0 when no button is an AIM key.
std::uint8_t CurrentAimValueIndex(const ProfileKeyCodes& codes) {
  for (int profile = 1; profile <= kProfileCount; ++profile) {
    for (const auto& code : ProfileCodes(codes, profile)) {
      const auto bytes = KeyCodeBytes(code);
      if (bytes && (*bytes)[0] == key_type::kAimKey) return (*bytes)[1];
    }
  }
  return 0;
}

AssignmentResult Assign(Workspace& workspace, ButtonRef ref, const ButtonFunction& function,
                        std::uint8_t aim_value_index, const TextLookup& text,
                        const SlotNameLookup& slot_name) {
  auto& codes = workspace.profile_key_codes;
  auto& record = workspace.record;
  const ProfileCaptions captions = ProfileLabels(codes, ref.profile, text, slot_name);
  switch (function.kind) {
    case FunctionKind::kCatalogue:
      return AssignCatalogueFunction(codes, record, ref, function.menu_tag, aim_value_index,
                                     captions, text);
    case FunctionKind::kCombination:
      return AssignCombination(codes, record, ref, function.code,
                               KeyCodeToLabel(function.code, text, slot_name));
    case FunctionKind::kCode:
      return AssignUnderLeftClickRule(codes, record, ref, function.code,
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
  auto slots = std::make_shared<DeviceMacroSlots>();
  AssignmentResult result;
  std::string stored_code;
  ImageWriteRequest request;
  request.dry_run = options.dry_run;
  request.prepare = [slots](Workspace& workspace) { TrackDeviceSlots(workspace.hooks, *slots); };
  request.edit = [&](Workspace& workspace, std::string& error) {
    const SlotNameLookup slot_name = [slots](int slot) { return slots->ShownName(slot); };
    const std::uint8_t aim_value_index = CurrentAimValueIndex(workspace.profile_key_codes);
    const auto function = ParseButtonFunction(options.function, text, aim_value_index).function;
    result = Assign(workspace, ref, *function, aim_value_index, text, slot_name);
    stored_code = ProfileCodes(workspace.profile_key_codes, ref.profile)
        [static_cast<std::size_t>(ref.button - 1)];
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
