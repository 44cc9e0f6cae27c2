#include "device/platform_transport.h"

namespace zelko {

std::unique_ptr<HidTransport> CreatePlatformTransport() { return nullptr; }

}  // namespace zelko
