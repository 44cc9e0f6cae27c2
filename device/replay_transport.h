// A transport that answers from a recording, request by request (strict
// replay): each request the program makes must be the next one recorded
// (same kind, interface and bytes; for a get feature, the same report id
// and length), and is answered as the mouse answered then. At the first
// difference, or a request past the end, the replay stops: it keeps the
// line, what was recorded and what was asked, and from then on answers
// like an unplugged mouse, so the program ends soon without a word reaching
// a mouse.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "device/hid_transport.h"
#include "device/traffic_record.h"

namespace zelko {

struct ReplayDivergence {
  int line = 0;          // the recording's line expected next (0: past its end)
  std::string expected;  // DescribeRequest of the recorded request, or "the end of the recording"
  std::string actual;    // DescribeRequest of what the program asked for
  std::string Text() const;
};

class ReplayTransport final : public HidTransport {
 public:
  explicit ReplayTransport(Recording recording);

  [[nodiscard]] std::optional<std::vector<std::string>> EnumerateInterfaces() override;
  [[nodiscard]] HidHandle Open(const std::string& path) override;
  void Close(HidHandle handle) override;
  [[nodiscard]] std::optional<HidAttributes> GetAttributes(HidHandle handle) override;
  [[nodiscard]] std::optional<std::uint16_t> GetFeatureReportByteLength(HidHandle handle) override;
  [[nodiscard]] bool SetFeature(HidHandle handle, std::span<std::uint8_t> buffer) override;
  [[nodiscard]] bool GetFeature(HidHandle handle, std::span<std::uint8_t> buffer) override;
  [[nodiscard]] std::optional<std::vector<std::uint8_t>> GetReportDescriptor(HidHandle handle) override;

  // The first difference, if there was one.
  const std::optional<ReplayDivergence>& divergence() const { return divergence_; }
  // Called when the program is done: a recording with requests left over
  // (the program asked for less) is a difference too.
  void CheckFinished();
  // Called once, at the first difference (to say it at once).
  void OnDivergence(std::function<void(const ReplayDivergence&)> callback) { on_divergence_ = std::move(callback); }
  // Requests answered so far.
  std::size_t answered() const { return answered_; }

  // The path the replay lists for the recording's interface number `index`.
  static std::string PathOf(int index);

 private:
  // The next recorded request if it matches `actual`; otherwise the
  // divergence is set and nothing is returned.
  const TrafficEntry* Next(const TrafficEntry& actual);
  void Diverge(ReplayDivergence divergence);
  static bool Matches(const TrafficEntry& recorded, const TrafficEntry& actual);

  Recording recording_;
  std::vector<std::size_t> requests_;  // indexes of the request entries, in order
  std::size_t next_ = 0;
  std::size_t answered_ = 0;
  std::optional<ReplayDivergence> divergence_;
  std::function<void(const ReplayDivergence&)> on_divergence_;
};

}  // namespace zelko
