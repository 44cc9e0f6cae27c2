// The transport of the platform the program runs on: hidraw on Linux,
// SetupAPI/HID on Windows; nothing elsewhere.
#pragma once
#include <memory>
#include <string_view>

#include "device/hid_transport.h"

namespace zelko {

std::unique_ptr<HidTransport> CreatePlatformTransport();
// Its name for --version: "hidraw", "SetupAPI/HID" or "none".
std::string_view PlatformTransportName();

}  // namespace zelko
