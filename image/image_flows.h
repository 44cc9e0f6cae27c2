// The flows that move the whole image between the mouse and the window:
// read, apply, the factory resets, the built-in defaults and showing and
// writing a loaded image. They talk to the window only through the UiPort;
// whenever a flow has unpacked a new image it calls UiPort::RedrawFromRecord.
#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "base/clock.h"
#include "device/command_channel.h"
#include "device/ui_port.h"
#include "image/image_transfer.h"
#include "image/workspace.h"

namespace zelko {

enum class [[nodiscard]] FlowStatus {
  kDone,              // read and shown, or written and verified
  kNoDevice,          // DeviceHandle is none (Str020 shown)
  kHandshakeFailed,   // command 1 or the status query unanswered, or a bad signature
  kNotConfigurable,   // the mouse refused configuration; nothing was written
  kReadIncomplete,    // parts of the image could not be read; nothing shown
  kWriteFailed,       // the write did not verify (Str109 shown)
  kEndNotAcknowledged,  // written and verified, but the closing pair (system
                        // reload, end exchange) went unacknowledged: the
                        // mouse may not use the new image until replugged
  kBadFile,           // a profile without the signature (Str102 shown)
  kNothingToWrite,    // no image of the mouse was ever shown; nothing sent
  kMouseBusy,         // another program holds the mouse; nothing was sent
};

struct [[nodiscard]] FlowResult {
  FlowStatus status = FlowStatus::kDone;
  ExchangeResult exchange;
  WriteVerifyResult write;
  ImageReadResult read;
  UnpackReport unpack;
  // The closing pair was acknowledged, or was not sent. A write flow turns
  // a verified write whose closing pair went unanswered into
  // kEndNotAcknowledged; a read keeps what it read.
  bool end_acknowledged = true;
  bool ok() const { return status == FlowStatus::kDone; }
  // A result that is only its status.
  static FlowResult Of(FlowStatus status) {
    FlowResult result;
    result.status = status;
    return result;
  }
};

inline constexpr std::string_view kNoDeviceTextId = "Str020";
inline constexpr std::string_view kBadProfileTextId = "Str102";

// The keep-alive wait before Apply and Confirm: 11 x 10 ms.
inline constexpr int kButtonWaitSteps = 11;
inline constexpr std::uint32_t kButtonWaitStepMs = 10;

// How much of the image a write sends: all 2048 bytes with a whole
// read-back (the window's Apply), or only what differs from the image just
// read, with a read-back of those ranges (zelko77ctl's commands).
enum class WriteExtent { kWhole, kChangesOnly };

class ImageFlows {
 public:
  ImageFlows(Workspace& workspace, CommandChannel& channel, UiPort& ui, Clock& clock);

  // Called with the image the mouse last held, before every write.
  std::function<void(const DataBuf&)> before_write;

  // The exchange is open and the mouse accepted. Reads the whole image
  // (re-reading chunks that were not acknowledged), unpacks it, closes the
  // exchange and asks for a redraw. When the image cannot be read whole
  // nothing is shown, the window stays covered and Str109 is shown.
  FlowResult ReadImage();

  // Apply: `encoded` (the working record with every setting encoded into
  // it) becomes the record, is packed with fresh checksums, and is written
  // and verified. `apply_os_settings` (optional) runs after packing, before
  // the exchange opens. Waits 110 ms keeping the GUI alive and checks
  // DeviceHandle first (Str020 when none is open). Nothing is written while
  // the placeholder image of "no mouse" is shown.
  FlowResult ApplyImage(const ParameterRecord& encoded,
                        const std::function<void()>& apply_os_settings = {});
  // ApplyImage without the wait and the device check.
  FlowResult WriteRecord(const ParameterRecord& encoded,
                         const std::function<void()>& apply_os_settings = {});

  // Factory image n (1..3) shown and written, after the wait and the device
  // check; ShowAndWriteFactoryImage without them.
  FlowResult WriteFactoryImage(int n);
  FlowResult ShowAndWriteFactoryImage(int n);

  // The built-in defaults shown and written; WriteDefaults (the engineer
  // page's Default) first waits and is silent without a device.
  FlowResult WriteDefaults();
  FlowResult ShowAndWriteDefaults();

  // The image now in data_buf shown and written; sections the checks
  // replaced are written as shown.
  FlowResult ShowAndWriteImage();

  // A profile file after it was chosen: its first 2048 bytes over a copy of
  // data_buf; refused with Str102 unless byte 0x07F is 0x99, otherwise shown
  // and written.
  FlowResult LoadProfileFile(std::span<const std::uint8_t> file_bytes, ImageSource from);

  // The image now in data_buf written and verified as it is (cover, stop
  // the poll, handshake, write, closing pair, uncover). The commands that
  // prepare the image themselves use it; with kChangesOnly only the bytes
  // that differ from the image the mouse was last known to hold travel.
  FlowResult WriteImage(WriteExtent extent = WriteExtent::kWhole);

  Workspace& workspace() { return workspace_; }
  CommandChannel& channel() { return channel_; }

 private:
  // Cover, stop the poll and show the progress window.
  void BeginTransfer();
  // Hide the progress, resume the poll, uncover.
  void EndTransfer();
  // BeginExchange; WriteAndVerify when configurable; EndExchange when the
  // handshake completed, its answer folded into the result.
  FlowResult WriteImageExchange(WriteExtent extent = WriteExtent::kWhole);
  [[nodiscard]] bool CheckDevice();
  void KeepAliveWait();

  Workspace& workspace_;
  CommandChannel& channel_;
  UiPort& ui_;
  Clock& clock_;
};

// The bytes of a profile file laid over `base`: at most 2048, a shorter
// file replaces only as many as it has. Nothing unless the file itself
// reaches byte 0x07F and carries the signature 0x99 there.
[[nodiscard]] std::optional<DataBuf> OverlayProfile(const DataBuf& base,
                                                    std::span<const std::uint8_t> file_bytes);

}  // namespace zelko
