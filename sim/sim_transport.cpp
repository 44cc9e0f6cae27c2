#include "sim/sim_transport.h"

namespace zelko::sim {
namespace {

constexpr std::uint16_t kPointerFeatureLength = 0;
constexpr std::uint16_t kKeyboardFeatureLength = 65;

}  // namespace

std::vector<SimInterface> MouseInterfaces(const SimFaults& faults) {
  const HidAttributes attributes{faults.vendor_id, faults.product_id, faults.version};
  return {
      {"sim:mouse/pointer", attributes, kPointerFeatureLength, false},
      {"sim:mouse/keyboard", attributes, kKeyboardFeatureLength, false},
      {"sim:mouse/vendor", attributes, static_cast<std::uint16_t>(kReportLength), true},
  };
}

SimTransport::SimTransport(SimulatedMouse& mouse)
    : SimTransport(mouse, MouseInterfaces(mouse.faults())) {}

SimTransport::SimTransport(SimulatedMouse& mouse, std::vector<SimInterface> interfaces)
    : mouse_(mouse), interfaces_(std::move(interfaces)) {}

std::optional<std::vector<std::string>> SimTransport::EnumerateInterfaces() {
  if (!list_available_) return std::nullopt;
  std::vector<std::string> paths;
  if (mouse_.unplugged()) return paths;
  for (const auto& interface : interfaces_) paths.push_back(interface.path);
  return paths;
}

HidHandle SimTransport::Open(const std::string& path) {
  if (mouse_.unplugged()) return kNoHidHandle;
  for (std::size_t i = 0; i < interfaces_.size(); ++i) {
    if (interfaces_[i].path != path) continue;
    const HidHandle handle = next_handle_++;
    open_[handle] = i;
    return handle;
  }
  return kNoHidHandle;
}

void SimTransport::Close(HidHandle handle) { open_.erase(handle); }

const SimInterface* SimTransport::Find(HidHandle handle) const {
  const auto it = open_.find(handle);
  return it == open_.end() ? nullptr : &interfaces_[it->second];
}

std::optional<HidAttributes> SimTransport::GetAttributes(HidHandle handle) {
  const auto* interface = Find(handle);
  if (!interface) return std::nullopt;
  return interface->attributes;
}

std::optional<std::uint16_t> SimTransport::GetFeatureReportByteLength(HidHandle handle) {
  const auto* interface = Find(handle);
  if (!interface) return std::nullopt;
  return interface->feature_report_length;
}

bool SimTransport::SetFeature(HidHandle handle, std::span<std::uint8_t> buffer) {
  const auto* interface = Find(handle);
  return interface && interface->configuration && mouse_.SetFeature(buffer);
}

bool SimTransport::GetFeature(HidHandle handle, std::span<std::uint8_t> buffer) {
  const auto* interface = Find(handle);
  return interface && interface->configuration && mouse_.GetFeature(buffer);
}

}  // namespace zelko::sim
