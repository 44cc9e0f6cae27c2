#include "sim/factory_memory.h"

#include <algorithm>

#include "resources/resources.h"

namespace zelko::sim {

DeviceMemory FactoryMemory() {
  DeviceMemory memory{};
  const auto resource = LookupResource("ZELKO77Data_Cfg1");
  // The resource is compiled in; a build without it starts from zeros.
  if (resource && resource->size() == memory.size()) {
    std::copy(resource->begin(), resource->end(), memory.begin());
  }
  return memory;
}

}  // namespace zelko::sim
