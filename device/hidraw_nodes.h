// What Linux tells about its hidraw nodes without opening them: sysfs gives
// the HID ids (uevent HID_ID), the USB device's bcdDevice further up the
// device tree, and the report descriptor.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "device/hid_transport.h"

namespace zelko {

// Where to look; tests point these at a made-up tree.
struct HidrawRoots {
  std::string sysfs_class = "/sys/class/hidraw";
  std::string dev = "/dev";
};

struct HidrawNode {
  std::string name;         // "hidraw3"
  std::string device_path;  // "/dev/hidraw3"
  std::optional<HidAttributes> attributes;
  std::optional<std::uint16_t> feature_report_length;
  std::vector<std::uint8_t> report_descriptor;  // empty when sysfs has none
};

// Every hidraw node in number order; nothing when the class folder cannot
// be read (no hidraw support).
[[nodiscard]] std::optional<std::vector<HidrawNode>> ListHidrawNodes(const HidrawRoots& roots = {});

// The node whose device path is `path`, looked up afresh.
[[nodiscard]] std::optional<HidrawNode> FindHidrawNode(const std::string& path, const HidrawRoots& roots = {});

// "HID_ID=0003:00003151:00007707" in a uevent text -> (vendor, product).
[[nodiscard]] std::optional<std::pair<std::uint16_t, std::uint16_t>> ParseUeventHidId(std::string_view uevent);

// A plain sentence on why `path` could not be opened (errno `error`) and
// what to do about it.
std::string DescribeOpenError(const std::string& path, int error);

}  // namespace zelko
