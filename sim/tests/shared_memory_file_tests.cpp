// A memory file shared by two programs as one mouse: each exchange starts
// from what the last one saved, and exchanges that overlap are counted.
#include "sim/shared_memory_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "sim/sim_memory_file.h"
#include "sim/tests/sim_rig.h"
#include "test_support/temp_folder.h"

namespace zelko::sim {
namespace {

using testing::SimRig;
using testing_support::ReadText;
using testing_support::TempFolder;

// One program's simulated mouse on the shared file.
struct Program {
  explicit Program(const std::string& path) : file(path, rig.mouse, LoadMemoryFile(path).value()) {}
  SimRig rig;
  SharedMemoryFile file;
};

TEST(SharedMemoryFile, EachExchangeStartsFromWhatTheLastOneSaved) {
  TempFolder folder;
  const std::string path = folder / "mouse.bin";
  Program first(path);
  Program second(path);

  first.rig.InConfigurableExchange([&] {
    const std::uint8_t level = 3;
    ASSERT_TRUE(first.rig.channel.WriteBlock(0x0002, 1, std::span(&level, 1)));
  });
  EXPECT_TRUE(first.file.save_error().empty());
  ASSERT_EQ(LoadMemoryFile(path).value()->at(0x0002), 3);

  std::uint8_t seen = 0;
  second.rig.InConfigurableExchange([&] { ASSERT_TRUE(second.rig.channel.ReadBlock(0x0002, 1, std::span(&seen, 1))); });
  EXPECT_EQ(seen, 3) << "the second program's mouse read the file again";
  EXPECT_FALSE(std::filesystem::exists(ExchangeMarkerPath(path)));
  EXPECT_FALSE(std::filesystem::exists(OverlapLogPath(path)));
  // Nothing changed since the last save: the end of the program writes nothing.
  EXPECT_TRUE(second.file.Finish());
}

TEST(SharedMemoryFile, AnExchangeThatBeginsWhileAnotherRunsIsCounted) {
  TempFolder folder;
  const std::string path = folder / "mouse.bin";
  Program first(path);
  Program second(path);
  ASSERT_TRUE(first.rig.channel.BeginExchange().configurable());
  ASSERT_TRUE(second.rig.channel.BeginExchange().configurable());
  (void)second.rig.channel.EndExchange();
  (void)first.rig.channel.EndExchange();
  const std::string log = ReadText(OverlapLogPath(path));
  EXPECT_NE(log.find("began an exchange while"), std::string::npos) << log;
}

}  // namespace
}  // namespace zelko::sim
