// The main window's button handlers: page switching, the write buttons,
// the language switch, the web, minimise and close buttons, and the poll.
#include <QCoreApplication>
#include <QMetaObject>

#include "resources/language_pack.h"
#include "shell/qt_button_names.h"
#include "shell/hover_controller.h"
#include "shell/main_window.h"

namespace zelko {

void MainWindow::PageButtonClick(Page page) {
  switch (navigation_.RequestSwitch(page, session_->IsOpen())) {
    case PageNavigation::SwitchOutcome::NoDevice:
      ShowTextMessage("Str020", {}, MessageKind::Standard);
      return;
    case PageNavigation::SwitchOutcome::Locked:
      return;
    case PageNavigation::SwitchOutcome::Switched:
      break;
  }
  controls_.ShowImages(TabImagesForActivePage(page));
  if (page == Page::Main || page == Page::Second) {
    // The key mode the page edits is the one the mouse will hold.
    settings_.buttons.key_mode = page == Page::Second ? KeyMode::kB : KeyMode::kA;
    ShowContainer(1);
    ShowProfileLabels(page == Page::Second);
  } else {
    ShowContainer(TraitsOf(page).container);
  }
  ShowPanelBackground(page);
  if (page == Page::Engineer) EngineerPageOpened();
}

void MainWindow::ShowPageUnchecked(Page page) {
  navigation_.ClearLock();
  navigation_.RequestSwitch(page, true);
  controls_.ShowImages(TabImagesForActivePage(page));
  ShowContainer(TraitsOf(page).container);
  if (page == Page::Main || page == Page::Second) ShowProfileLabels(page == Page::Second);
  ShowPanelBackground(page);
  if (page == Page::Engineer) EngineerPageOpened();
}

void MainWindow::KeepAliveWait() {
  for (int i = 0; i < kButtonWaitSteps; ++i) {
    clock_.SleepMs(kButtonWaitStepMs);
    QCoreApplication::processEvents();
  }
}

void MainWindow::ActionButtonClick(const QString& button) {
  if (keyTestRunning()) return;
  const auto ref = ParseButtonLabel(ButtonLabelName(button, 1));
  if (ref) controls_.ShowImages(PressImages(*ref));
  if (button == QLatin1String("Read")) {
    if (!session_->IsOpen()) {
      ShowTextMessage("Str020", {}, MessageKind::Standard);
      return;
    }
    (void)session::ReadMouse(*session_);  // the connection shows what went wrong
    return;
  }
  if ((button == QLatin1String("Apply") || button == QLatin1String("Confirm")) && RefuseLockingIdentity()) return;
  if (button == QLatin1String("Apply")) {
    SayWhenTheEndWentUnanswered(ApplyAll());
    return;
  }
  if (button == QLatin1String("Confirm")) {
    const session::WriteReport result = ApplyAll();
    SayWhenTheEndWentUnanswered(result);
    // Closing after a write that did not verify would drop the edits
    // unnoticed: the window stays open then.
    if (!result.ok()) return;
    KeepAliveWait();
    close();
    return;
  }
  if (button.startsWith(QLatin1String("Confirm"))) {
    SayWhenTheEndWentUnanswered(session::WriteFactoryImage(*session_, button.right(1).toInt()));
  }
}

void MainWindow::SayWhenTheEndWentUnanswered(const session::WriteReport& report) {
  // The flows show every other failure themselves (Str020, Str109). A write
  // that verified but whose closing pair went unanswered is no success
  // either: the mouse may not have taken the image into use; nor is a
  // write refused because no backup could be kept first.
  if (report.flow.status == FlowStatus::kEndNotAcknowledged) {
    ShowTextMessage("Str109", {}, MessageKind::Program);
  } else if (report.no_backup()) {
    qWarning("zelko77: no backup of the mouse's image could be kept (%s); nothing was written",
             report.backup_error.c_str());
    ShowTextMessage(std::string(session::MessageId(report.outcome)), {}, MessageKind::Program);
  }
}

void MainWindow::LanguageButtonClick(int languageIndex) {
  if (languageIndex < 1 || languageIndex > kLanguageCount) return;
  for (int n = 1; n <= kLanguageCount; ++n) {
    controls_.ShowImages(AllCopies(QStringLiteral("Lang%1").arg(n),
                                   n == languageIndex ? QStringLiteral("SetS_03") : QStringLiteral("SetS_01")));
  }
  texts_.Select(languageIndex);
  ApplyPacks();
  application_title_ = kept_.title;
  navigation_.RefreshAfterLanguageChange();
  ShowContainer(navigation_.visibleContainer());
  // Leaving the pressed button under the mouse restores its new caption.
  const QString pressed = QStringLiteral("Lang%1").arg(languageIndex);
  const QString caption = controls_.Caption(ButtonLabelName(pressed, 1));
  for (int copy = 1; copy <= kSkinnedPageCount; ++copy) {
    hover_->RememberCaption(ButtonLabelName(pressed, copy), caption);
  }
}

void MainWindow::WebButtonClick() {
  controls_.ShowImages(AllCopies(QStringLiteral("Web"), QStringLiteral("WebS_02")));
  if (!general_.webEnabled() || general_.web.isEmpty()) return;
  last_opened_address_ = general_.web;
  open_address_(general_.web);
}

void MainWindow::MinimiseClick() {
  // Posted, not sent: the click finishes before the window goes.
  QMetaObject::invokeMethod(this, [this] { showMinimized(); }, Qt::QueuedConnection);
}

void MainWindow::ExitClick() { close(); }

void MainWindow::DevTimerTimer() {
  if (keyTestRunning()) return;
  if (auto* connection = session_->connection()) connection->DevTimerTimer();
  // A close asked for during the search happens now.
  if (close_pending_) QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

}  // namespace zelko
