// The device link state and the discovery of the mouse's configuration
// interface among all HID interfaces present.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "device/hid_transport.h"

namespace zelko {

struct DeviceIdentity {
  std::uint32_t vendor_id = 0;
  std::uint32_t product_id = 0;
  // An entry with a zero id is never searched.
  bool searchable() const { return vendor_id != 0 && product_id != 0; }
};

// One per process (the window or the command owns it).
struct DeviceLinkState {
  HidHandle DeviceHandle = kNoHidHandle;
  std::uint32_t DeviceVendorId = 0;
  std::uint32_t DeviceProductId = 0;
  // Passed as the buffer length to every feature transfer (8 when open).
  std::uint32_t FeatureReportLength = 0;
  // In: the version a search must match. Out: the matched interface's.
  std::uint32_t DeviceVersion = 0;
  // Entry 0: the supported mouse; entry 1 stays empty.
  std::array<DeviceIdentity, 2> DeviceIdTable{};
};

class DeviceLink {
 public:
  // Entry 0 of DeviceIdTable is the supported mouse unless `identity` says
  // otherwise (--device VID:PID).
  explicit DeviceLink(HidTransport& transport);
  DeviceLink(HidTransport& transport, DeviceIdentity identity);
  ~DeviceLink();
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  // The number of HID interfaces present that can be opened.
  int CountHidDevices();

  // Visits every interface present; the last one with the given ids, the
  // given version and 8-byte feature reports becomes DeviceHandle (a handle
  // it replaces is closed). On success sets DeviceVendorId,
  // DeviceProductId, FeatureReportLength and `version`. On failure the
  // state is left exactly as it was.
  [[nodiscard]] bool OpenHidDevice(std::uint32_t vendorId, std::uint32_t productId, std::uint32_t& version);

  // Sets DeviceHandle to none and releases the interface.
  void ForgetDevice();

  bool IsOpen() const { return state_.DeviceHandle != kNoHidHandle; }
  // The path of the open interface; empty when none is open.
  const std::string& DevicePath() const { return device_path_; }

  DeviceLinkState& state() { return state_; }
  const DeviceLinkState& state() const { return state_; }
  HidTransport& transport() { return transport_; }

 private:
  HidTransport& transport_;
  DeviceLinkState state_;
  std::string device_path_;
};

}  // namespace zelko
