// The macro page's recorder: Record and Stop on the page and in the insert
// panel, the input capture that runs in between, and, without a capture of
// the desktop, the keys and mouse buttons that reach the window.
#include <QKeyEvent>
#include <QMouseEvent>

#include "shell/key_event_adapter.h"
#include "shell/macro_lists.h"
#include "shell/macro_page.h"

namespace zelko {

namespace {

std::optional<MacroMouseButton> MacroButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return MacroMouseButton::kLeft;
    case Qt::RightButton:
      return MacroMouseButton::kRight;
    case Qt::MiddleButton:
      return MacroMouseButton::kMiddle;
    case Qt::BackButton:  // X button 1
      return MacroMouseButton::kBackward;
    case Qt::ForwardButton:  // X button 2
      return MacroMouseButton::kForward;
    default:
      return std::nullopt;
  }
}

}  // namespace

void MacroPage::StartCapture() {
  if (capture_) {
    InputSink sink;
    // The capture may call from a thread of its own: the recorder queues the
    // event, and the page takes the queue on its own thread.
    sink.key = [this](int virtual_key, KeyState state) {
      model_.recorder().TakeKey(virtual_key, state);
      QMetaObject::invokeMethod(this, [this] { TakePending(); }, Qt::QueuedConnection);
    };
    sink.button = [this](MacroMouseButton button, bool pressed) {
      model_.recorder().TakeMouseButton(button, pressed);
      QMetaObject::invokeMethod(this, [this] { TakePending(); }, Qt::QueuedConnection);
    };
    const Status started = capture_->Start(std::move(sink));
    capture_failed_ = !started;
    if (started) {
      hearing_window_ = false;
      return;
    }
    qWarning("zelko77: the desktop's keys cannot be heard: %s; recording what reaches the window",
             started.error().c_str());
  }
  window_keys_.Reset();
  hearing_window_ = true;
}

void MacroPage::StopCapture() {
  if (capture_) capture_->Stop();
  hearing_window_ = false;
}

void MacroPage::TakePending() {
  if (!model_.recorder().recording()) return;
  model_.recorder().ProcessPending();
  RedrawEvents();
}

void MacroPage::RecordingEnded() {
  // The recorder stopped itself because the macro is full.
  if (model_.recorder().recording()) return;
  StopCapture();
  Redraw();
}

void MacroPage::Btn_StartClick() {
  HideMacroMenus();
  const auto result = model_.StartClick();
  if (result.started) {
    StartCapture();
    event_list_->setFocus();
  } else if (result.stopped) {
    StopCapture();
    Report(result.outcome);
  }
  Redraw();
}

void MacroPage::Btn_InsertStartClick() {
  const auto result = model_.InsertStartClick();
  if (result.started) {
    StartCapture();
    event_list_->setFocus();
  } else if (result.stopped) {
    StopCapture();
  }
  Redraw();
}

bool MacroPage::TakeWindowInput(QEvent* event) {
  MacroRecorder& recorder = model_.recorder();
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      const auto* key = static_cast<QKeyEvent*>(event);
      const bool down = event->type() == QEvent::KeyPress;
      const std::optional<KeyState> state = down ? window_keys_.Down(key->isAutoRepeat()) : window_keys_.Up(key->isAutoRepeat());
      if (state) recorder.TakeKey(VirtualKeyOf(*key), *state);
      TakePending();
      // The keys are the macro's: they do not work the page meanwhile.
      return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (const auto button = MacroButtonOf(mouse->button())) {
        recorder.TakeMouseButton(*button, event->type() == QEvent::MouseButtonPress);
        TakePending();
      }
      // The buttons go on working the window, so that Stop can be clicked.
      return false;
    }
    default:
      return false;
  }
}

}  // namespace zelko
