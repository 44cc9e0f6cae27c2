// The Windows backend: SetupAPI lists the present HID interfaces, HID.dll
// gives identity, capabilities and feature transfers. Both libraries are
// bound by name at first use, each loaded once.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "device/hid_transport.h"
#include "device/platform_transport.h"

namespace zelko {
namespace {

// The records SetupAPI and HID.dll fill, laid out as their headers do.
struct DeviceInterfaceData {  // SP_DEVICE_INTERFACE_DATA (28 bytes in a 32-bit program)
  DWORD cbSize;
  GUID InterfaceClassGuid;
  DWORD Flags;
  ULONG_PTR Reserved;
};
struct DeviceInterfaceDetailA {  // SP_DEVICE_INTERFACE_DETAIL_DATA_A
  DWORD cbSize;
  CHAR DevicePath[1];
};
// Its size field: 5 in a 32-bit program (byte-packed), 8 in a 64-bit one.
constexpr DWORD kDetailSizeField = sizeof(void*) == 8 ? 8 : 5;

struct HiddAttributes {  // HIDD_ATTRIBUTES
  ULONG Size;
  USHORT VendorID;
  USHORT ProductID;
  USHORT VersionNumber;
};
struct HidpCaps {  // HIDP_CAPS
  USHORT Usage;
  USHORT UsagePage;
  USHORT InputReportByteLength;
  USHORT OutputReportByteLength;
  USHORT FeatureReportByteLength;
  USHORT Reserved[17];
  USHORT Counts[10];
};

constexpr DWORD kDigcfPresent = 0x02;
constexpr DWORD kDigcfDeviceInterface = 0x10;
constexpr DWORD kErrorInsufficientBuffer = 122;
// The HID interface class when HID.dll cannot tell it.
constexpr GUID kHidClassGuid = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

using GetClassDevsA = HANDLE(WINAPI*)(const GUID*, PCSTR, HWND, DWORD);
using EnumDeviceInterfaces = BOOL(WINAPI*)(HANDLE, void*, const GUID*, DWORD, DeviceInterfaceData*);
using GetDeviceInterfaceDetailA = BOOL(WINAPI*)(HANDLE, DeviceInterfaceData*, DeviceInterfaceDetailA*,
                                                DWORD, PDWORD, void*);
using DestroyDeviceInfoList = BOOL(WINAPI*)(HANDLE);
using GetHidGuid = void(WINAPI*)(GUID*);
using GetAttributesFn = BOOLEAN(WINAPI*)(HANDLE, HiddAttributes*);
using GetPreparsedData = BOOLEAN(WINAPI*)(HANDLE, void**);
using FreePreparsedData = BOOLEAN(WINAPI*)(void*);
using GetCaps = LONG(WINAPI*)(void*, HidpCaps*);
using FeatureFn = BOOLEAN(WINAPI*)(HANDLE, PVOID, ULONG);

template <typename F>
F Bind(HMODULE module, const char* name) {
  return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

struct Api {
  GetClassDevsA get_class_devs = nullptr;
  EnumDeviceInterfaces enum_interfaces = nullptr;
  GetDeviceInterfaceDetailA get_detail = nullptr;
  DestroyDeviceInfoList destroy_list = nullptr;
  GetHidGuid get_hid_guid = nullptr;
  GetAttributesFn get_attributes = nullptr;
  GetPreparsedData get_preparsed = nullptr;
  FreePreparsedData free_preparsed = nullptr;
  GetCaps get_caps = nullptr;
  FeatureFn set_feature = nullptr;
  FeatureFn get_feature = nullptr;

  bool setupapi_bound() const { return get_class_devs && enum_interfaces && get_detail && destroy_list; }
};

const Api& BoundApi() {
  static const Api api = [] {
    Api a;
    const HMODULE setupapi = LoadLibraryA("SetupApi.dll");
    const HMODULE hid = LoadLibraryA("HID.dll");
    a.get_class_devs = Bind<GetClassDevsA>(setupapi, "SetupDiGetClassDevsA");
    a.enum_interfaces = Bind<EnumDeviceInterfaces>(setupapi, "SetupDiEnumDeviceInterfaces");
    a.get_detail = Bind<GetDeviceInterfaceDetailA>(setupapi, "SetupDiGetDeviceInterfaceDetailA");
    a.destroy_list = Bind<DestroyDeviceInfoList>(setupapi, "SetupDiDestroyDeviceInfoList");
    a.get_hid_guid = Bind<GetHidGuid>(hid, "HidD_GetHidGuid");
    a.get_attributes = Bind<GetAttributesFn>(hid, "HidD_GetAttributes");
    a.get_preparsed = Bind<GetPreparsedData>(hid, "HidD_GetPreparsedData");
    a.free_preparsed = Bind<FreePreparsedData>(hid, "HidD_FreePreparsedData");
    a.get_caps = Bind<GetCaps>(hid, "HidP_GetCaps");
    a.set_feature = Bind<FeatureFn>(hid, "HidD_SetFeature");
    a.get_feature = Bind<FeatureFn>(hid, "HidD_GetFeature");
    return a;
  }();
  return api;
}

HANDLE ToHandle(HidHandle handle) { return reinterpret_cast<HANDLE>(handle); }

class WindowsHidTransport final : public HidTransport {
 public:
  [[nodiscard]] std::optional<std::vector<std::string>> EnumerateInterfaces() override {
    const Api& api = BoundApi();
    if (!api.setupapi_bound()) return std::nullopt;
    GUID guid = kHidClassGuid;
    if (api.get_hid_guid) api.get_hid_guid(&guid);
    const HANDLE list = api.get_class_devs(&guid, nullptr, nullptr, kDigcfPresent | kDigcfDeviceInterface);
    if (list == INVALID_HANDLE_VALUE) return std::nullopt;

    std::vector<std::string> paths;
    for (DWORD index = 0;; ++index) {
      DeviceInterfaceData data{};
      data.cbSize = sizeof(DeviceInterfaceData);
      if (!api.enum_interfaces(list, nullptr, &guid, index, &data)) break;
      DWORD size = 0;
      api.get_detail(list, &data, nullptr, 0, &size, nullptr);
      if (size == 0 || GetLastError() != kErrorInsufficientBuffer) continue;
      std::vector<std::uint8_t> buffer(size + sizeof(DWORD), 0);
      auto* detail = reinterpret_cast<DeviceInterfaceDetailA*>(buffer.data());
      detail->cbSize = kDetailSizeField;
      if (api.get_detail(list, &data, detail, size, nullptr, nullptr)) paths.emplace_back(detail->DevicePath);
    }
    api.destroy_list(list);
    return paths;
  }

  [[nodiscard]] HidHandle Open(const std::string& path) override {
    const HANDLE handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    return handle == INVALID_HANDLE_VALUE ? kNoHidHandle : reinterpret_cast<HidHandle>(handle);
  }

  void Close(HidHandle handle) override {
    if (handle != kNoHidHandle) CloseHandle(ToHandle(handle));
  }

  [[nodiscard]] std::optional<HidAttributes> GetAttributes(HidHandle handle) override {
    const Api& api = BoundApi();
    if (!api.get_attributes) return std::nullopt;
    HiddAttributes attributes{};
    attributes.Size = sizeof(HiddAttributes);
    if (!api.get_attributes(ToHandle(handle), &attributes)) return std::nullopt;
    return HidAttributes{attributes.VendorID, attributes.ProductID, attributes.VersionNumber};
  }

  [[nodiscard]] std::optional<std::uint16_t> GetFeatureReportByteLength(HidHandle handle) override {
    const Api& api = BoundApi();
    if (!api.get_preparsed || !api.get_caps || !api.free_preparsed) return std::nullopt;
    HidpCaps caps{};  // zeroed: a failed call leaves length 0
    void* preparsed = nullptr;
    if (api.get_preparsed(ToHandle(handle), &preparsed) && preparsed) {
      api.get_caps(preparsed, &caps);
      api.free_preparsed(preparsed);
    }
    return caps.FeatureReportByteLength;
  }

  [[nodiscard]] bool SetFeature(HidHandle handle, std::span<std::uint8_t> buffer) override {
    const Api& api = BoundApi();
    return api.set_feature &&
           api.set_feature(ToHandle(handle), buffer.data(), static_cast<ULONG>(buffer.size()));
  }

  [[nodiscard]] bool GetFeature(HidHandle handle, std::span<std::uint8_t> buffer) override {
    const Api& api = BoundApi();
    return api.get_feature &&
           api.get_feature(ToHandle(handle), buffer.data(), static_cast<ULONG>(buffer.size()));
  }
};

}  // namespace

std::unique_ptr<HidTransport> CreatePlatformTransport() {
  return std::make_unique<WindowsHidTransport>();
}

}  // namespace zelko
