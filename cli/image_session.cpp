#include "cli/image_session.h"

#include <cstdio>

#include "cli/id_text.h"
#include "image/expected_codes.h"
#include "image/factory_images.h"
#include "image/field_names.h"
#include "image/image_transfer.h"
#include "image/section_read.h"
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

ImageSession::ImageSession(std::unique_ptr<DeviceSession> device) : device_(std::move(device)) {
  device_->mouse().Connect(ShippedExpectedCodes(), {});
}

std::unique_ptr<ImageSession> ImageSession::Open(CliContext& context) {
  auto device = OpenDeviceSession(context);
  if (!device) return nullptr;
  return std::unique_ptr<ImageSession>(new ImageSession(std::move(device)));
}

bool ImageSession::ReadMouse(CliContext& context, const std::vector<AddressRange>& ranges) {
  device_->mouse().ranges_to_read = ranges;
  const session::ReadReport read = session::ReadMouse(device_->mouse());
  last_read_ = read.flow;
  switch (read.problem) {
    case session::ReadProblem::kNone:
      // The image was read whole before the closing pair; an unanswered end
      // is told, and a write that follows reports its own.
      if (!last_read_.end_acknowledged) PrintError(std::string("note: ") + kEndNotAcknowledgedText);
      return true;
    case session::ReadProblem::kRefused:
      PrintError(session::RefusalText(device_->channel().ChipId(), device_->channel().StatusFlag()));
      break;
    case session::ReadProblem::kForeign:
      PrintError("the mouse's manufacturer and product codes " + HexText(read.foreign_codes.manufacturer) +
                 ", " + HexText(read.foreign_codes.product) + " are not accepted; nothing was read");
      break;
    case session::ReadProblem::kIncomplete:
      PrintError("the mouse's memory could not be read whole (missing " +
                 RangesText(last_read_.read.missing) + " after " +
                 std::to_string(last_read_.read.tries) +
                 " tries); nothing is shown as its settings and nothing was written");
      break;
    case session::ReadProblem::kBadSignature:
      PrintError(UnexpectedSignatureText(read.begin.signature));
      break;
    case session::ReadProblem::kNoAnswer:
      PrintError(std::string(session::kNoHandshakeAnswerText) + "; " + session::kReplugAdvice);
      break;
  }
  SetExit(context, session::ExitCode(read.outcome));
  return false;
}

session::WriteReport ImageSession::WriteImage(CliContext& context, bool quiet) {
  const std::size_t changed =
      workspace().mouse_image ? DifferingAddresses(*workspace().mouse_image, workspace().data_buf).size()
                              : kDataBufSize;
  const session::WriteReport report = session::WriteShownImage(
      device_->mouse(), context.options.full_write ? WriteExtent::kWhole : WriteExtent::kChangesOnly);
  if (report.no_backup()) {
    PrintError("no backup of the mouse's image could be kept (" + report.backup_error +
               "); nothing was written");
    SetExit(context, kExitFailure);
    return report;
  }
  if (!quiet) {
    std::printf("Backup of the image read: %s\n%zu byte(s) to change.\n", report.backup_path.c_str(),
                changed);
  }
  const FlowResult& result = report.flow;
  switch (result.status) {
    case FlowStatus::kDone:
      if (quiet) return report;
      std::printf("Written and verified");
      if (result.write.repair_passes > 0) {
        std::printf(" after %d repair pass%s", result.write.repair_passes,
                    result.write.repair_passes == 1 ? "" : "es");
      }
      std::printf(".\n");
      return report;
    case FlowStatus::kEndNotAcknowledged:
      PrintError(std::string("the image was written and verified, but ") + kEndNotAcknowledgedText);
      break;
    case FlowStatus::kNotConfigurable:
      PrintError(session::RefusalText(result.exchange.chip_id, std::nullopt) + "; nothing was written");
      break;
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
      break;
    default:
      if (result.exchange.state == ExchangeState::kBadSignature) {
        PrintError(UnexpectedSignatureText(result.exchange.signature) + "; nothing was written");
      } else {
        PrintError(std::string(session::kNoHandshakeAnswerText) + "; nothing was written");
      }
      break;
  }
  SetExit(context, session::ExitCode(report.outcome));
  return report;
}

void RunImageWrite(CliContext& context, const ImageWriteRequest& request) {
  auto session = ImageSession::Open(context);
  if (!session) return;
  Workspace& workspace = session->workspace();
  if (!session->ReadMouse(context, context.options.full_write ? std::vector<AddressRange>{}
                                                              : request.ranges_to_read)) {
    session->Finish(context);
    return;
  }
  DataBuf before;
  std::string error;
  // True when edited; an edit that reaches beyond the sections read leaves
  // `confined` false.
  bool confined = true;
  const auto edit = [&] {
    before = workspace.data_buf;
    const EditBaseline baseline = EditBaseline::Of(workspace);
    MouseSettings settings = DecodeMouseSettings(workspace.record);
    const bool done = request.mode == WriteMode::kPackSettings
                          ? !request.edit_settings || request.edit_settings(settings, workspace, error)
                          : !request.edit || request.edit(workspace, error);
    if (done && request.mode == WriteMode::kPackSettings) PackSettings(settings, workspace);
    confined = !done || ConfineEditToRead(workspace, baseline);
    return done;
  };
  bool edited = edit();
  if (edited && !confined) {
    // Made again on the whole image.
    if (!session->ReadMouse(context)) {
      session->Finish(context);
      return;
    }
    edited = edit();
  }
  if (!edited) {
    if (!error.empty()) PrintError(error);
    SetExit(context, kExitBadInput);
    session->Finish(context);
    return;
  }

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
  session->device().mouse().backup_maker = request.made_by;
  const session::WriteReport report = session->WriteImage(context, request.quiet);
  if (!report.ok() && !report.no_backup() && context.exit_code == kExitTransferFailed) {
    const std::string& kept = report.backup_path;
    // A write cut short can leave sections that fail their checks. An image
    // read without the signature (left so by an earlier write cut short) is
    // kept too, but restore refuses it as it refuses any such file.
    if (workspace.partial_image || before[kImageSignatureOffset] == kImageSignature) {
      PrintError("what the mouse held before is kept in " + kept + "; put it back with: zelko77ctl restore " +
                 kept);
    } else {
      PrintError("what the mouse held before is kept in " + kept +
                 ", but it has no 0x99 at 0x07F and cannot be restored; put a whole image back with "
                 "zelko77ctl reset 1, or restore an older backup (zelko77ctl backups)");
    }
  }
  session->Finish(context);
}

}  // namespace zelko::cli
