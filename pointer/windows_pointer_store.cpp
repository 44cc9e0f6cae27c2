#include "pointer/windows_pointer_store.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace zelko {
namespace {

constexpr DWORD kMaxValueBytes = 64;

// A key handle closed when it goes out of scope.
class OpenedKey {
 public:
  OpenedKey(PointerKey key, REGSAM access) {
    const std::string path(PointerKeyPath(key));
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, &handle_) != ERROR_SUCCESS) {
      handle_ = nullptr;
    }
  }
  ~OpenedKey() {
    if (handle_ != nullptr) RegCloseKey(handle_);
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;
  HKEY get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HKEY handle_ = nullptr;
};

static_assert(kSpiSetMouse == SPI_SETMOUSE);
static_assert(kSpiSetDoubleClickTime == SPI_SETDOUBLECLICKTIME);
static_assert(kSpiSetWheelScrollLines == SPI_SETWHEELSCROLLLINES);
static_assert(kSpiSetMouseSpeed == SPI_SETMOUSESPEED);
static_assert(kSpifUpdateIniFile == SPIF_UPDATEINIFILE);
static_assert(kSpifSendChange == SPIF_SENDCHANGE);
static_assert(kWheelPageScroll == WHEEL_PAGESCROLL);

bool CallSystemParametersInfo(const SystemParametersCall& call) {
  std::vector<int> pointed_to = call.pointed_to;
  void* pointer = pointed_to.empty() ? reinterpret_cast<void*>(call.pointer_value) : pointed_to.data();
  return SystemParametersInfoW(call.action, call.ui_param, pointer, call.flags) != FALSE;
}

}  // namespace

WindowsPointerStore::WindowsPointerStore() : setter_(CallSystemParametersInfo) {}

WindowsPointerStore::WindowsPointerStore(SystemParametersSetter setter) : setter_(std::move(setter)) {}

ApplyOutcome WindowsPointerStore::Set(SystemParametersCall call) {
  return setter_ && setter_(call) ? ApplyOutcome::Taken : ApplyOutcome::Failed;
}

bool WindowsPointerStore::OpenKey(PointerKey key) {
  return static_cast<bool>(OpenedKey(key, KEY_READ | KEY_WRITE));
}
std::optional<std::string> WindowsPointerStore::ReadValue(PointerKey key, std::string_view name) {
  OpenedKey opened(key, KEY_READ);
  if (!opened) return std::nullopt;
  char buffer[kMaxValueBytes + 1] = {};
  DWORD size = kMaxValueBytes;
  DWORD type = 0;
  const std::string value_name(name);
  if (RegQueryValueExA(opened.get(), value_name.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::nullopt;
  }
  buffer[size < kMaxValueBytes ? size : kMaxValueBytes] = '\0';
  return std::string(buffer);
}

bool WindowsPointerStore::WriteValue(PointerKey key, std::string_view name, std::string_view text) {
  OpenedKey opened(key, KEY_WRITE);
  if (!opened) return false;
  const std::string value_name(name);
  const std::string data(text);
  return RegSetValueExA(opened.get(), value_name.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.c_str()),
                        static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

// The speed goes as the pointer parameter itself.
ApplyOutcome WindowsPointerStore::ApplyPointerSpeed(int speed) {
  return Set({kSpiSetMouseSpeed, 0, static_cast<std::uintptr_t>(speed), {}, kSpifSendChange});
}

ApplyOutcome WindowsPointerStore::ApplyPrecision(int threshold1, int threshold2, int acceleration) {
  return Set({kSpiSetMouse, 0, 0, {threshold1, threshold2, acceleration}, kSpifSendChange});
}

ApplyOutcome WindowsPointerStore::ApplyDoubleClickTime(int time_ms) {
  return Set({kSpiSetDoubleClickTime, static_cast<unsigned>(time_ms), 0, {}, kSpifSendChange});
}

ApplyOutcome WindowsPointerStore::ApplyWheelScrollLines(int lines) {
  // -1 is one screen at a time.
  const unsigned value = lines < 0 ? kWheelPageScroll : static_cast<unsigned>(lines);
  return Set({kSpiSetWheelScrollLines, value, 0, {}, kSpifUpdateIniFile});
}

}  // namespace zelko
