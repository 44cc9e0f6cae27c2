// The key test's window side: the runner made over the mouse's channel and
// clock, its caption and blink targets found by name on the engineer page
// (btn_TestKeys, btn_Key101 .. btn_Key109) each time it shows them.
#include <QAbstractButton>
#include <QLabel>

#include "resources/engineer_terms.h"
#include "shell/key_test_runner.h"
#include "shell/main_window.h"

namespace zelko {

namespace {

QString TestKeyName(int button) { return QStringLiteral("btn_Key10%1").arg(button); }

}  // namespace

void MainWindow::MakeKeyTest() {
  KeyTestWindowPorts ports;
  ports.hide_menus = [this] { HideAllMenu(); };
  ports.set_poll_timer = [this](bool running) {
    if (running) {
      ui_port_->StartPollTimer();
    } else {
      ui_port_->StopPollTimer();
    }
  };
  ports.enable_test_button = [this](bool enabled) {
    if (auto* button = controls_.Find(QStringLiteral("btn_TestKeys"))) button->setEnabled(enabled);
  };
  ports.set_caption = [this](const QString& caption) { SetTestKeysCaption(caption); };
  ports.show_button = [this](int button, bool visible) { ShowTestKey(button, visible); };
  key_test_ = std::make_unique<KeyTestRunner>(session_->channel(), session_->clock(), std::move(ports),
                                              run_poll_timer_);
}

void MainWindow::StartKeyTest() {
  if (keyTestRunning()) return;
  if (!session_->IsOpen()) {
    ShowTextMessage("Str020", {}, MessageKind::Standard);
    return;
  }
  const std::string_view term = EngineerTerm(EngineerTermId::kTestKeysPosition, TermLanguageFromEnvironment());
  key_test_->Start(QString::fromUtf8(term.data(), static_cast<qsizetype>(term.size())));
}

bool MainWindow::keyTestRunning() const { return key_test_ && key_test_->running(); }

void MainWindow::SetTestKeysCaption(const QString& caption) {
  QWidget* control = controls_.Find(QStringLiteral("btn_TestKeys"));
  if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(caption);
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(caption);
  }
}

void MainWindow::ShowTestKey(int button, bool visible) {
  if (auto* control = controls_.Find(TestKeyName(button))) control->setVisible(visible);
}

}  // namespace zelko
