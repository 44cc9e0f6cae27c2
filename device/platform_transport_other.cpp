#include "device/platform_transport.h"

namespace zelko {

std::unique_ptr<HidTransport> CreatePlatformTransport() { return nullptr; }

std::string_view PlatformTransportName() { return "none"; }

}  // namespace zelko
