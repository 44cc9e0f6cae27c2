#include "settings/device_options.h"

namespace zelko {

namespace ff = feature_flags;

DeviceOptions DecodeDeviceOptions(const ParameterRecord& record) {
  DeviceOptions options;
  options.sensor_orientation = static_cast<std::uint8_t>(
      (record.ParameterA.FeatureFlags & ff::kSensorOrientationMask) >> ff::kSensorOrientationShift);
  options.manufacturer_code = record.ParameterB.ManufacturerCode;
  options.product_code = record.ParameterB.ProductCode;
  return options;
}

void EncodeDeviceOptions(const DeviceOptions& options, ParameterRecord& record) {
  auto& flags = record.ParameterA.FeatureFlags;
  flags = static_cast<std::uint8_t>(
      (flags & ~ff::kSensorOrientationMask) |
      ((options.sensor_orientation << ff::kSensorOrientationShift) & ff::kSensorOrientationMask));
  record.ParameterB.ManufacturerCode = options.manufacturer_code;
  record.ParameterB.ProductCode = options.product_code;
}

}  // namespace zelko
