// The records SetupAPI and HID.dll fill, and the flags and error codes the
// Windows backend passes and checks, in one place. They are declared with
// fixed-width types so that both layouts a Windows program can have are
// checked on every compiler: ULONG_PTR is 4 bytes in a 32-bit program and
// 8 in a 64-bit one, and setupapi.h packs its records to 1 byte in a
// 32-bit program and to 8 in a 64-bit one.
#pragma once
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace zelko::windows_hid {

struct Guid {  // GUID
  std::uint32_t data1;
  std::uint16_t data2;
  std::uint16_t data3;
  std::uint8_t data4[8];
};
static_assert(sizeof(Guid) == 16);

// SP_DEVICE_INTERFACE_DATA with ULONG_PTR of the program's width. Its
// members fall on their natural places, so the packing does not change it.
template <typename UlongPtr>
struct BasicDeviceInterfaceData {
  std::uint32_t cbSize;
  Guid InterfaceClassGuid;
  std::uint32_t Flags;
  UlongPtr Reserved;
};
using DeviceInterfaceData32 = BasicDeviceInterfaceData<std::uint32_t>;
using DeviceInterfaceData64 = BasicDeviceInterfaceData<std::uint64_t>;
static_assert(sizeof(DeviceInterfaceData32) == 28);
static_assert(sizeof(DeviceInterfaceData64) == 32);
static_assert(offsetof(DeviceInterfaceData64, Reserved) == 24);

// SP_DEVICE_INTERFACE_DETAIL_DATA_A: the size field, then the path as a
// NUL-terminated string. Its size (what cbSize must say) is 5 when packed
// to 1 byte (32-bit) and 8 when packed to 8 (64-bit).
#pragma pack(push, 1)
struct DeviceInterfaceDetailA32 {
  std::uint32_t cbSize;
  char DevicePath[1];
};
#pragma pack(pop)
struct DeviceInterfaceDetailA64 {
  std::uint32_t cbSize;
  char DevicePath[1];
};
static_assert(sizeof(DeviceInterfaceDetailA32) == 5);
static_assert(sizeof(DeviceInterfaceDetailA64) == 8);
static_assert(offsetof(DeviceInterfaceDetailA32, DevicePath) == 4);
static_assert(offsetof(DeviceInterfaceDetailA64, DevicePath) == 4);

// HIDD_ATTRIBUTES: the same in both layouts.
struct HiddAttributes {
  std::uint32_t Size;
  std::uint16_t VendorID;
  std::uint16_t ProductID;
  std::uint16_t VersionNumber;
};
static_assert(sizeof(HiddAttributes) == 12);

// HIDP_CAPS: sixteen-bit fields only, the same in both layouts.
struct HidpCaps {
  std::uint16_t Usage;
  std::uint16_t UsagePage;
  std::uint16_t InputReportByteLength;
  std::uint16_t OutputReportByteLength;
  std::uint16_t FeatureReportByteLength;
  std::uint16_t Reserved[17];
  std::uint16_t NumberLinkCollectionNodes;
  std::uint16_t NumberInputButtonCaps;
  std::uint16_t NumberInputValueCaps;
  std::uint16_t NumberInputDataIndices;
  std::uint16_t NumberOutputButtonCaps;
  std::uint16_t NumberOutputValueCaps;
  std::uint16_t NumberOutputDataIndices;
  std::uint16_t NumberFeatureButtonCaps;
  std::uint16_t NumberFeatureValueCaps;
  std::uint16_t NumberFeatureDataIndices;
};
static_assert(sizeof(HidpCaps) == 64);
static_assert(offsetof(HidpCaps, FeatureReportByteLength) == 8);

// The records of the program being built.
using DeviceInterfaceData = BasicDeviceInterfaceData<std::uintptr_t>;
using DeviceInterfaceDetailA = std::conditional_t<sizeof(void*) == 8, DeviceInterfaceDetailA64,
                                                  DeviceInterfaceDetailA32>;
static_assert(sizeof(void*) == 4 || sizeof(void*) == 8);

// SetupDiGetClassDevsA's flags: present devices, listed by interface.
inline constexpr std::uint32_t kDigcfPresent = 0x02;
inline constexpr std::uint32_t kDigcfDeviceInterface = 0x10;
inline constexpr std::uint32_t kListFlags = kDigcfPresent | kDigcfDeviceInterface;
static_assert(kListFlags == 0x12);

// What SetupDiGetDeviceInterfaceDetailA's first call (no buffer) fails with
// when it has told the size it needs.
inline constexpr std::uint32_t kErrorInsufficientBuffer = 122;

// The HID interface class, when HID.dll cannot tell it:
// {4D1E55B2-F16F-11CF-88CB-001111000030}.
inline constexpr Guid kHidClassGuid = {0x4D1E55B2, 0xF16F, 0x11CF,
                                       {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

}  // namespace zelko::windows_hid
