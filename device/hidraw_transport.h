// The Linux backend: HID interfaces are the /dev/hidraw* nodes; feature
// reports travel with the HIDIOCSFEATURE / HIDIOCGFEATURE ioctls. The
// kernel bounds each transfer by the USB control-transfer timeout, and
// nodes are opened non-blocking, so nothing here can hang.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "device/hid_transport.h"
#include "device/hidraw_nodes.h"

namespace zelko {

struct OpenFailure {
  std::string path;
  int error = 0;  // errno
};

class HidrawTransport final : public HidTransport {
 public:
  explicit HidrawTransport(HidrawRoots roots = {});
  ~HidrawTransport() override;

  [[nodiscard]] std::optional<std::vector<std::string>> EnumerateInterfaces() override;
  [[nodiscard]] HidHandle Open(const std::string& path) override;
  void Close(HidHandle handle) override;
  [[nodiscard]] std::optional<HidAttributes> GetAttributes(HidHandle handle) override;
  [[nodiscard]] std::optional<std::uint16_t> GetFeatureReportByteLength(HidHandle handle) override;
  [[nodiscard]] bool SetFeature(HidHandle handle, std::span<std::uint8_t> buffer) override;
  [[nodiscard]] bool GetFeature(HidHandle handle, std::span<std::uint8_t> buffer) override;
  [[nodiscard]] std::optional<std::vector<std::uint8_t>> GetReportDescriptor(HidHandle handle) override;

  // Nodes that could not be opened since the last enumeration, and why.
  const std::vector<OpenFailure>& open_failures() const { return open_failures_; }

 private:
  [[nodiscard]] bool FeatureIoctl(HidHandle handle, unsigned long request, std::span<std::uint8_t> buffer);

  HidrawRoots roots_;
  std::map<HidHandle, HidrawNode> open_;  // fd -> what sysfs said when it was opened
  std::vector<OpenFailure> open_failures_;
};

}  // namespace zelko
