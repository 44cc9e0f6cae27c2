// The simulated mouse as the transport sees a real one: several HID
// interfaces with the same ids. The pointer and keyboard interfaces have
// feature reports other than 8 bytes and refuse transfers; the vendor
// interface carries the 8-byte command reports to the firmware.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device/hid_transport.h"
#include "sim/simulated_mouse.h"

namespace zelko::sim {

struct SimInterface {
  std::string path;
  HidAttributes attributes;
  std::uint16_t feature_report_length = 0;
  bool configuration = false;  // transfers reach the firmware
};

// The mouse's three interfaces: pointer, keyboard, vendor (configuration),
// in that order, all with the mouse's ids and version.
std::vector<SimInterface> MouseInterfaces(const SimFaults& faults);

class SimTransport final : public HidTransport {
 public:
  explicit SimTransport(SimulatedMouse& mouse);
  SimTransport(SimulatedMouse& mouse, std::vector<SimInterface> interfaces);

  [[nodiscard]] std::optional<std::vector<std::string>> EnumerateInterfaces() override;
  [[nodiscard]] HidHandle Open(const std::string& path) override;
  void Close(HidHandle handle) override;
  [[nodiscard]] std::optional<HidAttributes> GetAttributes(HidHandle handle) override;
  [[nodiscard]] std::optional<std::uint16_t> GetFeatureReportByteLength(HidHandle handle) override;
  [[nodiscard]] bool SetFeature(HidHandle handle, std::span<std::uint8_t> buffer) override;
  [[nodiscard]] bool GetFeature(HidHandle handle, std::span<std::uint8_t> buffer) override;

  std::vector<SimInterface>& interfaces() { return interfaces_; }
  // Handles open now (a leak shows here).
  std::size_t open_handles() const { return open_.size(); }
  // Whether the list of interfaces can be had at all.
  void set_list_available(bool available) { list_available_ = available; }

 private:
  const SimInterface* Find(HidHandle handle) const;

  SimulatedMouse& mouse_;
  std::vector<SimInterface> interfaces_;
  std::map<HidHandle, std::size_t> open_;  // handle -> index into interfaces_
  HidHandle next_handle_ = 100;
  bool list_available_ = true;
};

}  // namespace zelko::sim
