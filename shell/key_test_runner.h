// The key test in the window: the test button's click starts it, TestTimer
// ticks every 1000 ms and counts down on the button's caption, the worker
// polls the mouse on its own thread and makes pressed buttons blink. The
// poll timer is off meanwhile; only the worker talks to the mouse; the
// closing commands go after the worker has ended.
#pragma once
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "base/clock.h"
#include "device/command_channel.h"
#include "pages/key_test.h"
#include "pages/key_test_worker.h"

namespace zelko {

// What the test does to the window; every call comes on the GUI thread.
struct KeyTestWindowPorts {
  std::function<void()> hide_menus;
  std::function<void(bool running)> set_poll_timer;
  std::function<void(bool enabled)> enable_test_button;
  std::function<void(const QString& caption)> set_caption;
  // Shows or hides the on-screen copy of button 1..9.
  std::function<void(int button, bool visible)> show_button;
};

class KeyTestRunner final : public QObject {
  Q_OBJECT
 public:
  // `clock` paces the worker: the clock the channel and the mouse run on.
  // Without `run_timer` the ticks come from TestTimerTimer alone (tests).
  KeyTestRunner(CommandChannel& channel, Clock& clock, KeyTestWindowPorts ports, bool run_timer,
                QObject* parent = nullptr);
  // Ends a test still running, the closing commands included.
  ~KeyTestRunner() override;

  // btn_TestKeysClick: `normal_caption` is the test button's own caption.
  void Start(const QString& normal_caption);
  // One TestTimer tick.
  void TestTimerTimer();
  // Ends the test now, as its last tick would (the window is closing).
  void Finish();

  bool running() const { return countdown_.running(); }
  QTimer& testTimer() { return test_timer_; }

 private:
  void End();

  CommandChannel& channel_;
  KeyTestWindowPorts ports_;
  bool run_timer_;
  QTimer test_timer_;
  KeyTestCountdown countdown_{""};
  std::unique_ptr<KeyTestWorker> worker_;
  Clock& clock_;
};

}  // namespace zelko
