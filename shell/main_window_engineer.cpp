// The main window's engineer page handlers: reaching the page (its key
// chord), the logo's double-click with the password dialog, the Default
// button, the eighteen button selectors and their captions.
#include <QAbstractButton>
#include <QKeySequence>
#include <QShortcut>

#include "image/expected_codes.h"
#include "keys/button_assignment.h"
#include "shell/button_menu_view.h"
#include "shell/engineer_page.h"
#include "shell/main_window.h"
#include "shell/password_dialog.h"

namespace zelko {

namespace {

// The layouts show no Engineer button: this chord opens the page, by the
// Engineer button's rules.
constexpr QKeyCombination kEngineerPageChord(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_E);

}  // namespace

void MainWindow::BindEngineerPage() {
  auto* chord = new QShortcut(QKeySequence(kEngineerPageChord), this);
  chord->setObjectName(QStringLiteral("EngineerPageChord"));
  connect(chord, &QShortcut::activated, this, [this] { PageButtonClick(Page::Engineer); });

  connect(engineer_page_, &EngineerPage::logoDoubleClicked, this, &MainWindow::Img_Logo4DblClick);
  connect(engineer_page_, &EngineerPage::keyButtonClicked, this, &MainWindow::TLShowPnlMain_OnClick);
  const auto onClick = [this](const char* name, std::function<void()> handler) {
    if (auto* button = qobject_cast<QAbstractButton*>(controls_.Find(QLatin1String(name)))) {
      connect(button, &QAbstractButton::clicked, this, std::move(handler));
    }
  };
  onClick("btn_Write", [this] { ActionButtonClick(QStringLiteral("Apply")); });
  onClick("Btn_Default", [this] { Btn_DefaultClick(); });
  onClick("Btn_ImportBaseMacro", [this] { ImportBaseMacro(); });
  onClick("btn_TestKeys", [this] { StartKeyTest(); });
}

PasswordDialog* MainWindow::passwordDialog() const {
  // A closed dialog is deleted later; it is not open any more.
  return password_dialog_ && password_dialog_->isVisible() ? password_dialog_.data() : nullptr;
}

void MainWindow::Img_Logo4DblClick() {
  if (engineer_mode_.LogoDoubleClicked() == LogoOutcome::kAskPassword) {
    if (password_dialog_) password_dialog_->close();
    password_dialog_ = new PasswordDialog(this, QRect(pos(), size()), [this](const std::optional<QString>& text) {
      if (text) (void)engineer_mode_.PasswordEntered(text->toStdString());
      engineer_page_->ApplyEngineerMode(engineer_mode_.effects());
    });
  }
  engineer_page_->ApplyEngineerMode(engineer_mode_.effects());
}

void MainWindow::Btn_DefaultClick() {
  if (keyTestRunning()) return;
  HideAllMenu();
  controls_.SetShown(QStringLiteral("Img_Result"), false);
  // Waits, and is silent without a mouse.
  const session::WriteReport result = session::WriteDefaults(*session_);
  SayWhenTheEndWentUnanswered(result);
  // The mark says the mouse holds the defaults: only for a write that
  // verified.
  controls_.SetShown(QStringLiteral("Img_Result"), result.ok());
}

void MainWindow::TLShowPnlMain_OnClick(int number) {
  if (!engineer_page_->KeyButton(number)) return;
  menu_view_->OpenForEngineerPage(number, engineer_page_->PlaceOf(number));
}

void MainWindow::EngineerPageOpened() {
  HideAllMenu();
  engineer_page_->Refresh();
  TLRefreshProfileKeys();
}

void MainWindow::TLRefreshProfileKeys() {
  const SlotNameLookup slotName = [this](int slot) { return device_slots_.ShownName(slot); };
  for (int profile = 1; profile <= 2; ++profile) {
    const ProfileCaptions captions = ProfileLabels(settings_.buttons, profile, CurrentTextLookup(), slotName);
    for (std::size_t i = 0; i < captions.size(); ++i) {
      engineer_page_->SetKeyCaption(profile * 100 + static_cast<int>(i) + 1, QString::fromStdString(captions[i]));
    }
  }
  const DeviceConnection* connection = session_->connection();
  engineer_page_->ShowReadIdentity(connection ? connection->identity_read() : std::nullopt);
}

bool MainWindow::RefuseLockingIdentity() {
  const auto problem = IdentityWriteProblem(settings_, ShippedExpectedCodes(), engineer_mode_.on());
  if (!problem) return false;
  messages_->Show(this, QString::fromStdString(*problem), MessageKind::Program, kept_.fontName, application_title_);
  return true;
}

ProfileCaptions MainWindow::PickCaptions(const ButtonPick& pick) const {
  // What the buttons do, from their codes: never what a label reads.
  const auto target = PickedButton(pick, shown_profile_);
  const SlotNameLookup slotName = [this](int slot) { return device_slots_.ShownName(slot); };
  return ProfileLabels(settings_.buttons, target ? target->profile : shown_profile_, CurrentTextLookup(), slotName);
}

}  // namespace zelko
