// Reads a HID report descriptor far enough to know the feature reports.
#pragma once
#include <cstdint>
#include <optional>
#include <span>

namespace zelko {

// The largest feature report of the descriptor in bytes with the report id
// byte counted, as Windows gives FeatureReportByteLength (the id byte is
// counted even when the descriptor uses no report ids). 0 when the
// descriptor declares no feature report; nothing when it is malformed
// (an item running past the end, Pop without Push, a report longer than
// 65,535 bytes).
[[nodiscard]] std::optional<std::uint16_t> FeatureReportByteLength(std::span<const std::uint8_t> descriptor);

}  // namespace zelko
