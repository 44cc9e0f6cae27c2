#include "sim/sim_memory_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace zelko::sim {
namespace {

namespace fs = std::filesystem;

TEST(SimMemoryFile, MissingLoadsNothingAndSaveLoadRoundTrips) {
  const fs::path folder = fs::temp_directory_path() / ("zelko-simfile-" + std::to_string(std::random_device{}()));
  fs::create_directories(folder);
  const std::string path = (folder / "mouse.bin").string();
  DeviceMemory memory{};
  memory[0x7F] = 0x99;

  const auto missing = LoadMemoryFile(path);
  ASSERT_TRUE(missing.ok()) << missing.error();
  EXPECT_FALSE(missing->has_value());

  ASSERT_TRUE(SaveMemoryFile(path, memory).ok());
  const auto loaded = LoadMemoryFile(path);
  ASSERT_TRUE(loaded.ok()) << loaded.error();
  ASSERT_TRUE(loaded->has_value());
  EXPECT_EQ(**loaded, memory);

  std::ofstream(path, std::ios::binary | std::ios::trunc) << "short";
  const auto bad = LoadMemoryFile(path);
  ASSERT_FALSE(bad.ok());
  EXPECT_NE(bad.error().find("5 bytes"), std::string::npos) << bad.error();

  const auto folder_file = LoadMemoryFile(folder.string());
  ASSERT_FALSE(folder_file.ok());
  EXPECT_NE(folder_file.error().find("folder"), std::string::npos) << folder_file.error();
  fs::remove_all(folder);
}

}  // namespace
}  // namespace zelko::sim
