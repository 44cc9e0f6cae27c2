// Why no mouse was opened, in words a user can act on.
#pragma once
#include <string>

#include "device/device_link.h"

namespace zelko::cli {

// Looks at the platform's HID nodes with the given identity: none at all,
// none that could be opened (permission, another program), or none with the
// configuration interface. Ends with the fix.
std::string ExplainNoDevice(const DeviceIdentity& identity);

}  // namespace zelko::cli
