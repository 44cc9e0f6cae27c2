#include "device/recorded_mouse.h"

#include <algorithm>
#include <map>

namespace zelko {
namespace {

// The firmware's side of the exchanges, followed from the host's view: a
// request takes effect when a poll answers it with 0xCC.
class ProtocolFollower {
 public:
  explicit ProtocolFollower(RecordedMouse& mouse) : mouse_(mouse) {}

  void Sent(const std::vector<std::uint8_t>& report, bool ok) {
    pending_ = ok && report.size() == kReportLength && report[kReportIdByte] == kCommandReportId;
    if (pending_) std::copy(report.begin(), report.end(), request_.begin());
  }

  void Answered(const std::vector<std::uint8_t>& reply, bool ok) {
    if (!pending_ || !ok || reply.size() != kReportLength || reply[kAckByte] != kAckOk) return;
    pending_ = false;
    switch (static_cast<CommandCode>(request_[kCommandByte])) {
      case CommandCode::kStatus:
        mouse_.status_reply.emplace();
        std::copy(reply.begin(), reply.end(), mouse_.status_reply->begin());
        break;
      case CommandCode::kBeginBlockRead:
      case CommandCode::kBeginBlockWrite:
        reading_ = request_[kCommandByte] == static_cast<std::uint8_t>(CommandCode::kBeginBlockRead);
        cursor_ = static_cast<std::size_t>(request_[kBlockAddressLowByte] | request_[kBlockAddressHighByte] << 8);
        remaining_ = static_cast<std::size_t>(request_[kBlockLengthLowByte] | request_[kBlockLengthHighByte] << 8);
        in_block_ = true;
        break;
      case CommandCode::kNextReadChunk:
        if (in_block_ && reading_) Store(reply.data() + kReadChunkFirstDataByte, true);
        break;
      case CommandCode::kNextWriteChunk:
        if (in_block_ && !reading_) Store(request_.data() + kWriteChunkFirstDataByte, false);
        break;
      default:
        in_block_ = false;
        break;
    }
  }

 private:
  void Store(const std::uint8_t* data, bool read) {
    const std::size_t count = std::min(kChunkDataLength, remaining_);
    for (std::size_t i = 0; i < count && cursor_ + i < kDeviceMemorySize; ++i) {
      const std::size_t address = cursor_ + i;
      mouse_.final_memory[address] = data[i];
      if (!written_[address] && (!mouse_.known[address] || !read_[address])) {
        // Found so: read before any write, or (only written) the first write.
        if (read || !mouse_.known[address]) mouse_.memory[address] = data[i];
      }
      mouse_.known[address] = true;
      (read ? read_ : written_)[address] = true;
    }
    cursor_ += count;
    remaining_ -= count;
    if (remaining_ == 0) in_block_ = false;
  }

  RecordedMouse& mouse_;
  std::array<bool, kDeviceMemorySize> read_{};
  std::array<bool, kDeviceMemorySize> written_{};
  std::array<std::uint8_t, kReportLength> request_{};
  bool pending_ = false;
  bool in_block_ = false;
  bool reading_ = false;
  std::size_t cursor_ = 0;
  std::size_t remaining_ = 0;
};

}  // namespace

int RecordedMouse::known_bytes() const {
  return static_cast<int>(std::count(known.begin(), known.end(), true));
}

RecordedMouse ReconstructMouse(const Recording& recording) {
  RecordedMouse mouse;
  std::map<int, int> path_of_handle;
  std::map<int, ProtocolFollower> followers;  // by handle
  auto interface_of = [&](int handle) -> RecordedInterface* {
    const auto it = path_of_handle.find(handle);
    if (it == path_of_handle.end() || it->second < 0) return nullptr;
    const auto index = static_cast<std::size_t>(it->second);
    if (mouse.interfaces.size() <= index) mouse.interfaces.resize(index + 1);
    return &mouse.interfaces[index];
  };
  for (const auto& entry : recording.entries) {
    switch (entry.kind) {
      case TrafficKind::kEnumerate:
        if (entry.interfaces && static_cast<std::size_t>(*entry.interfaces) > mouse.interfaces.size()) {
          mouse.interfaces.resize(static_cast<std::size_t>(*entry.interfaces));
        }
        break;
      case TrafficKind::kOpen:
        if (entry.handle > 0) path_of_handle[entry.handle] = entry.path;
        break;
      case TrafficKind::kAttributes:
        if (auto* interface = interface_of(entry.handle); interface && entry.attributes) {
          interface->attributes = entry.attributes;
        }
        break;
      case TrafficKind::kFeatureLength:
        if (auto* interface = interface_of(entry.handle); interface && entry.feature_length) {
          interface->feature_length = entry.feature_length;
          if (*entry.feature_length == kReportLength) mouse.configuration_interface = path_of_handle[entry.handle];
        }
        break;
      case TrafficKind::kSetFeature:
        followers.try_emplace(entry.handle, mouse).first->second.Sent(entry.data, entry.ok);
        break;
      case TrafficKind::kGetFeature:
        followers.try_emplace(entry.handle, mouse).first->second.Answered(entry.reply, entry.ok);
        break;
      default:
        break;
    }
  }
  return mouse;
}

}  // namespace zelko
