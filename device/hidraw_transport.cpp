#include "device/hidraw_transport.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

namespace zelko {

HidrawTransport::HidrawTransport(HidrawRoots roots) : roots_(std::move(roots)) {}

HidrawTransport::~HidrawTransport() {
  for (const auto& [fd, node] : open_) ::close(static_cast<int>(fd));
}

std::optional<std::vector<std::string>> HidrawTransport::EnumerateInterfaces() {
  open_failures_.clear();
  const auto nodes = ListHidrawNodes(roots_);
  if (!nodes) return std::nullopt;
  std::vector<std::string> paths;
  for (const auto& node : *nodes) paths.push_back(node.device_path);
  return paths;
}

HidHandle HidrawTransport::Open(const std::string& path) {
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    open_failures_.push_back({path, errno});
    return kNoHidHandle;
  }
  auto node = FindHidrawNode(path, roots_);
  open_[fd] = node ? *node : HidrawNode{};
  return fd;
}

void HidrawTransport::Close(HidHandle handle) {
  if (open_.erase(handle)) ::close(static_cast<int>(handle));
}

std::optional<HidAttributes> HidrawTransport::GetAttributes(HidHandle handle) {
  const auto it = open_.find(handle);
  if (it == open_.end()) return std::nullopt;
  return it->second.attributes;
}

std::optional<std::uint16_t> HidrawTransport::GetFeatureReportByteLength(HidHandle handle) {
  const auto it = open_.find(handle);
  if (it == open_.end()) return std::nullopt;
  return it->second.feature_report_length;
}

std::optional<std::vector<std::uint8_t>> HidrawTransport::GetReportDescriptor(HidHandle handle) {
  const auto it = open_.find(handle);
  if (it == open_.end() || it->second.report_descriptor.empty()) return std::nullopt;
  return it->second.report_descriptor;
}

bool HidrawTransport::FeatureIoctl(HidHandle handle, unsigned long request,
                                   std::span<std::uint8_t> buffer) {
  if (!open_.count(handle) || buffer.empty()) return false;
  int result;
  do {
    result = ::ioctl(static_cast<int>(handle), request, buffer.data());
  } while (result < 0 && errno == EINTR);
  return result >= 0;
}

bool HidrawTransport::SetFeature(HidHandle handle, std::span<std::uint8_t> buffer) {
  return FeatureIoctl(handle, HIDIOCSFEATURE(buffer.size()), buffer);
}

bool HidrawTransport::GetFeature(HidHandle handle, std::span<std::uint8_t> buffer) {
  return FeatureIoctl(handle, HIDIOCGFEATURE(buffer.size()), buffer);
}

}  // namespace zelko
