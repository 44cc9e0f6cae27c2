#include "shell/profile_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "shell/language_texts.h"

namespace zelko {

QString ProfileDialogFilter(int languageIndex, const QString& filter) {
  // The patterns are the last parenthesised part of the toolkit's filter.
  const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
  const qsizetype close = filter.lastIndexOf(QLatin1Char(')'));
  const QString patterns =
      open >= 0 && close > open ? filter.mid(open + 1, close - open - 1) : QStringLiteral("*.bin");
  return QStringLiteral("%1 (%2)").arg(LanguageTexts(languageIndex).Text(kProfileFileTypeTextId), patterns);
}

QtProfileDialogs::QtProfileDialogs(std::function<int()> languageIndex)
    : language_index_(std::move(languageIndex)) {}

int QtProfileDialogs::language() const { return language_index_ ? language_index_() : 1; }

std::optional<QString> QtProfileDialogs::SaveFileName(QWidget* owner, const QString& filter) {
  const QString name = QFileDialog::getSaveFileName(owner, QString(), QString(), ProfileDialogFilter(language(), filter),
                                                    nullptr, QFileDialog::DontConfirmOverwrite);
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QString> QtProfileDialogs::OpenFileName(QWidget* owner, const QString& filter) {
  const QString name =
      QFileDialog::getOpenFileName(owner, QString(), QString(), ProfileDialogFilter(language(), filter));
  if (name.isEmpty()) return std::nullopt;
  return name;
}

bool QtProfileDialogs::ConfirmReplace(QWidget* owner, const QString& path) {
  const LanguageTexts texts(language());
  const QString text = texts.Text(kReplaceQuestionTextId).arg(QFileInfo(path).fileName());
  return QMessageBox::question(owner, texts.title(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
         QMessageBox::Yes;
}

UnappliedChoice QtProfileDialogs::AskAboutUnappliedEdits(QWidget* owner, const UnappliedQuestion& question) {
  QMessageBox box(QMessageBox::Question, LanguageTexts(language()).title(), question.text, QMessageBox::NoButton,
                  owner);
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
