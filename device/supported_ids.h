// The identity of the supported mouse. The same mouse is sold under other
// ids; both programs take another one with --device VID:PID.
#pragma once
#include <cstdint>

namespace zelko {

inline constexpr std::uint16_t SupportedVendorId = 0x3151;
inline constexpr std::uint16_t SupportedProductId = 0x7707;

// The release number the configuration interface reports (bcdDevice); the
// connection logic searches for it.
inline constexpr std::uint16_t kSupportedDeviceVersion = 0x0104;

// Only the configuration interface has 8-byte feature reports; the mouse's
// pointer and keyboard interfaces carry the same ids.
inline constexpr std::uint32_t kConfigurationReportLength = 8;

}  // namespace zelko
