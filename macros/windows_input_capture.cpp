#include "macros/windows_input_capture.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace zelko {
namespace {

constexpr int kVkShift = 0x10;
constexpr int kVkControl = 0x11;
constexpr int kVkMenu = 0x12;
constexpr int kVkLeftShift = 0xA0;
constexpr int kVkRightShift = 0xA1;
constexpr int kVkLeftControl = 0xA2;
constexpr int kVkRightControl = 0xA3;
constexpr int kVkLeftMenu = 0xA4;
constexpr int kVkRightMenu = 0xA5;
// The virtual key of a record that is only part of a key (Pause sends two).
constexpr int kVkNone = 0xFF;

constexpr std::uint16_t kScanLeftShift = 0x2A;
constexpr std::uint16_t kScanRightShift = 0x36;
// Identity of input without a scan code: its virtual key above every
// scan code.
constexpr std::uint32_t kVirtualKeyIdentity = 0x10000;
constexpr std::uint32_t kE0Identity = 0x100;

constexpr std::uint16_t kXButton1 = 1;
constexpr std::uint16_t kXButton2 = 2;

// Long enough for a loaded machine to create one window; a thread that
// has not answered by then is left to end by itself.
constexpr auto kStartDeadline = std::chrono::seconds(10);

constexpr wchar_t kWindowClass[] = L"zelko77.InputCapture";

int GenericVirtualKey(int virtual_key) {
  switch (virtual_key) {
    case kVkLeftShift:
    case kVkRightShift: return kVkShift;
    case kVkLeftControl:
    case kVkRightControl: return kVkControl;
    case kVkLeftMenu:
    case kVkRightMenu: return kVkMenu;
    default: return virtual_key;
  }
}

std::string WithError(const std::string& text, DWORD error) {
  return text + " (Windows error " + std::to_string(error) + ").";
}

}  // namespace

std::optional<RawKeyEvent> KeyEventOfRawRecord(const RawKeyRecord& record) {
  bool down = false;
  switch (record.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: down = true; break;
    case WM_KEYUP:
    case WM_SYSKEYUP: down = false; break;
    default: return std::nullopt;
  }
  if (record.virtual_key == 0 || record.virtual_key == kVkNone) return std::nullopt;
  const bool e0 = (record.flags & RI_KEY_E0) != 0;
  if (e0 && (record.make_code == kScanLeftShift || record.make_code == kScanRightShift)) return std::nullopt;
  const std::uint32_t identity = record.make_code != 0
                                     ? record.make_code | (e0 ? kE0Identity : 0)
                                     : kVirtualKeyIdentity | record.virtual_key;
  return RawKeyEvent{identity, GenericVirtualKey(record.virtual_key), down};
}

void DeliverRawKey(const RawKeyRecord& record, KeyPressTracker& tracker, const InputSink& sink) {
  const auto key = KeyEventOfRawRecord(record);
  if (!key) return;
  const auto tracked = key->down ? tracker.Down(key->physical_key, key->virtual_key) : tracker.Up(key->physical_key);
  if (tracked && sink.key) sink.key(tracked->virtual_key, tracked->state);
}

std::optional<HookButtonEvent> ButtonEventOfHookMessage(std::uint32_t message, std::uint32_t mouse_data) {
  switch (message) {
    case WM_LBUTTONDOWN: return HookButtonEvent{MacroMouseButton::kLeft, true};
    case WM_LBUTTONUP: return HookButtonEvent{MacroMouseButton::kLeft, false};
    case WM_RBUTTONDOWN: return HookButtonEvent{MacroMouseButton::kRight, true};
    case WM_RBUTTONUP: return HookButtonEvent{MacroMouseButton::kRight, false};
    case WM_MBUTTONDOWN: return HookButtonEvent{MacroMouseButton::kMiddle, true};
    case WM_MBUTTONUP: return HookButtonEvent{MacroMouseButton::kMiddle, false};
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP: {
      const bool pressed = message == WM_XBUTTONDOWN;
      const auto x_button = static_cast<std::uint16_t>(mouse_data >> 16);
      if (x_button == kXButton1) return HookButtonEvent{MacroMouseButton::kBackward, pressed};
      if (x_button == kXButton2) return HookButtonEvent{MacroMouseButton::kForward, pressed};
      return std::nullopt;
    }
    default: return std::nullopt;
  }
}

// Shared by Start and the capture's thread. Start reads the outcome the
// thread reports; after that only the thread uses the rest, until Stop
// has joined it.
struct WindowsInputCapture::Session {
  InputSink sink;
  KeyPressTracker keys;

  std::mutex mutex;
  std::condition_variable reported_cv;
  bool reported = false;
  bool started = false;
  std::string error;
  bool abandoned = false;  // Start gave up waiting: end without running
  DWORD thread_id = 0;

  // Returns whether the thread is still wanted.
  bool Report(bool ok, std::string why) {
    std::lock_guard lock(mutex);
    reported = true;
    started = ok;
    error = std::move(why);
    reported_cv.notify_all();
    return !abandoned;
  }

  void Run();
};

namespace {

// The session of the capture thread running on this thread; the hook and
// the window procedure are plain functions and find it here.
thread_local WindowsInputCapture::Session* t_session = nullptr;

void HandleRawInput(HRAWINPUT handle) {
  UINT size = 0;
  if (GetRawInputData(handle, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0 || size == 0) return;
  std::vector<std::uint8_t> buffer(size);
  if (GetRawInputData(handle, RID_INPUT, buffer.data(), &size, sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1)) {
    return;
  }
  RAWINPUT input{};
  std::copy_n(buffer.begin(), std::min<std::size_t>(buffer.size(), sizeof input), reinterpret_cast<std::uint8_t*>(&input));
  if (input.header.dwType != RIM_TYPEKEYBOARD || t_session == nullptr) return;
  const RAWKEYBOARD& keyboard = input.data.keyboard;
  DeliverRawKey({keyboard.MakeCode, keyboard.Flags, keyboard.VKey, keyboard.Message}, t_session->keys,
                t_session->sink);
}

LRESULT CALLBACK CaptureWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INPUT) HandleRawInput(reinterpret_cast<HRAWINPUT>(lparam));
  // WM_INPUT too: the default procedure frees the input's buffer.
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION && t_session != nullptr && t_session->sink.button) {
    const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lparam);
    if (const auto event = ButtonEventOfHookMessage(static_cast<std::uint32_t>(wparam), info->mouseData)) {
      t_session->sink.button(event->button, event->pressed);
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

bool RegisterKeyboard(HWND target, DWORD flags) {
  RAWINPUTDEVICE device{};
  device.usUsagePage = 1;  // generic desktop
  device.usUsage = 6;      // keyboard
  device.dwFlags = flags;
  device.hwndTarget = target;
  return RegisterRawInputDevices(&device, 1, sizeof device) != FALSE;
}

}  // namespace

void WindowsInputCapture::Session::Run() {
  t_session = this;
  MSG message{};
  // Gives the thread its message queue before anyone posts to it.
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
  const HINSTANCE instance = GetModuleHandleW(nullptr);

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &CaptureWindowProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = kWindowClass;
  if (RegisterClassExW(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    Report(false, WithError("The input capture's window class is refused", GetLastError()));
    return;
  }
  const HWND window = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (window == nullptr) {
    Report(false, WithError("The input capture's window cannot be created", GetLastError()));
    return;
  }
  if (!RegisterKeyboard(window, RIDEV_INPUTSINK)) {
    const DWORD error = GetLastError();
    DestroyWindow(window);
    Report(false, WithError("Raw Input does not take the keyboard", error));
    return;
  }
  const HHOOK hook = SetWindowsHookExW(WH_MOUSE_LL, &MouseHookProc, instance, 0);
  if (hook == nullptr) {
    const DWORD error = GetLastError();
    (void)RegisterKeyboard(nullptr, RIDEV_REMOVE);
    DestroyWindow(window);
    Report(false, WithError("The low-level mouse hook cannot be installed", error));
    return;
  }
  if (Report(true, {})) {
    // Ends at WM_QUIT (Stop) or an error of the queue (-1).
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  }
  UnhookWindowsHookEx(hook);
  (void)RegisterKeyboard(nullptr, RIDEV_REMOVE);
  DestroyWindow(window);
  t_session = nullptr;
}

WindowsInputCapture::~WindowsInputCapture() { Stop(); }

Status WindowsInputCapture::Start(InputSink sink) {
  Stop();
  auto session = std::make_shared<Session>();
  session->sink = std::move(sink);
  std::thread thread([session] {
    {
      std::lock_guard lock(session->mutex);
      session->thread_id = GetCurrentThreadId();
    }
    session->Run();
  });
  std::unique_lock lock(session->mutex);
  if (!session->reported_cv.wait_for(lock, kStartDeadline, [&] { return session->reported; })) {
    // The thread holds its own share of the session and ends by itself.
    session->abandoned = true;
    lock.unlock();
    thread.detach();
    return Status::Failure("The input capture's thread did not start in time.");
  }
  const bool started = session->started;
  std::string error = session->error;
  lock.unlock();
  if (!started) {
    thread.join();
    return Status::Failure(std::move(error));
  }
  session_ = std::move(session);
  thread_ = std::move(thread);
  return Status::Ok();
}

void WindowsInputCapture::Stop() {
  if (!session_) return;
  if (thread_.joinable()) {
    // Fails only when the thread's loop has already ended.
    PostThreadMessageW(session_->thread_id, WM_QUIT, 0, 0);
    thread_.join();
  }
  session_.reset();
}

}  // namespace zelko
