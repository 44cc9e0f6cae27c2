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
  std::string error;
  DeviceMemory loaded{};
  loaded[0] = 0x11;
  EXPECT_EQ(LoadMemoryFile(path, loaded, error), MemoryFileLoad::kMissing);
  EXPECT_EQ(loaded[0], 0x11);

  ASSERT_EQ(SaveMemoryFile(path, memory), "");
  EXPECT_EQ(LoadMemoryFile(path, loaded, error), MemoryFileLoad::kLoaded);
  EXPECT_EQ(loaded, memory);

  std::ofstream(path, std::ios::binary | std::ios::trunc) << "short";
  EXPECT_EQ(LoadMemoryFile(path, loaded, error), MemoryFileLoad::kBad);
  EXPECT_NE(error.find("5 bytes"), std::string::npos) << error;
  EXPECT_EQ(loaded, memory);  // untouched
  fs::remove_all(folder);
}

}  // namespace
}  // namespace zelko::sim
