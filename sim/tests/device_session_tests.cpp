// The session factory both programs use: the choice of mouse, the memory
// file, the identity, the clock; all in virtual time.
#include "sim/device_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>

#include "device/supported_ids.h"
#include "sim/factory_memory.h"
#include "test_support/temp_folder.h"

namespace zelko::sim {
namespace {

namespace fs = std::filesystem;

using Folder = testing_support::TempFolder;

std::optional<std::string> ReadBytes(const std::string& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

DeviceRequest Simulate(const std::string& file) {
  DeviceRequest request;
  request.simulate = true;
  request.simulate_file = file;
  return request;
}

// What is in the memory file before the run.
enum class FileKind { kGood, kMissing, kShort, kFolder };

struct MemoryFileCase {
  const char* name;
  FileKind kind;
  bool accepted;
  const char* error;  // part of the refusal
};

void PrintTo(const MemoryFileCase& c, std::ostream* out) { *out << c.name; }

class MemoryFile : public ::testing::TestWithParam<MemoryFileCase> {};

TEST_P(MemoryFile, IsUsedCreatedOrRefusedAndARefusedOneIsNeverTouched) {
  const MemoryFileCase& c = GetParam();
  Folder folder;
  const std::string file = folder / "mouse.bin";
  std::string good(kDeviceMemorySize, '\0');
  good[0x100] = 0x42;
  switch (c.kind) {
    case FileKind::kGood: std::ofstream(file, std::ios::binary) << good; break;
    case FileKind::kMissing: break;
    case FileKind::kShort: std::ofstream(file, std::ios::binary) << std::string(32, '\x5A'); break;
    case FileKind::kFolder: fs::create_directories(file); break;
  }
  const std::optional<std::string> before = ReadBytes(file);

  auto setup = ReadDeviceRequest(Simulate(file));
  ASSERT_EQ(setup.ok(), c.accepted) << setup.error();
  if (!c.accepted) {
    EXPECT_EQ(setup.error().rfind("--simulate: ", 0), 0u) << setup.error();
    EXPECT_NE(setup.error().find(c.error), std::string::npos) << setup.error();
    EXPECT_EQ(ReadBytes(file), before);  // byte for byte
    EXPECT_EQ(fs::is_directory(file), c.kind == FileKind::kFolder);
    return;
  }
  VirtualClock clock;
  auto session = OpenDeviceSession(std::move(*setup), clock);
  ASSERT_TRUE(session.ok()) << session.error();
  SimulatedMouse* mouse = (*session)->simulated_mouse();
  ASSERT_NE(mouse, nullptr);
  const DeviceMemory expected = c.kind == FileKind::kGood ? [&] {
    DeviceMemory m{};
    std::copy(good.begin(), good.end(), m.begin());
    return m;
  }() : FactoryMemory();
  EXPECT_EQ(mouse->memory(), expected);

  mouse->memory()[0x200] = 0x77;  // what a write of this run left
  ASSERT_TRUE((*session)->Finish().ok());
  const auto after = ReadBytes(file);
  ASSERT_TRUE(after.has_value());
  ASSERT_EQ(after->size(), kDeviceMemorySize);
  EXPECT_EQ(static_cast<std::uint8_t>((*after)[0x200]), 0x77);
  EXPECT_EQ(static_cast<std::uint8_t>((*after)[0x100]), c.kind == FileKind::kGood ? 0x42 : FactoryMemory()[0x100]);

  mouse->memory()[0x200] = 0x78;  // the window was opened and closed again
  ASSERT_TRUE((*session)->Finish().ok());
  EXPECT_EQ(static_cast<std::uint8_t>(ReadBytes(file).value_or("").at(0x200)), 0x78);
}

INSTANTIATE_TEST_SUITE_P(
    DeviceSession, MemoryFile,
    ::testing::Values(MemoryFileCase{"Good", FileKind::kGood, true, ""},
                      MemoryFileCase{"MissingIsCreatedOnTheFirstSave", FileKind::kMissing, true, ""},
                      MemoryFileCase{"ShortIsRefused", FileKind::kShort, false,
                                     "holds 32 bytes, not the 2048 of the mouse's memory"},
                      MemoryFileCase{"FolderIsRefused", FileKind::kFolder, false, "it is a folder"}),
    [](const ::testing::TestParamInfo<MemoryFileCase>& info) { return std::string(info.param.name); });

TEST(DeviceSession, AnUnfinishedSessionSavesNothing) {
  Folder folder;
  const std::string file = folder / "mouse.bin";
  auto setup = ReadDeviceRequest(Simulate(file));
  ASSERT_TRUE(setup.ok()) << setup.error();
  VirtualClock clock;
  {
    auto session = OpenDeviceSession(std::move(*setup), clock);
    ASSERT_TRUE(session.ok());
  }
  EXPECT_FALSE(fs::exists(file));
}

TEST(DeviceSession, BadChoicesAreRefusedInTheUsersWords) {
  struct Case {
    const char* name;
    DeviceRequest request;
    const char* error;
  };
  DeviceRequest bad_device;
  bad_device.device = "nonsense";
  DeviceRequest zero_device;
  zero_device.device = "0:7707";
  DeviceRequest bad_knob;
  bad_knob.simulate = true;
  bad_knob.sim.chip = "zz";
  DeviceRequest bad_knob_without_simulate;
  bad_knob_without_simulate.sim.stuck = "900";
  const Case cases[] = {
      {"device not VID:PID", bad_device, "--device: 'nonsense' is not VID:PID in hexadecimal (e.g. 3151:7707)"},
      {"device with a zero id", zero_device, "--device: '0:7707' is not VID:PID"},
      {"simulator knob", bad_knob, "--sim-chip: 'zz' is not a hexadecimal number"},
      {"simulator knob without --simulate", bad_knob_without_simulate, "--sim-stuck"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto setup = ReadDeviceRequest(c.request);
    ASSERT_FALSE(setup.ok());
    EXPECT_NE(setup.error().find(c.error), std::string::npos) << setup.error();
  }
}

TEST(DeviceSession, TheChoiceReachesTheSession) {
  DeviceRequest request;
  request.device = "046d:C077";
  request.simulate = true;
  request.sim.chip = "0xFD";
  request.sim.identity = "12,34";
  request.sim.virtual_time = true;
  auto setup = ReadDeviceRequest(request);
  ASSERT_TRUE(setup.ok()) << setup.error();
  EXPECT_EQ(setup->identity.vendor_id, 0x046Du);
  EXPECT_EQ(setup->identity.product_id, 0xC077u);
  EXPECT_EQ(setup->faults.chip_code, 0xFD);

  VirtualClock outer;
  auto session = OpenDeviceSession(std::move(*setup), outer);
  ASSERT_TRUE(session.ok()) << session.error();
  DeviceSession& s = **session;
  // --sim-virtual-time: the session's own virtual clock, not the one given.
  EXPECT_NE(&s.clock(), static_cast<Clock*>(&outer));
  EXPECT_EQ(s.link().state().DeviceIdTable[0].vendor_id, 0x046Du);
  EXPECT_EQ(s.simulated_mouse()->memory()[kIdentityAddress], 0x12);
  EXPECT_EQ(s.simulated_mouse()->memory()[kIdentityAddress + 1], 0x34);
  EXPECT_FALSE(s.link().IsOpen());  // the caller opens it
}

TEST(DeviceSession, AWatchSeesTheMouseBeforeItsFirstReportAndWhenTheSessionEnds) {
  DeviceRequest request;
  request.simulate = true;
  request.sim.virtual_time = true;
  int started = 0;
  int ended = 0;
  request.watch.started = [&](SimulatedMouse& mouse, Clock&) {
    ++started;
    EXPECT_EQ(mouse.reports_seen(), 0);
    mouse.faults().latency_ms = 7;
  };
  request.watch.ended = [&](const SimulatedMouse& mouse, const Clock& clock) {
    ++ended;
    EXPECT_EQ(mouse.reports_seen(), 1);
    EXPECT_EQ(clock.NowMs(), 7u);  // the latency given at the start, on the session's clock
  };
  auto setup = ReadDeviceRequest(request);
  ASSERT_TRUE(setup.ok()) << setup.error();
  VirtualClock outer;
  {
    auto session = OpenDeviceSession(std::move(*setup), outer);
    ASSERT_TRUE(session.ok()) << session.error();
    EXPECT_EQ(started, 1);
    std::array<std::uint8_t, kReportLength> report{};
    EXPECT_TRUE((*session)->simulated_mouse()->SetFeature(report));
    EXPECT_TRUE((*session)->Finish().ok());
    EXPECT_EQ(ended, 0);
  }
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(outer.NowMs(), 0u);
}

TEST(DeviceSession, TheIdentityKnobWinsOverTheMemoryFile) {
  Folder folder;
  const std::string file = folder / "mouse.bin";
  std::ofstream(file, std::ios::binary) << std::string(kDeviceMemorySize, '\x01');
  DeviceRequest request = Simulate(file);
  request.sim.identity = "AB,CD";
  auto setup = ReadDeviceRequest(request);
  ASSERT_TRUE(setup.ok()) << setup.error();
  VirtualClock clock;
  auto session = OpenDeviceSession(std::move(*setup), clock);
  ASSERT_TRUE(session.ok());
  const DeviceMemory& memory = (*session)->simulated_mouse()->memory();
  EXPECT_EQ(memory[kIdentityAddress], 0xAB);
  EXPECT_EQ(memory[kIdentityAddress + 1], 0xCD);
  EXPECT_EQ(memory[0], 0x01);
  EXPECT_EQ(&(*session)->clock(), static_cast<Clock*>(&clock));
}

TEST(DeviceSession, APlatformWithoutABackendIsAClearFailureNotANullTransport) {
  const auto setup = ReadDeviceRequest({});
  ASSERT_TRUE(setup.ok()) << setup.error();
  EXPECT_FALSE(setup->simulate);
  EXPECT_EQ(setup->identity.vendor_id, SupportedVendorId);
  VirtualClock clock;
  const auto session = OpenDeviceSession(*setup, clock, [] { return std::unique_ptr<HidTransport>(); });
  ASSERT_FALSE(session.ok());
  EXPECT_EQ(session.error(), "this platform has no HID support; use --simulate to try the simulated mouse");
}

TEST(DeviceSession, AnAbsentMouseShowsAnotherMakersDeviceOnly) {
  DeviceSetup setup;
  setup.simulate = true;
  setup.simulate_absent = true;
  VirtualClock clock;
  auto session = OpenDeviceSession(setup, clock);
  ASSERT_TRUE(session.ok());
  DeviceLink& link = (*session)->link();
  EXPECT_EQ(link.CountHidDevices(), 1);
  std::uint32_t version = kSupportedDeviceVersion;
  EXPECT_FALSE(link.OpenHidDevice(SupportedVendorId, SupportedProductId, version));
}

}  // namespace
}  // namespace zelko::sim
