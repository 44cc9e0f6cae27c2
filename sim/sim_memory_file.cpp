#include "sim/sim_memory_file.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/atomic_file.h"
#include "base/file_reading.h"

namespace zelko::sim {

Result<std::optional<DeviceMemory>> LoadMemoryFile(const std::string& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) return std::optional<DeviceMemory>{};
  if (ec) {
    return Result<std::optional<DeviceMemory>>::Failure("cannot read " + path + ": " + ec.message());
  }
  std::string error;
  const auto bytes = ReadWholeFile(path, &error);
  if (!bytes) return Result<std::optional<DeviceMemory>>::Failure(error);
  DeviceMemory memory{};
  if (bytes->size() != memory.size()) {
    return Result<std::optional<DeviceMemory>>::Failure(
        path + " holds " + std::to_string(bytes->size()) + " bytes, not the " +
        std::to_string(memory.size()) + " of the mouse's memory");
  }
  std::copy(bytes->begin(), bytes->end(), memory.begin());
  return std::optional<DeviceMemory>(memory);
}

Status SaveMemoryFile(const std::string& path, const DeviceMemory& memory) {
  const std::string error = WriteFileAtomically(path, memory);
  return error.empty() ? Status::Ok() : Status::Failure(error);
}

}  // namespace zelko::sim
