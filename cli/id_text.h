// Hexadecimal texts of ids and bytes as zelko77ctl prints them.
#pragma once
#include <cstdint>
#include <string>

#include "device/device_link.h"

namespace zelko::cli {

// "0x7F" with `digits` hex digits.
std::string HexText(std::uint32_t value, int digits = 2);
// "3151:7707"
std::string IdentityText(const DeviceIdentity& identity);

}  // namespace zelko::cli
