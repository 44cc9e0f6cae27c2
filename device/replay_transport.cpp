#include "device/replay_transport.h"

#include <algorithm>
#include <charconv>

namespace zelko {
namespace {

constexpr const char* kReplayPathPrefix = "replay:";

int IndexOfPath(const std::string& path) {
  const std::string_view prefix = kReplayPathPrefix;
  if (path.compare(0, prefix.size(), prefix) != 0) return -1;
  int index = -1;
  const char* first = path.data() + prefix.size();
  const char* last = path.data() + path.size();
  const auto [end, error] = std::from_chars(first, last, index);
  return error == std::errc{} && end == last ? index : -1;
}

}  // namespace

std::string ReplayDivergence::Text() const {
  if (line == 0) {
    return "the replay differs after the end of the recording: the program asked for " + actual;
  }
  return "the replay differs at line " + std::to_string(line) + " of the recording: recorded " + expected +
         "; the program " + (actual.empty() ? std::string("asked for nothing more") : "asked for " + actual);
}

ReplayTransport::ReplayTransport(Recording recording) : recording_(std::move(recording)) {
  for (std::size_t i = 0; i < recording_.entries.size(); ++i) {
    if (IsRequest(recording_.entries[i].kind)) requests_.push_back(i);
  }
}

std::string ReplayTransport::PathOf(int index) { return kReplayPathPrefix + std::to_string(index); }

bool ReplayTransport::Matches(const TrafficEntry& recorded, const TrafficEntry& actual) {
  if (recorded.kind != actual.kind) return false;
  switch (actual.kind) {
    case TrafficKind::kEnumerate: return true;
    case TrafficKind::kOpen: return recorded.path == actual.path;
    case TrafficKind::kSetFeature: return recorded.handle == actual.handle && recorded.data == actual.data;
    case TrafficKind::kGetFeature:
      // What a get feature asks is the report id and the length; the rest
      // of the buffer is whatever the program left in it.
      return recorded.handle == actual.handle && recorded.data.size() == actual.data.size() &&
             (actual.data.empty() || recorded.data[0] == actual.data[0]);
    default: return recorded.handle == actual.handle;
  }
}

const TrafficEntry* ReplayTransport::Next(const TrafficEntry& actual) {
  if (divergence_) return nullptr;
  if (next_ >= requests_.size()) {
    Diverge({0, "the end of the recording", DescribeRequest(actual)});
    return nullptr;
  }
  const TrafficEntry& recorded = recording_.entries[requests_[next_]];
  if (!Matches(recorded, actual)) {
    Diverge({recorded.line, DescribeRequest(recorded), DescribeRequest(actual)});
    return nullptr;
  }
  ++next_;
  ++answered_;
  return &recorded;
}

void ReplayTransport::Diverge(ReplayDivergence divergence) {
  divergence_ = std::move(divergence);
  if (on_divergence_) on_divergence_(*divergence_);
}

void ReplayTransport::CheckFinished() {
  if (divergence_ || next_ >= requests_.size()) return;
  const TrafficEntry& recorded = recording_.entries[requests_[next_]];
  Diverge({recorded.line, DescribeRequest(recorded), ""});
}

std::optional<std::vector<std::string>> ReplayTransport::EnumerateInterfaces() {
  TrafficEntry actual;
  actual.kind = TrafficKind::kEnumerate;
  const TrafficEntry* recorded = Next(actual);
  if (!recorded) return std::vector<std::string>{};  // as if unplugged
  if (!recorded->interfaces) return std::nullopt;
  std::vector<std::string> paths;
  for (int i = 0; i < *recorded->interfaces; ++i) paths.push_back(PathOf(i));
  return paths;
}

HidHandle ReplayTransport::Open(const std::string& path) {
  TrafficEntry actual;
  actual.kind = TrafficKind::kOpen;
  actual.path = IndexOfPath(path);
  const TrafficEntry* recorded = Next(actual);
  return recorded && recorded->handle > 0 ? recorded->handle : kNoHidHandle;
}

void ReplayTransport::Close(HidHandle handle) {
  TrafficEntry actual;
  actual.kind = TrafficKind::kClose;
  actual.handle = static_cast<int>(handle);
  (void)Next(actual);
}

std::optional<HidAttributes> ReplayTransport::GetAttributes(HidHandle handle) {
  TrafficEntry actual;
  actual.kind = TrafficKind::kAttributes;
  actual.handle = static_cast<int>(handle);
  const TrafficEntry* recorded = Next(actual);
  return recorded ? recorded->attributes : std::nullopt;
}

std::optional<std::uint16_t> ReplayTransport::GetFeatureReportByteLength(HidHandle handle) {
  TrafficEntry actual;
  actual.kind = TrafficKind::kFeatureLength;
  actual.handle = static_cast<int>(handle);
  const TrafficEntry* recorded = Next(actual);
  return recorded ? recorded->feature_length : std::nullopt;
}

bool ReplayTransport::SetFeature(HidHandle handle, std::span<std::uint8_t> buffer) {
  TrafficEntry actual;
  actual.kind = TrafficKind::kSetFeature;
  actual.handle = static_cast<int>(handle);
  actual.data.assign(buffer.begin(), buffer.end());
  const TrafficEntry* recorded = Next(actual);
  return recorded && recorded->ok;
}

bool ReplayTransport::GetFeature(HidHandle handle, std::span<std::uint8_t> buffer) {
  TrafficEntry actual;
  actual.kind = TrafficKind::kGetFeature;
  actual.handle = static_cast<int>(handle);
  actual.data.assign(buffer.begin(), buffer.end());
  const TrafficEntry* recorded = Next(actual);
  if (!recorded) return false;
  std::copy(recorded->reply.begin(), recorded->reply.end(), buffer.begin());
  return recorded->ok;
}

std::optional<std::vector<std::uint8_t>> ReplayTransport::GetReportDescriptor(HidHandle handle) {
  for (const auto& entry : recording_.entries) {
    if (entry.kind == TrafficKind::kDescriptor && entry.handle == handle) return entry.data;
  }
  return std::nullopt;
}

}  // namespace zelko
