// The memory a new simulated mouse starts with: factory image 1.
#pragma once
#include "sim/simulated_mouse.h"

namespace zelko::sim {

// The resource ZELKO77Data_Cfg1 when it is there and 2048 bytes long;
// otherwise its first 256 bytes as built in here, then zeros.
DeviceMemory FactoryMemory();

}  // namespace zelko::sim
