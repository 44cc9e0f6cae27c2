// A capture that tests drive by hand: Press/Release reach the sink only
// between Start and Stop, as a real capture's events do.
#pragma once
#include "macros/input_capture.h"

namespace zelko {

class FakeInputCapture final : public InputCapture {
 public:
  explicit FakeInputCapture(bool whole_desktop = true) : whole_desktop_(whole_desktop) {}

  Status Start(InputSink sink) override {
    sink_ = std::move(sink);
    running_ = true;
    ++starts_;
    return Status::Ok();
  }
  void Stop() override { running_ = false; }
  bool HearsWholeDesktop() const override { return whole_desktop_; }

  void Key(int virtual_key, KeyState state) {
    if (running_ && sink_.key) sink_.key(virtual_key, state);
  }
  void Button(MacroMouseButton button, bool pressed) {
    if (running_ && sink_.button) sink_.button(button, pressed);
  }
  bool running() const { return running_; }
  int starts() const { return starts_; }

 private:
  InputSink sink_;
  bool whole_desktop_;
  bool running_ = false;
  int starts_ = 0;
};

}  // namespace zelko
