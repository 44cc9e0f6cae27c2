// The udev rule that lets the user at the seat open the mouse's hidraw
// nodes: tagged uaccess for the mouse's ids only, never world-writable.
#pragma once
#include <string>

#include "device/device_link.h"

namespace zelko {

inline constexpr const char* kUdevRuleFileName = "70-zelko77.rules";
inline constexpr const char* kUdevRulesFolder = "/etc/udev/rules.d";
// Folders where an installed rule counts, the administrator's first.
inline constexpr const char* kUdevRuleFolders[] = {"/etc/udev/rules.d", "/usr/lib/udev/rules.d",
                                                   "/lib/udev/rules.d"};

std::string UdevRuleText(const DeviceIdentity& identity);

}  // namespace zelko
