#include "session/use_cases.h"

#include <vector>

#include "device/supported_ids.h"
#include "image/backup_store.h"
#include "image/expected_codes.h"
#include "image/image_codec.h"
#include "macros/library_file.h"
#include "macros/macro_name_codec.h"
#include "settings/settings_write.h"

namespace zelko::session {

bool OpenInterface(MouseSession& mouse) {
  const DeviceIdentity identity = mouse.setup().identity;
  auto& state = mouse.link().state();
  state.DeviceVersion = kSupportedDeviceVersion;
  return mouse.link().OpenHidDevice(identity.vendor_id, identity.product_id, state.DeviceVersion);
}

ReadReport ReadMouse(MouseSession& mouse) {
  ReadReport report;
  DeviceConnection* connection = mouse.connection();
  if (!connection) return report;
  connection->ReadDevInfo();
  report.flow = mouse.last_read();
  report.begin = mouse.channel().last_begin();
  switch (connection->state()) {
    case ConnectionState::kReady:
      report.outcome = Outcome::kDone;
      report.problem = ReadProblem::kNone;
      return report;
    case ConnectionState::kRefused:
      report.outcome = Outcome::kNotConfigurable;
      report.problem = ReadProblem::kRefused;
      return report;
    case ConnectionState::kForeign:
      report.outcome = Outcome::kNotConfigurable;
      report.problem = ReadProblem::kForeign;
      report.foreign_codes = connection->identity_read().value_or(IdentityCodes{});
      return report;
    case ConnectionState::kOpened:
    case ConnectionState::kWaiting:
      break;
  }
  if (report.flow.status == FlowStatus::kReadIncomplete) {
    report.outcome = Outcome::kTransferFailed;
    report.problem = ReadProblem::kIncomplete;
  } else if (report.begin.state == ExchangeState::kBadSignature) {
    // It answered, with something else: replugging will not change that.
    report.outcome = Outcome::kNotConfigurable;
    report.problem = ReadProblem::kBadSignature;
  } else {
    report.outcome = Outcome::kTransferFailed;
    report.problem = ReadProblem::kNoAnswer;
  }
  return report;
}

BackupSaved KeepBackup(MouseSession& mouse) {
  const Workspace& workspace = mouse.workspace();
  if (!workspace.mouse_image) return {};
  // After a read of sections, the backup holds those sections alone.
  const BackupContent content = workspace.partial_image
                                    ? BackupContent{*workspace.mouse_image, *workspace.partial_image}
                                    : BackupContent::Whole(*workspace.mouse_image);
  return SaveBackup(mouse.backup_folder, content, mouse.backup_maker, EpochMsNow());
}

Outcome OutcomeOf(const FlowResult& result) {
  switch (result.status) {
    case FlowStatus::kDone:
      return Outcome::kDone;
    case FlowStatus::kNoDevice:
      return Outcome::kNoMouse;
    case FlowStatus::kNotConfigurable:
      return Outcome::kNotConfigurable;
    case FlowStatus::kHandshakeFailed:
      return result.exchange.state == ExchangeState::kBadSignature ? Outcome::kNotConfigurable
                                                                   : Outcome::kTransferFailed;
    case FlowStatus::kReadIncomplete:
    case FlowStatus::kWriteFailed:
    case FlowStatus::kEndNotAcknowledged:
      return Outcome::kTransferFailed;
    case FlowStatus::kBadFile:
      return Outcome::kBadInput;
    case FlowStatus::kNothingToWrite:
      return Outcome::kFailure;
  }
  return Outcome::kFailure;
}

namespace {

// The backup first; the write only when it was kept.
WriteReport WriteAfterBackup(MouseSession& mouse, const std::function<FlowResult()>& write) {
  WriteReport report;
  const BackupSaved backup = KeepBackup(mouse);
  if (!backup.ok()) {
    report.outcome = Outcome::kFailure;
    report.backup_error = backup.error;
    report.flow = FlowResult::Of(FlowStatus::kNothingToWrite);
    return report;
  }
  report.backup_path = backup.path;
  report.flow = write();
  report.outcome = OutcomeOf(report.flow);
  return report;
}

}  // namespace

WriteReport WriteShownImage(MouseSession& mouse, WriteExtent extent) {
  return WriteAfterBackup(mouse, [&] { return mouse.flows().WriteImage(extent); });
}

WriteReport ApplySettings(MouseSession& mouse, const MouseSettings& settings,
                          const std::function<void()>& apply_os_settings) {
  return WriteAfterBackup(mouse,
                          [&] { return zelko::ApplySettings(mouse.flows(), settings, apply_os_settings); });
}

WriteReport WriteFactoryImage(MouseSession& mouse, int n) {
  return WriteAfterBackup(mouse, [&] { return mouse.flows().WriteFactoryImage(n); });
}

WriteReport WriteDefaults(MouseSession& mouse) {
  return WriteAfterBackup(mouse, [&] { return mouse.flows().WriteDefaults(); });
}

ProfileLoadPlan PlanProfileLoad(const DataBuf& shown, std::span<const std::uint8_t> file_bytes,
                                const ExpectedCodes& expected) {
  ProfileLoadPlan plan;
  const auto image = OverlayProfile(shown, file_bytes);
  if (!image) return plan;
  if (auto problem = ForeignIdentityProblem(*image, expected)) {
    plan.verdict = ProfileLoadVerdict::kForeignIdentity;
    plan.problem = *problem;
    return plan;
  }
  plan.verdict = ProfileLoadVerdict::kWrite;
  plan.image = *image;
  return plan;
}

bool HasUnappliedEdits(const Workspace& workspace, const MouseSettings& settings) {
  if (workspace.source == ImageSource::kNoDevice) return false;
  // Both packed the same way: bytes no setting shows, and sections the
  // checks replaced, count the same on both sides.
  return PackedImage(workspace, settings) != PackedImage(workspace, DecodeMouseSettings(workspace.record));
}

WriteReport LoadProfile(MouseSession& mouse, const ProfileLoadPlan& plan, ImageSource from) {
  if (plan.verdict != ProfileLoadVerdict::kWrite) {
    WriteReport refused;
    refused.outcome = Outcome::kBadInput;
    refused.flow = FlowResult::Of(FlowStatus::kBadFile);
    return refused;
  }
  return WriteAfterBackup(mouse, [&] {
    Workspace& workspace = mouse.workspace();
    workspace.data_buf = plan.image;
    workspace.source = from;
    return mouse.flows().ShowAndWriteImage();
  });
}

std::optional<std::string> BackupToRestore(const std::string& chosen, const std::string& folder) {
  if (!chosen.empty()) return chosen;
  const auto entry = zelko::BackupToRestore(ListBackupEntries(folder));
  if (!entry) return std::nullopt;
  return entry->path;
}

SlotImport ImportDeviceSlots(std::span<const std::uint8_t> file_bytes, Workspace& workspace,
                             DeviceMacroSlots& slots) {
  if (file_bytes.size() < kMacroRecordSize) return SlotImport::kTooShort;
  LoadSlotFile(file_bytes, workspace.base_macro_area, slots);
  CopyMacroAreaToImage(workspace.base_macro_area, workspace.data_buf);
  return SlotImport::kImported;
}

MacroAssignment AssignLibraryMacro(MouseSettings& settings, ButtonRef target, const MacroRecord& macro,
                                   DeviceMacroSlots& slots, BaseMacroArea& area, const TextLookup& text) {
  MacroAssignment assignment;
  const SlotNameLookup slot_name = [&slots](int slot) { return slots.ShownName(slot); };
  const MacroSlotChoice choose = [&slots, &macro](const ButtonMap& map) {
    const ProfileKeyCodes codes = KeyCodeTexts(map);
    std::vector<std::string> all(codes.ModeA.begin(), codes.ModeA.end());
    all.insert(all.end(), codes.ModeB.begin(), codes.ModeB.end());
    return FindBaseMacroIndex(slots, macro.name, all);
  };
  const MacroSlotFill fill = [&](int slot) {
    assignment.slot = slot;
    return FillBaseMacroSlot(macro, slot, slots, area).value_or(std::string());
  };
  // The captions the rule compares come from the codes, not from a page.
  const ProfileCaptions captions = ProfileLabels(settings.buttons, target.profile, text, slot_name);
  assignment.result = AssignMacro(settings.buttons, target, MacroNameText(macro.name), captions, text,
                                  choose, fill);
  if (!assignment.result.stored()) assignment.slot = 0;
  return assignment;
}

std::optional<std::filesystem::path> MacroLibraryPlace(const std::string& pack_path,
                                                       const std::filesystem::path& program_folder) {
  const auto folder = MacroFolder(pack_path, program_folder);
  if (!folder) return std::nullopt;
  return LibraryFilePath(*folder);
}

}  // namespace zelko::session
