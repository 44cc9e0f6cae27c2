// macro slots, import-slots, assign: the mouse's seven macro slots.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/device_session.h"
#include "cli/macro_commands.h"
#include "device/atomic_file.h"
#include "image/image_flows.h"
#include "image/image_layout.h"
#include "image/workspace.h"
#include "keys/button_assignment.h"
#include "keys/language_text.h"
#include "macros/device_slots.h"
#include "macros/macro_name_codec.h"

namespace zelko::cli {
namespace {

void PrintSlots(const DeviceMacroSlots& slots) {
  for (int slot = 1; slot <= kDeviceSlotCount; ++slot) {
    const std::string name = slots.ShownName(slot);
    std::printf("%d  %s\n", slot, name.empty() ? "(empty)" : name.c_str());
  }
}

std::vector<std::string> AllCodes(const ProfileKeyCodes& codes) {
  std::vector<std::string> all(codes.ModeA.begin(), codes.ModeA.end());
  all.insert(all.end(), codes.ModeB.begin(), codes.ModeB.end());
  return all;
}

// The mouse opened, accepted and read whole into the workspace, the slot
// tables filled on the way. Null, with the exit code set, otherwise.
struct ReadMouse {
  std::unique_ptr<DeviceSession> session;
  Workspace workspace;
  DeviceMacroSlots slots;
  std::unique_ptr<ImageFlows> flows;
};

std::unique_ptr<ReadMouse> OpenAndRead(CliContext& context) {
  auto read = std::make_unique<ReadMouse>();
  read->session = OpenDeviceSession(context);
  if (!read->session) return nullptr;
  if (!BeginConfigurableExchange(*read->session, context)) {
    read->session->Finish(context);
    return nullptr;
  }
  DeviceMacroSlots& slots = read->slots;
  read->workspace.hooks.read_and_refresh_macro = [&slots](BaseMacroArea& area) {
    ReadAndRefreshMacro(area, slots);
  };
  read->flows = std::make_unique<ImageFlows>(read->workspace, read->session->channel(),
                                             read->session->ui(), read->session->clock());
  if (!read->flows->Btn_Read().ok()) {
    FailCommand(context, kExitTransferFailed, "the mouse's memory could not be read whole; nothing was written");
    read->session->Finish(context);
    return nullptr;
  }
  return read;
}

}  // namespace

void RunMacroSlots(CliContext& context) {
  auto read = OpenAndRead(context);
  if (!read) return;
  PrintSlots(read->slots);
  read->session->Finish(context);
}

void RunMacroImportSlots(CliContext& context, const std::string& file) {
  std::string error;
  const auto bytes = ReadWholeFile(file, &error);
  if (!bytes) return FailCommand(context, kExitBadInput, error);
  if (bytes->size() < kMacroRecordSize) {
    return FailCommand(context, kExitBadInput, PackText(context, "Str103", "Macro bin length out of range"));
  }
  const std::size_t whole_slots = std::min(bytes->size(), kMacroAreaSize) / kMacroRecordSize;

  auto session = OpenDeviceSession(context);
  if (!session) return;
  if (!BeginConfigurableExchange(*session, context)) {
    session->Finish(context);
    return;
  }
  CommandChannel& channel = session->channel();
  auto finish_failed = [&](const std::string& why) {
    session->ui().HideProgress();
    channel.EndExchange();
    FailCommand(context, kExitTransferFailed, why);
    session->Finish(context);
  };

  BaseMacroArea area{};
  if (whole_slots < kDeviceSlotCount) {
    // The slots the file does not reach keep what the mouse holds, so those
    // must be read first, and read correctly.
    BlockTransferReport report;
    if (!channel.ReadBlock(kMacroAreaOffset, kMacroAreaSize, area, &report) || !report.all_acknowledged()) {
      return finish_failed("the mouse's macro slots could not be read; nothing was written");
    }
  }
  DeviceMacroSlots slots;
  LoadSlotFile(*bytes, area, slots);

  BlockTransferReport written;
  if (!channel.WriteBlock(kMacroAreaOffset, kMacroAreaSize, area, &written) || !written.all_acknowledged()) {
    return finish_failed("the macro slots were not written whole");
  }
  BaseMacroArea check{};
  BlockTransferReport read_back;
  if (!channel.ReadBlock(kMacroAreaOffset, kMacroAreaSize, check, &read_back) ||
      !read_back.all_acknowledged() || check != area) {
    return finish_failed("the macro slots did not verify in the mouse's memory");
  }
  session->ui().HideProgress();
  channel.EndExchange();
  PrintSlots(slots);
  session->Finish(context);
}

void RunMacroAssign(CliContext& context, const MacroOptions& options, int profile, int button,
                    const std::string& name) {
  const auto loaded = LoadLibraryForCommand(context, options);
  if (!loaded) return;
  const auto entry = FindMacroOrComplain(context, loaded->library, name);
  if (!entry) return;
  const MacroRecord record = loaded->library.Record(*entry);
  if (const auto problem = MacroAssignProblem(record.content)) {
    return FailCommand(context, kExitBadInput, "\"" + name + "\" cannot be assigned: " + *problem);
  }

  auto read = OpenAndRead(context);
  if (!read) return;
  Workspace& workspace = read->workspace;
  DeviceMacroSlots& slots = read->slots;
  const TextLookup text = LanguageTextLookup(context.options.language);
  const SlotNameLookup slot_name = [&slots](int slot) { return slots.ShownName(slot); };
  const ButtonRef ref{profile, button};
  int chosen_slot = 0;
  const MacroSlotChoice choose = [&](const ProfileKeyCodes& codes) {
    return FindBaseMacroIndex(slots, record.name, AllCodes(codes));
  };
  const MacroSlotFill fill = [&](int slot) {
    chosen_slot = slot;
    return FillBaseMacroSlot(record, slot, slots, workspace.base_macro_area).value_or(std::string());
  };
  const AssignmentResult result =
      AssignMacro(workspace.profile_key_codes, workspace.record, ref, MacroNameText(record.name),
                  ProfileLabels(workspace.profile_key_codes, profile, text, slot_name), text, choose, fill);
  if (!result.stored()) {
    switch (result.outcome) {
      case AssignmentOutcome::kKeepLeftClick:
        FailCommand(context, kExitBadInput, result.message);
        break;
      case AssignmentOutcome::kNoFreeSlot:
        FailCommand(context, kExitBadInput, "no device macro slot is free: buttons use all seven");
        break;
      default:
        FailCommand(context, kExitBadInput, "the macro cannot be assigned to this button");
        break;
    }
    read->session->Finish(context);
    return;
  }
  if (!read->flows->Btn_Apply_0Click().ok()) {
    FailCommand(context, kExitTransferFailed, "the macro and the button's code did not verify in the mouse's memory");
    read->session->Finish(context);
    return;
  }
  const std::string& code = ProfileCodes(workspace.profile_key_codes, profile)[static_cast<std::size_t>(button - 1)];
  std::printf("Profile %d button %d: %s  %s (slot %d)\n", profile, button, code.c_str(), result.caption.c_str(),
              chosen_slot);
  read->session->Finish(context);
}

}  // namespace zelko::cli
