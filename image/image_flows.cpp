#include "image/image_flows.h"

#include <algorithm>

#include "device/protocol_layout.h"

namespace zelko {
namespace {

constexpr int kImageChunks = static_cast<int>(ChunkCount(kDataBufSize));

[[nodiscard]] FlowStatus StatusOfHandshake(const ExchangeResult& exchange) {
  switch (exchange.state) {
    case ExchangeState::kNoDevice: return FlowStatus::kNoDevice;
    case ExchangeState::kNotAcknowledged:
    case ExchangeState::kBadSignature: return FlowStatus::kHandshakeFailed;
    case ExchangeState::kNotConfigurable: return FlowStatus::kNotConfigurable;
    case ExchangeState::kConfigurable: return FlowStatus::kDone;
    case ExchangeState::kMouseBusy: return FlowStatus::kMouseBusy;
  }
  return FlowStatus::kHandshakeFailed;
}

}  // namespace

std::optional<DataBuf> OverlayProfile(const DataBuf& base, std::span<const std::uint8_t> file_bytes) {
  // A file that ends before the signature cannot carry it: the mouse's own
  // byte there must not pass for the file's.
  if (file_bytes.size() <= kImageSignatureOffset) return std::nullopt;
  DataBuf copy = base;
  const std::size_t n = std::min(file_bytes.size(), kDataBufSize);
  std::copy_n(file_bytes.begin(), n, copy.begin());
  if (copy[kImageSignatureOffset] != kImageSignature) return std::nullopt;
  return copy;
}

ImageFlows::ImageFlows(Workspace& workspace, CommandChannel& channel, UiPort& ui, Clock& clock)
    : workspace_(workspace), channel_(channel), ui_(ui), clock_(clock) {}

void ImageFlows::BeginTransfer() {
  ui_.StopPollTimer();
  ui_.ShowDisableAll();
  ui_.ShowProgress(0, kImageChunks);
  ui_.ProcessMessages();
}

void ImageFlows::EndTransfer() {
  ui_.HideProgress();
  ui_.ProcessMessages();
  ui_.StartPollTimer();
  ui_.HideDisableAll();
}

bool ImageFlows::CheckDevice() {
  if (channel_.link().IsOpen()) return true;
  ui_.ShowMessage(kNoDeviceTextId);
  return false;
}

void ImageFlows::KeepAliveWait() {
  for (int i = 0; i < kButtonWaitSteps; ++i) {
    clock_.SleepMs(kButtonWaitStepMs);
    ui_.ProcessMessages();
  }
}

FlowResult ImageFlows::ReadImage() {
  FlowResult result;
  ui_.StopPollTimer();
  ui_.ShowDisableAll();
  ui_.ShowProgress(0, kImageChunks);
  ui_.ProcessMessages();

  DataBuf image;
  result.read = ReadWholeImage(channel_, image, true);
  if (!result.read.whole()) {
    // Unread bytes are 0xFF: showing them would replace the user's settings
    // with defaults, and the next Apply would write those into the mouse.
    result.end_acknowledged = channel_.EndExchange();
    ui_.HideProgress();
    ui_.ProcessMessages();
    ui_.StartPollTimer();
    ui_.ShowMessage(kWriteFailTextId);
    result.status = FlowStatus::kReadIncomplete;
    return result;
  }
  workspace_.data_buf = image;
  workspace_.source = ImageSource::kDevice;
  workspace_.mouse_image = image;
  result.unpack = workspace_.UnpackImage();
  result.end_acknowledged = channel_.EndExchange();
  ui_.RedrawFromRecord();
  ui_.ProcessMessages();
  ui_.HideDisableAll();
  EndTransfer();
  return result;
}

FlowResult ImageFlows::WriteImageExchange(WriteExtent extent) {
  FlowResult result;
  result.exchange = channel_.BeginExchange();
  result.status = StatusOfHandshake(result.exchange);
  if (result.exchange.configurable()) {
    if (before_write && workspace_.mouse_image) before_write(*workspace_.mouse_image);
    // Only what differs from an image just read; the whole image otherwise.
    const bool changes_only = extent == WriteExtent::kChangesOnly && workspace_.mouse_image;
    result.write = changes_only
                       ? WriteChangesAndVerify(channel_, ui_, *workspace_.mouse_image, workspace_.data_buf)
                       : WriteAndVerify(channel_, ui_, workspace_.data_buf);
    if (result.write.verified()) {
      workspace_.mouse_image = workspace_.data_buf;
    } else {
      result.status = FlowStatus::kWriteFailed;
    }
  }
  if (result.exchange.needs_closing_pair()) {
    result.end_acknowledged = channel_.EndExchange();
    // A write that failed keeps its own status: it says more.
    if (!result.end_acknowledged && result.status == FlowStatus::kDone) {
      result.status = FlowStatus::kEndNotAcknowledged;
    }
  }
  return result;
}

FlowResult ImageFlows::WriteRecord(const ParameterRecord& encoded,
                                   const std::function<void()>& apply_os_settings) {
  if (workspace_.source == ImageSource::kNoDevice) {
    // What is shown is the placeholder image, not the user's settings.
    return FlowResult::Of(FlowStatus::kNothingToWrite);
  }
  BeginTransfer();
  workspace_.record = encoded;
  workspace_.PackImage();
  ui_.ShowProgress(0, kImageChunks);
  ui_.ProcessMessages();
  if (apply_os_settings) apply_os_settings();
  FlowResult result = WriteImageExchange();
  EndTransfer();
  return result;
}

FlowResult ImageFlows::ShowAndWriteFactoryImage(int n) {
  if (!workspace_.factory_images() || n < 1 || n > kFactoryImageCount) {
    return FlowResult::Of(FlowStatus::kBadFile);
  }
  BeginTransfer();
  // n and the images were checked above: it cannot fail here.
  (void)workspace_.LoadFactoryImage(n, ImageSource::kFactoryImage);
  ui_.RedrawFromRecord();
  ui_.ShowProgress(0, kImageChunks);
  FlowResult result = WriteImageExchange();
  EndTransfer();
  return result;
}

FlowResult ImageFlows::ShowAndWriteDefaults() {
  BeginTransfer();
  workspace_.BuildBuiltInDefaults();
  ui_.RedrawFromRecord();
  FlowResult result = WriteImageExchange();
  EndTransfer();
  return result;
}

FlowResult ImageFlows::ShowAndWriteImage() {
  const UnpackReport unpack = workspace_.UnpackImage();
  ui_.RedrawFromRecord();
  // What is shown is what is written: a section the checks replaced goes to
  // the mouse as repaired, not as the damaged bytes of the file.
  workspace_.CommitRepairs(unpack);
  BeginTransfer();
  FlowResult result = WriteImageExchange();
  result.unpack = unpack;
  EndTransfer();
  return result;
}

FlowResult ImageFlows::LoadProfileFile(std::span<const std::uint8_t> file_bytes, ImageSource from) {
  const auto image = OverlayProfile(workspace_.data_buf, file_bytes);
  if (!image) {
    ui_.ShowMessage(kBadProfileTextId);
    return FlowResult::Of(FlowStatus::kBadFile);
  }
  workspace_.data_buf = *image;
  workspace_.source = from;
  return ShowAndWriteImage();
}

FlowResult ImageFlows::WriteImage(WriteExtent extent) {
  BeginTransfer();
  FlowResult result = WriteImageExchange(extent);
  EndTransfer();
  return result;
}

FlowResult ImageFlows::ApplyImage(const ParameterRecord& encoded,
                                  const std::function<void()>& apply_os_settings) {
  KeepAliveWait();
  if (!CheckDevice()) return FlowResult::Of(FlowStatus::kNoDevice);
  return WriteRecord(encoded, apply_os_settings);
}

FlowResult ImageFlows::WriteFactoryImage(int n) {
  KeepAliveWait();
  if (!CheckDevice()) return FlowResult::Of(FlowStatus::kNoDevice);
  return ShowAndWriteFactoryImage(n);
}

FlowResult ImageFlows::WriteDefaults() {
  KeepAliveWait();
  if (!channel_.link().IsOpen()) return FlowResult::Of(FlowStatus::kNoDevice);
  return ShowAndWriteDefaults();
}

}  // namespace zelko
