#include "device/hidraw_nodes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/atomic_file.h"
#include "base/number_text.h"
#include "device/report_descriptor.h"
#include "base/file_reading.h"

namespace zelko {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kHidIdKey = "HID_ID=";
constexpr int kMaxLevelsToUsbDevice = 12;

// A sysfs attribute can fail to read (EIO, a folder where a file was
// expected): that gives nothing, never an exception.
std::optional<std::string> ReadText(const fs::path& path) {
  const auto bytes = ReadWholeFile(path.string());
  if (!bytes) return std::nullopt;
  return std::string(bytes->begin(), bytes->end());
}

// The number in "hidraw12", for ordering.
long NodeNumber(const std::string& name) {
  const auto digits = name.find_first_of("0123456789");
  if (digits == std::string::npos) return -1;
  const auto number = ParseDecimalNumber(std::string_view(name).substr(digits), 1'000'000);
  return number ? static_cast<long>(*number) : -1;
}

// bcdDevice of the USB device above the HID device folder.
std::optional<std::uint16_t> FindBcdDevice(const fs::path& hid_device) {
  std::error_code ec;
  fs::path folder = fs::canonical(hid_device, ec);
  if (ec) return std::nullopt;
  for (int level = 0; level < kMaxLevelsToUsbDevice && folder.has_relative_path(); ++level) {
    if (const auto text = ReadText(folder / "bcdDevice")) {
      std::string value = *text;
      value.erase(std::remove_if(value.begin(), value.end(), [](char c) { return c == '\n' || c == ' '; }),
                  value.end());
      if (const auto bcd = ParseHexNumber(value, 0xFFFF)) return static_cast<std::uint16_t>(*bcd);
      return std::nullopt;
    }
    folder = folder.parent_path();
  }
  return std::nullopt;
}

HidrawNode DescribeNode(const fs::path& class_entry, const std::string& name, const HidrawRoots& roots) {
  HidrawNode node;
  node.name = name;
  node.device_path = (fs::path(roots.dev) / name).string();
  const fs::path hid_device = class_entry / "device";
  if (const auto uevent = ReadText(hid_device / "uevent")) {
    if (const auto ids = ParseUeventHidId(*uevent)) {
      node.attributes = HidAttributes{ids->first, ids->second, FindBcdDevice(hid_device).value_or(0)};
    }
  }
  if (const auto descriptor = ReadText(hid_device / "report_descriptor")) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(descriptor->data());
    node.feature_report_length = FeatureReportByteLength({bytes, descriptor->size()});
    node.report_descriptor.assign(bytes, bytes + descriptor->size());
  }
  return node;
}

}  // namespace

std::optional<std::pair<std::uint16_t, std::uint16_t>> ParseUeventHidId(std::string_view uevent) {
  std::size_t start = 0;
  while (start < uevent.size()) {
    auto end = uevent.find('\n', start);
    if (end == std::string_view::npos) end = uevent.size();
    const auto line = uevent.substr(start, end - start);
    start = end + 1;
    if (line.substr(0, kHidIdKey.size()) != kHidIdKey) continue;
    // bus:vendor:product, each hexadecimal, 32-bit wide in the text.
    const auto parts = SplitList(line.substr(kHidIdKey.size()), ':');
    if (parts.size() != 3) return std::nullopt;
    const auto vendor = ParseHexNumber(parts[1], 0xFFFF);
    const auto product = ParseHexNumber(parts[2], 0xFFFF);
    if (!vendor || !product) return std::nullopt;
    return std::make_pair(static_cast<std::uint16_t>(*vendor), static_cast<std::uint16_t>(*product));
  }
  return std::nullopt;
}

std::optional<std::vector<HidrawNode>> ListHidrawNodes(const HidrawRoots& roots) {
  std::error_code ec;
  fs::directory_iterator it(roots.sysfs_class, ec);
  if (ec) return std::nullopt;
  std::vector<std::pair<long, fs::path>> entries;
  for (const auto& entry : it) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("hidraw", 0) == 0) entries.emplace_back(NodeNumber(name), entry.path());
  }
  std::sort(entries.begin(), entries.end());
  std::vector<HidrawNode> nodes;
  for (const auto& [number, path] : entries) {
    nodes.push_back(DescribeNode(path, path.filename().string(), roots));
  }
  return nodes;
}

std::optional<HidrawNode> FindHidrawNode(const std::string& path, const HidrawRoots& roots) {
  const std::string name = fs::path(path).filename().string();
  const fs::path class_entry = fs::path(roots.sysfs_class) / name;
  std::error_code ec;
  if (name.rfind("hidraw", 0) != 0 || !fs::exists(class_entry, ec)) return std::nullopt;
  return DescribeNode(class_entry, name, roots);
}

std::string DescribeOpenError(const std::string& path, int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "cannot open " + path + ": permission denied. Install the udev rule with "
             "'sudo zelko77ctl doctor --install-udev-rule', then unplug and replug the mouse.";
    case EBUSY:
      return "cannot open " + path + ": another program holds the mouse. Close other mouse "
             "utilities ('fuser -v " + path + "' names them) and try again.";
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return "cannot open " + path + ": the device is gone. Plug the mouse in again.";
    default:
      return "cannot open " + path + ": " + std::strerror(error) + ".";
  }
}

}  // namespace zelko
