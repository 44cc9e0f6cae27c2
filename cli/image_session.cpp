#include "cli/image_session.h"

#include <cstdio>

#include "cli/id_text.h"
#include "image/backup_store.h"
#include "image/expected_codes.h"
#include "image/factory_images.h"
#include "image/field_names.h"
#include "image/image_transfer.h"
#include "settings/settings_write.h"

namespace zelko::cli {
namespace {

std::string Hex3(std::size_t address) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%03zX", address);
  return text;
}

std::string Hex2(std::uint8_t value) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", value);
  return text;
}

void SetExit(CliContext& context, int code) {
  if (context.exit_code == kExitOk) context.exit_code = code;
}

std::string RangesText(const std::vector<AddressRange>& ranges) {
  std::string text;
  for (const auto& range : ranges) {
    if (!text.empty()) text += ", ";
    text += Hex3(range.begin) + ".." + Hex3(range.end - 1);
  }
  return text;
}

}  // namespace

std::string DescribeChanges(const DataBuf& before, const DataBuf& after) {
  std::string text;
  for (std::uint16_t address : DifferingAddresses(before, after)) {
    text += Hex3(address) + "  " + Hex2(before[address]) + " -> " + Hex2(after[address]) + "  " +
            FieldNameAt(address) + "\n";
  }
  return text;
}

ImageSession::ImageSession(std::unique_ptr<DeviceSession> device, int language)
    : device_(std::move(device)), ui_(device_->ui(), language) {
  flows_ = std::make_unique<ImageFlows>(workspace_, device_->channel(), ui_, device_->clock());
  ConnectionCallbacks callbacks;
  callbacks.read_image = [this] {
    last_read_ = flows_->ReadImage();
    return last_read_.ok();
  };
  connection_ = std::make_unique<DeviceConnection>(device_->link(), device_->channel(),
                                                   device_->clock(), ui_,
                                                   ShippedExpectedCodes(), callbacks);
}

ImageSession::~ImageSession() { ui_.Flush(); }

std::unique_ptr<ImageSession> ImageSession::Open(CliContext& context) {
  auto device = OpenDeviceSession(context);
  if (!device) return nullptr;
  return std::unique_ptr<ImageSession>(
      new ImageSession(std::move(device), context.options.language));
}

bool ImageSession::ReadMouse(CliContext& context) {
  last_read_ = FlowResult::Of(FlowStatus::kHandshakeFailed);
  connection_->ReadDevInfo();
  switch (connection_->state()) {
    case ConnectionState::kReady:
      // The image was read whole before the closing pair; an unanswered end
      // is told, and a write that follows reports its own.
      if (!last_read_.end_acknowledged) PrintError(std::string("note: ") + kEndNotAcknowledgedText);
      return true;
    case ConnectionState::kRefused:
      PrintError("the mouse refuses configuration (chip id " +
                 HexText(device_->channel().ChipId()) + ", status flag " +
                 (device_->channel().StatusFlag() ? "set" : "clear") + ")");
      SetExit(context, kExitNotConfigurable);
      return false;
    case ConnectionState::kForeign: {
      const auto codes = connection_->identity_read().value_or(IdentityCodes{});
      PrintError("the mouse's manufacturer and product codes " + HexText(codes.manufacturer) +
                 ", " + HexText(codes.product) + " are not accepted; nothing was read");
      SetExit(context, kExitNotConfigurable);
      return false;
    }
    case ConnectionState::kOpened:
    case ConnectionState::kWaiting:
      break;
  }
  if (last_read_.status == FlowStatus::kReadIncomplete) {
    PrintError("the mouse's memory could not be read whole (missing " +
               RangesText(last_read_.read.missing) + " after " +
               std::to_string(last_read_.read.tries) +
               " tries); nothing is shown as its settings and nothing was written");
  } else if (const ExchangeResult& busy = device_->channel().last_begin();
             busy.state == ExchangeState::kMouseBusy) {
    ReportMouseBusy(busy.lock, context);
    return false;
  } else if (const ExchangeResult& begin = device_->channel().last_begin();
             begin.state == ExchangeState::kBadSignature) {
    // It answered, with something else: replugging will not change that.
    PrintError(UnexpectedSignatureText(begin.signature));
    SetExit(context, kExitNotConfigurable);
    return false;
  } else {
    PrintError("the mouse did not answer the opening handshake; unplug and replug it, then try again");
  }
  SetExit(context, kExitTransferFailed);
  return false;
}

bool ImageSession::WriteImage(CliContext& context, bool quiet) {
  const FlowResult result =
      flows_->WriteImage(context.options.full_write ? WriteExtent::kWhole : WriteExtent::kChangesOnly);
  switch (result.status) {
    case FlowStatus::kDone:
      if (quiet) return true;
      std::printf("Written and verified");
      if (result.write.repair_passes > 0) {
        std::printf(" after %d repair pass%s", result.write.repair_passes,
                    result.write.repair_passes == 1 ? "" : "es");
      }
      std::printf(".\n");
      return true;
    case FlowStatus::kEndNotAcknowledged:
      PrintError(std::string("the image was written and verified, but ") + kEndNotAcknowledgedText);
      SetExit(context, kExitTransferFailed);
      return false;
    case FlowStatus::kNotConfigurable:
      PrintError("the mouse refuses configuration (chip id " + HexText(result.exchange.chip_id) +
                 "); nothing was written");
      SetExit(context, kExitNotConfigurable);
      return false;
    case FlowStatus::kWriteFailed:
      switch (result.write.outcome) {
        case WriteVerifyOutcome::kWriteNotAcknowledged:
          PrintError("the mouse did not acknowledge the write");
          break;
        case WriteVerifyOutcome::kRepairNotAcknowledged:
          PrintError("the mouse did not acknowledge a repair write");
          break;
        case WriteVerifyOutcome::kReadBackIncomplete:
          PrintError("the image could not be read back whole to verify it");
          break;
        case WriteVerifyOutcome::kBytesDidNotTake: {
          std::string where;
          for (std::uint16_t a : result.write.repair_list) {
            where += "\n  " + Hex3(a) + "  " + FieldNameAt(a);
          }
          PrintError(std::to_string(result.write.repair_list.size()) +
                     " byte(s) did not take after " + std::to_string(result.write.repair_passes) +
                     " repair passes:" + where);
          break;
        }
        case WriteVerifyOutcome::kVerified:
          break;
      }
      SetExit(context, kExitTransferFailed);
      return false;
    case FlowStatus::kMouseBusy:
      ReportMouseBusy(result.exchange.lock, context);
      return false;
    default:
      if (result.exchange.state == ExchangeState::kBadSignature) {
        PrintError(UnexpectedSignatureText(result.exchange.signature) + "; nothing was written");
        SetExit(context, kExitNotConfigurable);
        return false;
      }
      PrintError("the mouse did not answer the opening handshake; nothing was written");
      SetExit(context, kExitTransferFailed);
      return false;
  }
}

void ImageSession::Finish(CliContext& context) {
  ui_.Flush();
  device_->Finish(context);
}

void RunImageWrite(CliContext& context, const ImageWriteRequest& request) {
  auto session = ImageSession::Open(context);
  if (!session) return;
  Workspace& workspace = session->workspace();
  if (!session->ReadMouse(context)) {
    session->Finish(context);
    return;
  }
  const DataBuf before = workspace.data_buf;
  MouseSettings settings = DecodeMouseSettings(workspace.record);
  std::string error;
  const bool edited = request.mode == WriteMode::kPackSettings
                          ? !request.edit_settings || request.edit_settings(settings, workspace, error)
                          : !request.edit || request.edit(workspace, error);
  if (!edited) {
    if (!error.empty()) PrintError(error);
    SetExit(context, kExitBadInput);
    session->Finish(context);
    return;
  }
  if (request.mode == WriteMode::kPackSettings) PackSettings(settings, workspace);

  const std::string changes = DescribeChanges(before, workspace.data_buf);
  const auto changed = DifferingAddresses(before, workspace.data_buf).size();
  if (request.dry_run) {
    std::printf("%s%zu byte(s) would change; nothing was written (--dry-run).\n", changes.c_str(),
                changed);
    session->Finish(context);
    return;
  }
  if (changed == 0) {
    if (!request.quiet) std::printf("The mouse already holds this image; nothing was written.\n");
    session->Finish(context);
    return;
  }
  const BackupSaved backup = SaveBackup(DefaultBackupFolder(), before, EpochMsNow());
  if (!backup.ok()) {
    PrintError("no backup of the mouse's image could be kept (" + backup.error +
               "); nothing was written");
    SetExit(context, kExitFailure);
    session->Finish(context);
    return;
  }
  if (!request.quiet) {
    std::printf("Backup of the image read: %s\n%zu byte(s) to change.\n", backup.path.c_str(),
                changed);
  }
  if (!session->WriteImage(context, request.quiet) && context.exit_code == kExitTransferFailed) {
    // A write cut short can leave sections that fail their checks. An image
    // read without the signature (left so by an earlier write cut short) is
    // kept too, but restore refuses it as it refuses any such file.
    if (before[kImageSignatureOffset] == kImageSignature) {
      PrintError("what the mouse held before is kept in " + backup.path +
                 "; put it back with: zelko77ctl restore " + backup.path);
    } else {
      PrintError("what the mouse held before is kept in " + backup.path +
                 ", but it has no 0x99 at 0x07F and cannot be restored; put a whole image back with "
                 "zelko77ctl reset 1, or restore an older backup (zelko77ctl backups)");
    }
  }
  session->Finish(context);
}

}  // namespace zelko::cli
