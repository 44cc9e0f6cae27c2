// The simulated mouse's memory kept in a file between runs (--simulate=FILE).
#pragma once
#include <string>

#include "sim/simulated_mouse.h"

namespace zelko::sim {

enum class MemoryFileLoad { kLoaded, kMissing, kBad };

// kMissing leaves `memory` as it was (a first run starts from the factory
// image); kBad when the file is not exactly 2048 bytes or unreadable, with
// `error` saying so.
MemoryFileLoad LoadMemoryFile(const std::string& path, DeviceMemory& memory, std::string& error);

// Replaces the file atomically. Empty on success, else what went wrong.
std::string SaveMemoryFile(const std::string& path, const DeviceMemory& memory);

}  // namespace zelko::sim
