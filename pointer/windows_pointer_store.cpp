#include "pointer/windows_pointer_store.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

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

ApplyOutcome Outcome(BOOL ok) { return ok ? ApplyOutcome::Taken : ApplyOutcome::Failed; }

}  // namespace

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

ApplyOutcome WindowsPointerStore::ApplyPointerSpeed(int speed) {
  return Outcome(SystemParametersInfoA(SPI_SETMOUSESPEED, 0,
                                       reinterpret_cast<PVOID>(static_cast<INT_PTR>(speed)),
                                       SPIF_SENDCHANGE));
}

ApplyOutcome WindowsPointerStore::ApplyPrecision(int threshold1, int threshold2,
                                                 int acceleration) {
  int values[3] = {threshold1, threshold2, acceleration};
  return Outcome(SystemParametersInfoA(SPI_SETMOUSE, 0, values, SPIF_SENDCHANGE));
}

ApplyOutcome WindowsPointerStore::ApplyDoubleClickTime(int time_ms) {
  return Outcome(SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, static_cast<UINT>(time_ms), nullptr,
                                       SPIF_SENDCHANGE));
}

ApplyOutcome WindowsPointerStore::ApplyWheelScrollLines(int lines) {
  // -1 is WHEEL_PAGESCROLL (UINT_MAX): one screen at a time.
  const UINT value = lines < 0 ? WHEEL_PAGESCROLL : static_cast<UINT>(lines);
  return Outcome(SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, value, nullptr,
                                       SPIF_UPDATEINIFILE));
}

}  // namespace zelko
