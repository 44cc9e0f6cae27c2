// The transport of the platform the program runs on: hidraw on Linux,
// SetupAPI/HID on Windows; nothing elsewhere.
#pragma once
#include <memory>

#include "device/hid_transport.h"

namespace zelko {

std::unique_ptr<HidTransport> CreatePlatformTransport();

}  // namespace zelko
