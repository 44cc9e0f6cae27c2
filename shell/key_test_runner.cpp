#include "shell/key_test_runner.h"

#include <QMetaObject>

namespace zelko {

KeyTestRunner::KeyTestRunner(CommandChannel& channel, Clock& clock, KeyTestWindowPorts ports, bool run_timer,
                             QObject* parent)
    : QObject(parent), channel_(channel), ports_(std::move(ports)), run_timer_(run_timer), clock_(clock) {
  test_timer_.setObjectName(QStringLiteral("TestTimer"));
  test_timer_.setInterval(static_cast<int>(kTestTimerIntervalMs));
  connect(&test_timer_, &QTimer::timeout, this, &KeyTestRunner::TestTimerTimer);
}

KeyTestRunner::~KeyTestRunner() {
  if (running()) End();
}

void KeyTestRunner::Start(const QString& normal_caption) {
  if (running()) return;
  // Begin exchange, without the status query: the worker's status queries
  // answer with the button-state word. Not while another program talks to
  // the mouse.
  if (channel_.BeginExchangeWithoutStatus().state == ExchangeState::kMouseBusy) return;
  ports_.hide_menus();
  ports_.set_poll_timer(false);
  ports_.enable_test_button(false);
  countdown_.set_normal_caption(normal_caption.toStdString());
  KeyTestWorkerPorts worker_ports;
  worker_ports.read_button_word = [this] { return channel_.ReadStatusWord(); };
  // Posted to the GUI thread, never waited for: the GUI thread may be
  // waiting for the worker's end. The worker ends before the runner goes;
  // what it posted is dropped with the runner.
  worker_ports.show_button = [this](int button, bool visible) {
    QMetaObject::invokeMethod(
        this, [this, button, visible] { ports_.show_button(button, visible); }, Qt::QueuedConnection);
  };
  worker_ = std::make_unique<KeyTestWorker>(clock_, std::move(worker_ports));
  worker_->Start();
  countdown_.Start();
  if (run_timer_) test_timer_.start();
}

void KeyTestRunner::TestTimerTimer() {
  if (!running()) return;
  const KeyTestTick tick = countdown_.Tick(worker_ && worker_->BlinkActive());
  ports_.set_caption(QString::fromStdString(tick.caption));
  if (tick.ended) End();
}

void KeyTestRunner::Finish() {
  if (running()) End();
}

void KeyTestRunner::End() {
  ports_.enable_test_button(true);
  ports_.set_caption(QString::fromStdString(countdown_.normal_caption()));
  if (worker_) worker_->Stop();
  worker_.reset();
  // Only now, with the worker gone, does the GUI thread talk to the mouse.
  (void)channel_.EndExchange();
  test_timer_.stop();
  // Stopped already when the last tick ended the test; stopped here when
  // the test is cut short.
  countdown_ = KeyTestCountdown(countdown_.normal_caption());
  ports_.set_poll_timer(true);
}

}  // namespace zelko
