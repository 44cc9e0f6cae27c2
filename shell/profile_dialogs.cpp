#include "shell/profile_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

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

}  // namespace zelko
