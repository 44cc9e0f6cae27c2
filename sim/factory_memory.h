// The memory a new simulated mouse starts with: factory image 1.
#pragma once
#include "sim/simulated_mouse.h"

namespace zelko::sim {

// The compiled-in resource ZELKO77Data_Cfg1 (zeros in a build without it).
DeviceMemory FactoryMemory();

}  // namespace zelko::sim
