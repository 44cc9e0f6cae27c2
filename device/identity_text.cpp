#include "device/identity_text.h"

#include "base/number_text.h"

namespace zelko {

std::optional<DeviceIdentity> ParseDeviceIdentity(std::string_view text) {
  const auto colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const auto vendor = ParseHexNumber(text.substr(0, colon), 0xFFFF);
  const auto product = ParseHexNumber(text.substr(colon + 1), 0xFFFF);
  if (!vendor || !product || *vendor == 0 || *product == 0) return std::nullopt;
  return DeviceIdentity{*vendor, *product};
}

}  // namespace zelko
