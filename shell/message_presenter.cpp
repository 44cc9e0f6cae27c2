#include "shell/message_presenter.h"

#include <QMessageBox>

namespace zelko {

void QtMessagePresenter::Show(QWidget* owner, const QString& text, MessageKind kind,
                              const QString& fontName, const QString& title) {
  QMessageBox box(owner);
  box.setIcon(QMessageBox::NoIcon);
  box.setText(text);
  box.setStandardButtons(QMessageBox::Ok);
  // Every box carries the application's title: an empty caption would show
  // the program's file name instead.
  (void)kind;
  box.setWindowTitle(title);
  if (!fontName.isEmpty()) {
    QFont font = box.font();
    font.setFamily(fontName);
    box.setFont(font);
  }
  box.exec();
}

}  // namespace zelko
