#include "device/hidraw_transport.h"
#include "device/platform_transport.h"

namespace zelko {

std::unique_ptr<HidTransport> CreatePlatformTransport() {
  return std::make_unique<HidrawTransport>();
}

std::string_view PlatformTransportName() { return "hidraw"; }

}  // namespace zelko
