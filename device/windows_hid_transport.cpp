// The Windows backend: SetupAPI lists the present HID interfaces, HID.dll
// gives identity, capabilities and feature transfers. Both libraries are
// bound by name at first use, each loaded once.
#include <windows.h>
// After windows.h: the system's declarations, used only to check ours.
#include <hidsdi.h>
#include <setupapi.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "device/hid_transport.h"
#include "device/platform_transport.h"
#include "device/windows_hid_records.h"

namespace zelko {
namespace {

using windows_hid::DeviceInterfaceData;
using windows_hid::DeviceInterfaceDetailA;
using windows_hid::HiddAttributes;
using windows_hid::HidpCaps;

// Our records against the system's own headers, for the layout being built.
static_assert(sizeof(DeviceInterfaceData) == sizeof(SP_DEVICE_INTERFACE_DATA));
static_assert(sizeof(DeviceInterfaceDetailA) == sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A));
static_assert(sizeof(HiddAttributes) == sizeof(HIDD_ATTRIBUTES));
static_assert(sizeof(HidpCaps) == sizeof(HIDP_CAPS));
static_assert(offsetof(HidpCaps, FeatureReportByteLength) == offsetof(HIDP_CAPS, FeatureReportByteLength));
static_assert(sizeof(windows_hid::Guid) == sizeof(GUID));
static_assert(windows_hid::kDigcfPresent == DIGCF_PRESENT);
static_assert(windows_hid::kDigcfDeviceInterface == DIGCF_DEVICEINTERFACE);
static_assert(windows_hid::kErrorInsufficientBuffer == ERROR_INSUFFICIENT_BUFFER);

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
    GUID guid;
    std::memcpy(&guid, &windows_hid::kHidClassGuid, sizeof guid);
    if (api.get_hid_guid) api.get_hid_guid(&guid);
    const HANDLE list = api.get_class_devs(&guid, nullptr, nullptr, windows_hid::kListFlags);
    if (list == INVALID_HANDLE_VALUE) return std::nullopt;

    std::vector<std::string> paths;
    for (DWORD index = 0;; ++index) {
      DeviceInterfaceData data{};
      data.cbSize = sizeof(DeviceInterfaceData);
      if (!api.enum_interfaces(list, nullptr, &guid, index, &data)) break;
      DWORD size = 0;
      api.get_detail(list, &data, nullptr, 0, &size, nullptr);
      if (size == 0 || GetLastError() != windows_hid::kErrorInsufficientBuffer) continue;
      std::vector<std::uint8_t> buffer(size + sizeof(DWORD), 0);
      auto* detail = reinterpret_cast<DeviceInterfaceDetailA*>(buffer.data());
      detail->cbSize = sizeof(DeviceInterfaceDetailA);
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

std::string_view PlatformTransportName() { return "SetupAPI/HID"; }

}  // namespace zelko
