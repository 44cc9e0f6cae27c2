#include "device/device_link.h"

#include "device/supported_ids.h"

namespace zelko {

DeviceLink::DeviceLink(HidTransport& transport)
    : DeviceLink(transport, DeviceIdentity{SupportedVendorId, SupportedProductId}) {}

DeviceLink::DeviceLink(HidTransport& transport, DeviceIdentity identity) : transport_(transport) {
  state_.DeviceIdTable[0] = identity;
}

DeviceLink::~DeviceLink() { ForgetDevice(); }

int DeviceLink::CountHidDevices() {
  const auto paths = transport_.EnumerateInterfaces();
  if (!paths) return 0;
  int count = 0;
  for (const auto& path : *paths) {
    const HidHandle handle = transport_.Open(path);
    if (handle == kNoHidHandle) continue;
    ++count;
    transport_.Close(handle);
  }
  return count;
}

bool DeviceLink::OpenHidDevice(std::uint32_t vendorId, std::uint32_t productId,
                               std::uint32_t& version) {
  const auto paths = transport_.EnumerateInterfaces();
  if (!paths) return false;

  HidHandle match = kNoHidHandle;
  std::string match_path;
  std::uint32_t match_version = 0;
  for (const auto& path : *paths) {
    const HidHandle handle = transport_.Open(path);
    if (handle == kNoHidHandle) continue;
    const auto attributes = transport_.GetAttributes(handle);
    const std::uint16_t report_length = transport_.GetFeatureReportByteLength(handle).value_or(0);
    const bool matches = attributes && report_length == kConfigurationReportLength &&
                         attributes->product_id == productId &&
                         attributes->vendor_id == vendorId && attributes->version == version;
    if (!matches) {
      transport_.Close(handle);
      continue;
    }
    // A later match replaces an earlier one; the earlier handle is released.
    if (match != kNoHidHandle) transport_.Close(match);
    match = handle;
    match_path = path;
    match_version = attributes->version;
  }
  if (match == kNoHidHandle) return false;

  if (state_.DeviceHandle != kNoHidHandle) transport_.Close(state_.DeviceHandle);
  state_.DeviceHandle = match;
  state_.DeviceProductId = productId;
  state_.DeviceVendorId = vendorId;
  state_.FeatureReportLength = kConfigurationReportLength;
  version = match_version;
  device_path_ = match_path;
  return true;
}

void DeviceLink::ForgetDevice() {
  if (state_.DeviceHandle != kNoHidHandle) transport_.Close(state_.DeviceHandle);
  state_.DeviceHandle = kNoHidHandle;
  device_path_.clear();
}

}  // namespace zelko
