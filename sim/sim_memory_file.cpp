#include "sim/sim_memory_file.h"

#include <algorithm>
#include <filesystem>

#include "base/atomic_file.h"
#include "base/file_reading.h"

namespace zelko::sim {

MemoryFileLoad LoadMemoryFile(const std::string& path, DeviceMemory& memory, std::string& error) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return MemoryFileLoad::kMissing;
  const auto bytes = ReadWholeFile(path, &error);
  if (!bytes) return MemoryFileLoad::kBad;
  if (bytes->size() != memory.size()) {
    error = path + " holds " + std::to_string(bytes->size()) + " bytes, not the " +
            std::to_string(memory.size()) + " of the mouse's memory";
    return MemoryFileLoad::kBad;
  }
  std::copy(bytes->begin(), bytes->end(), memory.begin());
  return MemoryFileLoad::kLoaded;
}

std::string SaveMemoryFile(const std::string& path, const DeviceMemory& memory) {
  return WriteFileAtomically(path, memory);
}

}  // namespace zelko::sim
