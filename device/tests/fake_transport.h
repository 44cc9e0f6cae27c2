// A transport for link and protocol tests: a list of interfaces with chosen
// identities, and on the configuration interface a scripted mouse whose
// replies a test decides report by report.
#pragma once
#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/clock.h"
#include "device/hid_transport.h"
#include "device/protocol_layout.h"

namespace zelko::testing {

using Report = std::array<std::uint8_t, kReportLength>;

struct FakeInterface {
  std::string path;
  HidAttributes attributes;
  std::uint16_t feature_length = 8;
  bool openable = true;
};

struct SentReport {
  Report bytes;
  std::uint64_t at_ms;
};

class FakeTransport final : public HidTransport {
 public:
  // Decides the reply to a Get Feature: return nothing to make the call
  // fail; otherwise the bytes put into the buffer.
  using ReplyFn = std::function<std::optional<Report>(const Report& last_sent, int poll)>;

  explicit FakeTransport(const Clock* clock = nullptr) : clock_(clock) {}

  std::vector<FakeInterface> interfaces;
  bool list_available = true;
  bool set_fails = false;
  ReplyFn reply = AcknowledgeEverything();

  std::vector<SentReport> sent;
  int gets = 0;
  std::set<HidHandle> open_handles;

  // Replies the sent report with 0xCC in byte 7.
  static ReplyFn AcknowledgeEverything() {
    return [](const Report& last, int) -> std::optional<Report> {
      Report r = last;
      r[kAckByte] = kAckOk;
      return r;
    };
  }
  // Byte 7 of successive Get Feature replies, in order; the last repeats.
  // -1 makes that call fail.
  static ReplyFn AckSequence(std::vector<int> acks) {
    auto next = std::make_shared<std::size_t>(0);
    return [acks, next](const Report& last, int) -> std::optional<Report> {
      const int ack = acks[std::min(*next, acks.size() - 1)];
      ++*next;
      if (ack < 0) return std::nullopt;
      Report r = last;
      r[kAckByte] = static_cast<std::uint8_t>(ack);
      return r;
    };
  }

  [[nodiscard]] std::optional<std::vector<std::string>> EnumerateInterfaces() override {
    if (!list_available) return std::nullopt;
    std::vector<std::string> paths;
    for (const auto& i : interfaces) paths.push_back(i.path);
    return paths;
  }
  [[nodiscard]] HidHandle Open(const std::string& path) override {
    for (std::size_t i = 0; i < interfaces.size(); ++i) {
      if (interfaces[i].path == path && interfaces[i].openable) {
        const HidHandle h = next_++;
        by_handle_[h] = i;
        open_handles.insert(h);
        return h;
      }
    }
    return kNoHidHandle;
  }
  void Close(HidHandle handle) override {
    open_handles.erase(handle);
    by_handle_.erase(handle);
  }
  [[nodiscard]] std::optional<HidAttributes> GetAttributes(HidHandle handle) override {
    const auto it = by_handle_.find(handle);
    if (it == by_handle_.end()) return std::nullopt;
    return interfaces[it->second].attributes;
  }
  [[nodiscard]] std::optional<std::uint16_t> GetFeatureReportByteLength(HidHandle handle) override {
    const auto it = by_handle_.find(handle);
    if (it == by_handle_.end()) return std::nullopt;
    return interfaces[it->second].feature_length;
  }
  [[nodiscard]] bool SetFeature(HidHandle, std::span<std::uint8_t> buffer) override {
    Report r{};
    std::copy_n(buffer.begin(), std::min(buffer.size(), r.size()), r.begin());
    sent.push_back({r, clock_ ? clock_->NowMs() : 0});
    polls_since_set_ = 0;
    return !set_fails;
  }
  [[nodiscard]] bool GetFeature(HidHandle, std::span<std::uint8_t> buffer) override {
    ++gets;
    const Report last = sent.empty() ? Report{} : sent.back().bytes;
    const auto r = reply(last, polls_since_set_++);
    if (!r) return false;
    std::copy_n(r->begin(), std::min(buffer.size(), r->size()), buffer.begin());
    return true;
  }

  // Sent reports whose command byte is `code`.
  int CountSent(CommandCode code) const {
    int n = 0;
    for (const auto& s : sent) n += s.bytes[kCommandByte] == static_cast<std::uint8_t>(code);
    return n;
  }

 private:
  const Clock* clock_;
  std::map<HidHandle, std::size_t> by_handle_;
  HidHandle next_ = 10;
  int polls_since_set_ = 0;
};

}  // namespace zelko::testing
