// The platform's side of the device link: enumerate HID interfaces, open
// one, read its identity and capabilities, and move 8-byte feature reports.
// The Linux hidraw backend, the Windows SetupAPI/HID backend and the
// simulated mouse all implement this; the link logic never sees which.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zelko {

// An open interface as the backend names it (a file descriptor, a Windows
// HANDLE, a simulator slot). All bits set means none.
using HidHandle = std::intptr_t;
inline constexpr HidHandle kNoHidHandle = -1;

struct HidAttributes {
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  std::uint16_t version = 0;  // the USB device's release number (bcdDevice)
};

class HidTransport {
 public:
  virtual ~HidTransport() = default;

  // Paths of the HID interfaces present now, in enumeration order.
  // Nothing when the list itself cannot be had (libraries missing, no sysfs).
  [[nodiscard]] virtual std::optional<std::vector<std::string>> EnumerateInterfaces() = 0;

  // Opens a path without asking for exclusive use (other programs may keep
  // theirs open). kNoHidHandle when it cannot be opened.
  [[nodiscard]] virtual HidHandle Open(const std::string& path) = 0;
  virtual void Close(HidHandle handle) = 0;

  [[nodiscard]] virtual std::optional<HidAttributes> GetAttributes(HidHandle handle) = 0;

  // The largest feature report of the interface in bytes, report id byte
  // included (Windows' FeatureReportByteLength); 0 when it has none.
  [[nodiscard]] virtual std::optional<std::uint16_t> GetFeatureReportByteLength(HidHandle handle) = 0;

  // Set Feature / Get Feature with buffer[0] = report id. Get Feature
  // overwrites the buffer with the reply. False when the transfer failed.
  [[nodiscard]] virtual bool SetFeature(HidHandle handle, std::span<std::uint8_t> buffer) = 0;
  [[nodiscard]] virtual bool GetFeature(HidHandle handle, std::span<std::uint8_t> buffer) = 0;

  // The interface's report descriptor, where the backend can have it (a
  // recording of the traffic keeps it); nothing otherwise.
  [[nodiscard]] virtual std::optional<std::vector<std::uint8_t>> GetReportDescriptor(HidHandle /*handle*/) {
    return std::nullopt;
  }
};

}  // namespace zelko
