// What the engineer sets once per product: the sensor's orientation and the
// manufacturer and product codes by which the program accepts the mouse.
//
// Wire side: ParameterA.FeatureFlags bits 4..6; ParameterB.ManufacturerCode
// and ProductCode (device addresses 0x36 and 0x37).
#pragma once
#include <cstdint>

#include "image/parameter_record.h"

namespace zelko {

struct DeviceOptions {
  std::uint8_t sensor_orientation = 0;  // code 0..7 (kSensorOrientations)
  std::uint8_t manufacturer_code = 0xFF;
  std::uint8_t product_code = 0xFF;
  friend bool operator==(const DeviceOptions&, const DeviceOptions&) = default;
};

DeviceOptions DecodeDeviceOptions(const ParameterRecord& record);
void EncodeDeviceOptions(const DeviceOptions& options, ParameterRecord& record);

}  // namespace zelko
