#include "shell/profile_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace zelko {

std::optional<QString> QtProfileDialogs::SaveFileName(QWidget* owner, const QString& filter) {
  const QString name =
      QFileDialog::getSaveFileName(owner, QString(), QString(), filter, nullptr, QFileDialog::DontConfirmOverwrite);
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QString> QtProfileDialogs::OpenFileName(QWidget* owner, const QString& filter) {
  const QString name = QFileDialog::getOpenFileName(owner, QString(), QString(), filter);
  if (name.isEmpty()) return std::nullopt;
  return name;
}

bool QtProfileDialogs::ConfirmReplace(QWidget* owner, const QString& path) {
  const QString text = QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName());
  return QMessageBox::question(owner, QString(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
         QMessageBox::Yes;
}

UnappliedChoice QtProfileDialogs::AskAboutUnappliedEdits(QWidget* owner, const UnappliedQuestion& question) {
  QMessageBox box(QMessageBox::Question, QString(), question.text, QMessageBox::NoButton, owner);
  QAbstractButton* apply = box.addButton(question.apply, QMessageBox::AcceptRole);
  QAbstractButton* asItIs = box.addButton(question.saveAsIs, QMessageBox::DestructiveRole);
  QAbstractButton* cancel = box.addButton(question.cancel, QMessageBox::RejectRole);
  box.setDefaultButton(qobject_cast<QPushButton*>(apply));
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == apply) return UnappliedChoice::kApplyAndSave;
  if (box.clickedButton() == asItIs) return UnappliedChoice::kSaveMouseAsItIs;
  return UnappliedChoice::kCancel;
}

}  // namespace zelko
