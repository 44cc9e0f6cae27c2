// The SetupAPI/HID backend on a Windows system with no mouse (Wine's):
// the list of HID interfaces can be had, and no search finds the mouse.
#include <gtest/gtest.h>

#include "device/device_link.h"
#include "device/platform_transport.h"
#include "device/supported_ids.h"

namespace zelko {
namespace {

TEST(WindowsHidTransport, ListsTheInterfacesAndFindsNoMouseWhereThereIsNone) {
  const auto transport = CreatePlatformTransport();
  ASSERT_NE(transport, nullptr);
  const auto paths = transport->EnumerateInterfaces();
  ASSERT_TRUE(paths.has_value()) << "SetupApi.dll and HID.dll could not be bound";

  DeviceLink link(*transport);
  EXPECT_GE(link.CountHidDevices(), 0);
  std::uint32_t version = kSupportedDeviceVersion;
  EXPECT_FALSE(link.OpenHidDevice(SupportedVendorId, SupportedProductId, version));
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(version, kSupportedDeviceVersion);
}

TEST(WindowsHidTransport, APathThatIsNoDeviceDoesNotOpen) {
  const auto transport = CreatePlatformTransport();
  ASSERT_NE(transport, nullptr);
  EXPECT_EQ(transport->Open("\\\\?\\hid#vid_3151&pid_7707#0#{4d1e55b2-f16f-11cf-88cb-001111000030}"),
            kNoHidHandle);
}

}  // namespace
}  // namespace zelko
