// The VID:PID form of a device identity, as typed after --device.
#pragma once
#include <optional>
#include <string_view>

#include "device/device_link.h"

namespace zelko {

// "3151:7707" (each part hex, 1..0xFFFF). Nothing when malformed or zero.
[[nodiscard]] std::optional<DeviceIdentity> ParseDeviceIdentity(std::string_view text);

}  // namespace zelko
