// The desktop capture of an X11 session: XInput2 raw key and button events
// selected on the root window, which the server sends whichever window has
// the focus, read on a thread of its own over a Display connection of its
// own. Keys go keycode -> keysyms of the keyboard mapping -> virtual key
// (macros/keysym_virtual_keys.h), their states through KeyPressTracker;
// buttons by their X number. Pointer motion is not selected.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "macros/input_capture.h"

namespace zelko {

// The macro's button of an X pointer button: 1 left, 2 middle, 3 right,
// 8 back (X button 1, "Backward"), 9 forward (X button 2, "Forward");
// nothing for the wheel (4 to 7) and the rest.
std::optional<MacroMouseButton> MacroButtonOfXButton(std::uint32_t x_button);

class X11InputCapture final : public InputCapture {
 public:
  // display_name as XOpenDisplay takes it; empty for $DISPLAY.
  explicit X11InputCapture(std::string display_name = {});
  ~X11InputCapture() override;
  X11InputCapture(const X11InputCapture&) = delete;
  X11InputCapture& operator=(const X11InputCapture&) = delete;

  // Fails when the display does not open or has no XInput 2.0.
  Status Start(InputSink sink) override;
  void Stop() override;
  bool HearsWholeDesktop() const override { return true; }

  // Whether a display of this name opens and offers XInput 2.0 or later.
  static bool Available(const std::string& display_name = {});

 private:
  struct Session;
  std::string display_name_;
  std::unique_ptr<Session> session_;
  std::thread reader_;
};

}  // namespace zelko
