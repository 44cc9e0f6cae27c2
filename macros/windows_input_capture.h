// The desktop capture of Windows: keys through Raw Input (the keyboard
// registered with RIDEV_INPUTSINK, so keys arrive whichever window has the
// focus) and buttons through a low-level mouse hook, both on a thread of
// their own with a message-only window and a message loop. The hook only
// looks: it always passes the event on. Wheel and pointer moves are not
// heard. Raw Input takes one target window per process for the keyboard:
// one capture runs at a time. Keys and buttons come by two roads (raw input
// is posted to the window, the hook is called as the input happens), so a
// key and a button close together may reach the sink in either order.
//
// What the thread reads is translated by the pure functions below, so that
// the mapping can be tried without a desktop.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <thread>

#include "macros/input_capture.h"
#include "macros/key_press_tracker.h"

namespace zelko {

// The parts of a RAWKEYBOARD record the capture reads.
struct RawKeyRecord {
  std::uint16_t make_code = 0;  // scan code
  std::uint16_t flags = 0;      // RI_KEY_BREAK, RI_KEY_E0, RI_KEY_E1
  std::uint16_t virtual_key = 0;
  std::uint32_t message = 0;  // WM_KEYDOWN, WM_SYSKEYUP, ...
};

// A key event of a raw keyboard record before its KeyState is counted.
struct RawKeyEvent {
  std::uint32_t physical_key = 0;  // the tracker's key identity
  int virtual_key = 0;
  bool down = false;
  friend bool operator==(const RawKeyEvent&, const RawKeyEvent&) = default;
};

// The key event of one raw keyboard record, with the sided modifiers
// folded into the generic ones (Shift 16, Ctrl 17, Alt 18) as the recorder
// takes them; the Windows keys keep their sides. Nothing for the records
// that stand for no key: virtual key 0 or 0xFF (the second half of Pause),
// the Shift that the system fakes around the grey navigation keys (scan
// code 0x2A or 0x36 with E0) and messages other than key-downs and -ups.
// A key is identified by its scan code with its E0 flag, so that Num Lock
// changing the virtual key of a pad key between its down and up does not
// split it; input that carries no scan code is identified by its virtual
// key.
std::optional<RawKeyEvent> KeyEventOfRawRecord(const RawKeyRecord& record);

// Hands a raw record's key to the sink through the tracker's KeyState rules.
void DeliverRawKey(const RawKeyRecord& record, KeyPressTracker& tracker, const InputSink& sink);

// The button and press of one low-level mouse hook message; mouse_data is
// MSLLHOOKSTRUCT's mouseData (its high word names the X button: 1 backward,
// 2 forward). Nothing for moves, the wheel and anything else.
struct HookButtonEvent {
  MacroMouseButton button = MacroMouseButton::kLeft;
  bool pressed = false;
  friend bool operator==(const HookButtonEvent&, const HookButtonEvent&) = default;
};
std::optional<HookButtonEvent> ButtonEventOfHookMessage(std::uint32_t message, std::uint32_t mouse_data);

class WindowsInputCapture final : public InputCapture {
 public:
  WindowsInputCapture() = default;
  ~WindowsInputCapture() override;
  WindowsInputCapture(const WindowsInputCapture&) = delete;
  WindowsInputCapture& operator=(const WindowsInputCapture&) = delete;

  // Returns once the thread has registered the keyboard and installed the
  // hook, or with the reason it could not (or did not say so in time).
  Status Start(InputSink sink) override;
  void Stop() override;
  bool HearsWholeDesktop() const override { return true; }

  struct Session;

 private:
  std::shared_ptr<Session> session_;
  std::thread thread_;
};

}  // namespace zelko
