// A transport that records every exchange with the one it wraps (open,
// close, ids, feature report length, each set and get feature report with
// its bytes and result) into a TrafficLog, with the time since the start
// on the session's clock. Device paths become their index in the last
// enumeration and handles the number of their open, so the recording holds
// nothing about the user's machine beyond the mouse itself.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "base/clock.h"
#include "device/hid_transport.h"
#include "device/traffic_log.h"
#include "device/traffic_record.h"

namespace zelko {

class RecordingTransport final : public HidTransport {
 public:
  // Writes the header at once. `inner`, `log` and `clock` outlive this.
  RecordingTransport(HidTransport& inner, TrafficLog& log, Clock& clock, TrafficHeader header);

  [[nodiscard]] std::optional<std::vector<std::string>> EnumerateInterfaces() override;
  [[nodiscard]] HidHandle Open(const std::string& path) override;
  void Close(HidHandle handle) override;
  [[nodiscard]] std::optional<HidAttributes> GetAttributes(HidHandle handle) override;
  [[nodiscard]] std::optional<std::uint16_t> GetFeatureReportByteLength(HidHandle handle) override;
  [[nodiscard]] bool SetFeature(HidHandle handle, std::span<std::uint8_t> buffer) override;
  [[nodiscard]] bool GetFeature(HidHandle handle, std::span<std::uint8_t> buffer) override;
  [[nodiscard]] std::optional<std::vector<std::uint8_t>> GetReportDescriptor(HidHandle handle) override;

 private:
  TrafficEntry Entry(TrafficKind kind, HidHandle handle) const;
  void Write(const TrafficEntry& entry) { log_.Write(TrafficLine(entry)); }
  // After a reply: notes the chip code of a status reply when it is new.
  void NoteStatusReply(std::span<const std::uint8_t> reply);

  HidTransport& inner_;
  TrafficLog& log_;
  Clock& clock_;
  std::uint64_t start_ms_;
  std::vector<std::string> listed_;      // the last enumeration
  std::map<HidHandle, int> numbers_;     // open handle -> its number in the recording
  int opens_ = 0;
  std::optional<std::uint8_t> last_set_command_;  // command byte of the last set feature
  std::optional<std::uint8_t> chip_code_;         // the last chip code noted
};

}  // namespace zelko
