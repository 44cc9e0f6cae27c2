// The simulated mouse's memory kept in a file between runs (--simulate=FILE).
#pragma once
#include <optional>
#include <string>

#include "base/result.h"
#include "sim/simulated_mouse.h"

namespace zelko::sim {

// What the file holds. Nothing (and no failure) when it does not exist yet:
// a first run starts from the factory image and the first save creates it.
// A failure, saying so, when it is not exactly 2048 bytes or cannot be read
// (a folder, no permission); the file is not touched.
Result<std::optional<DeviceMemory>> LoadMemoryFile(const std::string& path);

// Replaces the file atomically (creates it when missing).
Status SaveMemoryFile(const std::string& path, const DeviceMemory& memory);

}  // namespace zelko::sim
