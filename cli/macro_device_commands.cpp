// macro slots, import-slots, assign: the mouse's seven macro slots.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_json.h"
#include "cli/image_session.h"
#include "cli/macro_commands.h"
#include "session/use_cases.h"
#include "base/atomic_file.h"
#include "image/image_codec.h"
#include "image/image_layout.h"
#include "image/workspace.h"
#include "keys/button_assignment.h"
#include "keys/language_text.h"
#include "macros/device_slots.h"
#include "macros/macro_name_codec.h"
#include "base/file_reading.h"

namespace zelko::cli {
namespace {

void PrintSlots(const DeviceMacroSlots& slots) {
  for (int slot = 1; slot <= kDeviceSlotCount; ++slot) {
    const std::string name = slots.ShownName(slot);
    std::printf("%d  %s\n", slot, name.empty() ? "(empty)" : name.c_str());
  }
}

}  // namespace

void RunMacroSlots(CliContext& context) {
  auto session = ImageSession::Open(context);
  if (!session) return;
  if (session->ReadMouse(context)) {
    const DeviceMacroSlots slots = ReadDeviceSlots(session->workspace().base_macro_area);
    if (context.options.json) std::printf("%s\n", MacroSlotsJson(slots).dump(2).c_str());
    else PrintSlots(slots);
  }
  session->Finish(context);
}

void RunMacroImportSlots(CliContext& context, const std::string& file, bool dry_run) {
  std::string error;
  const auto bytes = ReadWholeFile(file, &error);
  if (!bytes) return FailCommand(context, kExitBadInput, error);
  if (bytes->size() < kMacroRecordSize) {
    // Refused before the mouse is opened.
    return FailCommand(context, kExitBadInput, PackText(context, "Str103", "Macro bin length out of range"));
  }

  // Only the macro area changes: the slots the file does not reach keep what
  // the mouse holds, and the rest of the image is written back as read.
  DeviceMacroSlots slots;
  ImageWriteRequest request;
  request.mode = WriteMode::kWriteImage;
  request.dry_run = dry_run;
  request.quiet = true;
  request.made_by = {"macro-import-slots", ""};
  request.edit = [&](Workspace& workspace, std::string&) {
    return session::ImportDeviceSlots(*bytes, workspace, slots) == session::SlotImport::kImported;
  };
  RunImageWrite(context, request);
  if (context.exit_code == kExitOk && bytes->size() != kMacroAreaSize) {
    // Said as import and import-all say it: a part of the file was used.
    std::fprintf(stderr, "zelko77ctl: %s has %zu bytes, not the 1792 of seven slots: slots 1..%zu were %s, the others kept\n",
                 file.c_str(), bytes->size(), std::min(bytes->size(), kMacroAreaSize) / kMacroRecordSize,
                 dry_run ? "compared" : "replaced");
  }
  if (context.exit_code == kExitOk && !dry_run) PrintSlots(slots);
}

void RunMacroAssign(CliContext& context, const MacroOptions& options, int profile, int button,
                    const std::string& name, bool dry_run) {
  const auto loaded = LoadLibraryForCommand(context, options);
  if (!loaded) return;
  const auto entry = FindMacroOrComplain(context, loaded->library, name);
  if (!entry) return;
  const MacroRecord record = loaded->library.Record(*entry);
  if (const auto problem = MacroAssignProblem(record.content)) {
    return FailCommand(context, kExitBadInput, "\"" + name + "\" cannot be assigned: " + *problem);
  }

  DeviceMacroSlots slots;
  const TextLookup text = LanguageTextLookup(context.options.language);
  const ButtonRef ref{profile, button};
  session::MacroAssignment assignment;
  std::string code;
  ImageWriteRequest request;
  request.dry_run = dry_run;
  request.quiet = true;
  request.made_by = {"macro-assign", ""};
  request.edit_settings = [&](MouseSettings& settings, Workspace& workspace, std::string& error) {
    slots = ReadDeviceSlots(workspace.base_macro_area);
    assignment = session::AssignLibraryMacro(settings, ref, record, slots, workspace.base_macro_area, text);
    const AssignmentResult& result = assignment.result;
    switch (result.outcome) {
      case AssignmentOutcome::kKeepLeftClick:
        error = result.message;
        break;
      case AssignmentOutcome::kNoFreeSlot:
        error = "no device macro slot is free: buttons use all seven";
        break;
      default:
        if (!result.stored()) error = "the macro cannot be assigned to this button";
        break;
    }
    code = ButtonCodeText(settings.buttons.Code(ref));
    return result.stored();
  };
  RunImageWrite(context, request);
  if (context.exit_code == kExitOk && !dry_run) {
    std::printf("Profile %d button %d: %s  %s (slot %d)\n", profile, button, code.c_str(),
                assignment.result.caption.c_str(), assignment.slot);
  }
}

}  // namespace zelko::cli
