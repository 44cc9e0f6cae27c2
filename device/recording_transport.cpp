#include "device/recording_transport.h"

#include <algorithm>

#include "device/protocol_layout.h"

namespace zelko {

RecordingTransport::RecordingTransport(HidTransport& inner, TrafficLog& log, Clock& clock, TrafficHeader header)
    : inner_(inner), log_(log), clock_(clock), start_ms_(clock.NowMs()) {
  TrafficEntry entry;
  entry.kind = TrafficKind::kHeader;
  entry.header = std::move(header);
  Write(entry);
}

TrafficEntry RecordingTransport::Entry(TrafficKind kind, HidHandle handle) const {
  TrafficEntry entry;
  entry.kind = kind;
  entry.ms = clock_.NowMs() - start_ms_;
  const auto it = numbers_.find(handle);
  entry.handle = it == numbers_.end() ? -1 : it->second;
  return entry;
}

std::optional<std::vector<std::string>> RecordingTransport::EnumerateInterfaces() {
  auto paths = inner_.EnumerateInterfaces();
  TrafficEntry entry = Entry(TrafficKind::kEnumerate, kNoHidHandle);
  if (paths) {
    listed_ = *paths;
    entry.interfaces = static_cast<int>(paths->size());
  }
  Write(entry);
  return paths;
}

HidHandle RecordingTransport::Open(const std::string& path) {
  const HidHandle handle = inner_.Open(path);
  TrafficEntry entry = Entry(TrafficKind::kOpen, kNoHidHandle);
  const auto listed = std::find(listed_.begin(), listed_.end(), path);
  entry.path = listed == listed_.end() ? -1 : static_cast<int>(listed - listed_.begin());
  if (handle != kNoHidHandle) {
    numbers_[handle] = ++opens_;
    entry.handle = opens_;
  }
  Write(entry);
  return handle;
}

void RecordingTransport::Close(HidHandle handle) {
  Write(Entry(TrafficKind::kClose, handle));
  numbers_.erase(handle);
  inner_.Close(handle);
}

std::optional<HidAttributes> RecordingTransport::GetAttributes(HidHandle handle) {
  auto attributes = inner_.GetAttributes(handle);
  TrafficEntry entry = Entry(TrafficKind::kAttributes, handle);
  entry.attributes = attributes;
  Write(entry);
  return attributes;
}

std::optional<std::uint16_t> RecordingTransport::GetFeatureReportByteLength(HidHandle handle) {
  const auto length = inner_.GetFeatureReportByteLength(handle);
  TrafficEntry entry = Entry(TrafficKind::kFeatureLength, handle);
  entry.feature_length = length;
  Write(entry);
  // The interface the program talks to: its report descriptor goes with it.
  if (length == kReportLength) {
    if (auto descriptor = inner_.GetReportDescriptor(handle)) {
      TrafficEntry about = Entry(TrafficKind::kDescriptor, handle);
      about.data = std::move(*descriptor);
      Write(about);
    }
  }
  return length;
}

bool RecordingTransport::SetFeature(HidHandle handle, std::span<std::uint8_t> buffer) {
  TrafficEntry entry = Entry(TrafficKind::kSetFeature, handle);
  entry.data.assign(buffer.begin(), buffer.end());
  entry.ok = inner_.SetFeature(handle, buffer);
  Write(entry);
  last_set_command_ = buffer.size() > kCommandByte ? std::optional(buffer[kCommandByte]) : std::nullopt;
  return entry.ok;
}

bool RecordingTransport::GetFeature(HidHandle handle, std::span<std::uint8_t> buffer) {
  TrafficEntry entry = Entry(TrafficKind::kGetFeature, handle);
  entry.data.assign(buffer.begin(), buffer.end());
  entry.ok = inner_.GetFeature(handle, buffer);
  entry.reply.assign(buffer.begin(), buffer.end());
  Write(entry);
  if (entry.ok) NoteStatusReply(buffer);
  return entry.ok;
}

std::optional<std::vector<std::uint8_t>> RecordingTransport::GetReportDescriptor(HidHandle handle) {
  return inner_.GetReportDescriptor(handle);
}

void RecordingTransport::NoteStatusReply(std::span<const std::uint8_t> reply) {
  if (last_set_command_ != static_cast<std::uint8_t>(CommandCode::kStatus)) return;
  if (reply.size() != kReportLength || reply[kAckByte] != kAckOk) return;
  const std::uint8_t code = reply[kStatusChipCodeByte];
  if (chip_code_ == code) return;
  chip_code_ = code;
  TrafficEntry about;
  about.kind = TrafficKind::kChip;
  about.chip_code = code;
  Write(about);
}

}  // namespace zelko
