#include "shell/input_dialogs.h"

#include <QKeyEvent>

#include "shell/key_event_adapter.h"

namespace zelko {

MacroNameDialog::MacroNameDialog(QWidget* owner, const DialogSetup& setup,
                                 std::function<void(const QString&)> confirmed)
    : SkinDialog(owner, QStringLiteral("Form3"), DialogGroup::kL, setup, "Str510", "Str511", "Str512", 0),
      confirmed_(std::move(confirmed)) {
  field()->setObjectName(QStringLiteral("Edt_MacroName"));
  // QLineEdit counts UTF-16 code units, as the name bytes of a macro do.
  field()->setMaxLength(static_cast<int>(kMacroNameDialogLength));
  ShowAndFocus(true);
}

void MacroNameDialog::ConfirmClicked() {
  if (confirmed_) confirmed_(field()->text());
  close();
}

void MacroNameDialog::ClearClicked() { field()->clear(); }

OneKeyDialog::OneKeyDialog(QWidget* owner, const DialogSetup& setup, EditLineKind kind,
                           std::function<void(const OneKey&)> confirmed)
    : SkinDialog(owner, QStringLiteral("Form5"), DialogGroup::kL, setup, "Str520", "Str511", "Str512", 0),
      kind_(kind),
      confirmed_(std::move(confirmed)) {
  field()->setObjectName(QStringLiteral("Edt_EditKey"));
  field()->setReadOnly(true);
  field()->installEventFilter(this);
  ShowAndFocus(true);
}

bool OneKeyDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field()) {
    if (event->type() == QEvent::ShortcutOverride) {
      event->accept();
      return true;
    }
    if (event->type() == QEvent::KeyPress) {
      const OneKey key = OneKeyOf(VirtualKeyOf(*static_cast<QKeyEvent*>(event)), kind_);
      field()->setText(QString::fromStdString(key.label));
      event_ = QString::fromStdString(key.event);
      return true;
    }
  }
  return SkinDialog::eventFilter(watched, event);
}

void OneKeyDialog::ConfirmClicked() {
  if (confirmed_) confirmed_({field()->text().toStdString(), event_.toStdString()});
  close();
}

void OneKeyDialog::ClearClicked() { field()->clear(); }

NumberDialog::NumberDialog(QWidget* owner, const DialogSetup& setup, Purpose purpose, EditLineKind kind,
                           std::function<void(const QString&)> confirmed)
    : SkinDialog(owner, purpose == Purpose::kDelay ? QStringLiteral("Form6") : QStringLiteral("Form7"),
                 DialogGroup::kL, setup, purpose == Purpose::kDelay ? "Str521" : "Str523", "Str511", "Str512", 0),
      purpose_(purpose),
      kind_(kind),
      confirmed_(std::move(confirmed)) {
  field()->setObjectName(QStringLiteral("Edt_EditTime"));
  field()->installEventFilter(this);
  connect(field(), &QLineEdit::textChanged, this, &NumberDialog::Correct);
  ShowAndFocus(true);
}

bool NumberDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field() && event->type() == QEvent::KeyPress) {
    const QString typed = static_cast<QKeyEvent*>(event)->text();
    // Characters other than the field's are dropped; keys without text
    // (Backspace's is a control character, the arrows have none) go on.
    if (typed.size() == 1 && typed.front().isPrint()) {
      const char32_t c = typed.front().unicode();
      const bool takes = purpose_ == Purpose::kDelay ? DelayFieldTakes(c) : ValueFieldTakes(c);
      if (!takes) return true;
    }
  }
  return SkinDialog::eventFilter(watched, event);
}

void NumberDialog::Correct(const QString& text) {
  const std::string now = text.toStdString();
  const std::string corrected =
      purpose_ == Purpose::kDelay ? CorrectedDelayText(now) : CorrectedValueText(now, kind_);
  if (corrected != now) field()->setText(QString::fromStdString(corrected));
}

void NumberDialog::ConfirmClicked() {
  if (confirmed_) confirmed_(field()->text());
  close();
}

void NumberDialog::ClearClicked() {
  field()->clear();  // the change rule makes it "0" where the kind corrects
}

}  // namespace zelko
