#include "device/device_link.h"

#include <gtest/gtest.h>

#include "device/supported_ids.h"
#include "device/tests/fake_transport.h"

namespace zelko {
namespace {

using testing::FakeInterface;
using testing::FakeTransport;

constexpr std::uint16_t kVid = SupportedVendorId;
constexpr std::uint16_t kPid = SupportedProductId;
constexpr std::uint16_t kVersion = kSupportedDeviceVersion;

FakeInterface Interface(std::string path, std::uint16_t vid, std::uint16_t pid, std::uint16_t version,
                        std::uint16_t feature_length, bool openable = true) {
  return {std::move(path), {vid, pid, version}, feature_length, openable};
}

// A mouse as it shows up: pointer and keyboard interfaces share its ids.
std::vector<FakeInterface> Mouse() {
  return {Interface("pointer", kVid, kPid, kVersion, 0), Interface("keyboard", kVid, kPid, kVersion, 65),
          Interface("vendor", kVid, kPid, kVersion, 8)};
}

bool Open(DeviceLink& link, std::uint32_t vid = kVid, std::uint32_t pid = kPid) {
  std::uint32_t version = kVersion;
  return link.OpenHidDevice(vid, pid, version);
}

TEST(DeviceLink, StartsWithNoHandleAndTheSupportedIdentity) {
  FakeTransport transport;
  DeviceLink link(transport);
  EXPECT_EQ(link.state().DeviceHandle, kNoHidHandle);
  EXPECT_EQ(link.state().DeviceIdTable[0].vendor_id, kVid);
  EXPECT_EQ(link.state().DeviceIdTable[0].product_id, kPid);
  EXPECT_FALSE(link.state().DeviceIdTable[1].searchable());
}

TEST(DeviceLink, CountsOnlyInterfacesThatOpenAndClosesThemAgain) {
  FakeTransport transport;
  transport.interfaces = Mouse();
  transport.interfaces.push_back(Interface("locked", 0x1111, 0x2222, 1, 0, /*openable=*/false));
  DeviceLink link(transport);
  EXPECT_EQ(link.CountHidDevices(), 3);
  EXPECT_TRUE(transport.open_handles.empty());
  transport.list_available = false;
  EXPECT_EQ(link.CountHidDevices(), 0);
}

TEST(DeviceLink, TakesOnlyTheInterfaceWithEightByteReportsIdsAndVersion) {
  FakeTransport transport;
  transport.interfaces = Mouse();
  DeviceLink link(transport);
  std::uint32_t version = kVersion;
  ASSERT_TRUE(link.OpenHidDevice(kVid, kPid, version));
  EXPECT_EQ(link.DevicePath(), "vendor");
  EXPECT_EQ(link.state().FeatureReportLength, 8u);
  EXPECT_EQ(link.state().DeviceVendorId, kVid);
  EXPECT_EQ(link.state().DeviceProductId, kPid);
  EXPECT_EQ(version, kVersion);
  EXPECT_EQ(transport.open_handles.size(), 1u);  // the others were closed
}

TEST(DeviceLink, RefusesNearMisses) {
  struct Case {
    const char* name;
    FakeInterface interface;
  };
  const Case cases[] = {
      {"pointer interface (no 8-byte reports)", Interface("p", kVid, kPid, kVersion, 0)},
      {"feature length 9", Interface("p", kVid, kPid, kVersion, 9)},
      {"other version", Interface("p", kVid, kPid, 0x0105, 8)},
      {"other vendor", Interface("p", kVid + 1, kPid, kVersion, 8)},
      {"other product", Interface("p", kVid, kPid + 1, kVersion, 8)},
      {"cannot be opened", Interface("p", kVid, kPid, kVersion, 8, false)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeTransport transport;
    transport.interfaces = {c.interface};
    DeviceLink link(transport);
    const DeviceLinkState before = link.state();
    std::uint32_t version = kVersion;
    EXPECT_FALSE(link.OpenHidDevice(kVid, kPid, version));
    EXPECT_EQ(link.state().DeviceHandle, before.DeviceHandle);
    EXPECT_EQ(link.state().FeatureReportLength, before.FeatureReportLength);
    EXPECT_EQ(version, kVersion);
    EXPECT_TRUE(transport.open_handles.empty());
  }
}

TEST(DeviceLink, TheLastMatchingInterfaceWinsAndTheEarlierIsReleased) {
  FakeTransport transport;
  transport.interfaces = {Interface("first", kVid, kPid, kVersion, 8), Interface("second", kVid, kPid, kVersion, 8)};
  DeviceLink link(transport);
  ASSERT_TRUE(Open(link));
  EXPECT_EQ(link.DevicePath(), "second");
  EXPECT_EQ(transport.open_handles, std::set<HidHandle>{link.state().DeviceHandle});
}

TEST(DeviceLink, AFailedSearchKeepsAValidHandle) {
  FakeTransport transport;
  transport.interfaces = Mouse();
  DeviceLink link(transport);
  ASSERT_TRUE(Open(link));
  const HidHandle handle = link.state().DeviceHandle;
  transport.interfaces.clear();
  EXPECT_FALSE(Open(link));
  EXPECT_EQ(link.state().DeviceHandle, handle);
  transport.list_available = false;
  EXPECT_FALSE(Open(link));
  EXPECT_EQ(link.state().DeviceHandle, handle);
}

TEST(DeviceLink, ANewSearchReplacesAndReleasesTheOldHandle) {
  FakeTransport transport;
  transport.interfaces = Mouse();
  DeviceLink link(transport);
  ASSERT_TRUE(Open(link));
  const HidHandle old_handle = link.state().DeviceHandle;
  ASSERT_TRUE(Open(link));
  EXPECT_NE(link.state().DeviceHandle, old_handle);
  EXPECT_EQ(transport.open_handles.size(), 1u);
}

TEST(DeviceLink, ForgetAndDestructionReleaseTheInterface) {
  FakeTransport transport;
  transport.interfaces = Mouse();
  {
    DeviceLink link(transport);
    ASSERT_TRUE(Open(link));
    link.ForgetDevice();
    EXPECT_FALSE(link.IsOpen());
    EXPECT_TRUE(link.DevicePath().empty());
    EXPECT_TRUE(transport.open_handles.empty());
    ASSERT_TRUE(Open(link));
  }
  EXPECT_TRUE(transport.open_handles.empty());
}

TEST(DeviceIdentity, AZeroIdIsNeverSearched) {
  EXPECT_TRUE((DeviceIdentity{kVid, kPid}.searchable()));
  EXPECT_FALSE((DeviceIdentity{0, kPid}.searchable()));
  EXPECT_FALSE((DeviceIdentity{kVid, 0}.searchable()));
}

}  // namespace
}  // namespace zelko
