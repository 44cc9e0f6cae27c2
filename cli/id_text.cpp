#include "cli/id_text.h"

#include <cstdio>

namespace zelko::cli {

std::string HexText(std::uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

std::string IdentityText(const DeviceIdentity& identity) {
  char text[16];
  std::snprintf(text, sizeof text, "%04x:%04x", identity.vendor_id & 0xFFFF,
                identity.product_id & 0xFFFF);
  return text;
}

}  // namespace zelko::cli
