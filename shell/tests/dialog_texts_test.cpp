// The window's own questions and message boxes: their texts come from the
// current language pack, and every box carries the one application title.
#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "shell/message_presenter.h"
#include "shell/profile_dialogs.h"

using namespace zelko;

namespace {

struct SeenBox {
  QString title;
  QString text;
};

// Runs `open` (which shows a modal box), answers the box with `answer` and
// returns what it showed.
SeenBox AnswerNextBox(const std::function<void()>& open, QMessageBox::StandardButton answer) {
  SeenBox seen;
  QTimer::singleShot(0, [&seen, answer] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    seen = {box->windowTitle(), box->text()};
    box->button(answer)->click();
  });
  open();
  return seen;
}

}  // namespace

class DialogTextsTest : public QObject {
  Q_OBJECT
 private slots:
  void replaceQuestionIsInTheCurrentLanguageUnderTheApplicationTitle() {
    struct Case {
      int language;
      QString title;
      QString text;
    };
    const Case cases[] = {
        {1, "ZELKO77 USB Gaming Mouse", "profile.bin already exists. Do you want to replace it?"},
        {2, QString::fromUtf8("ZELKO77游戏鼠标驱动"), QString::fromUtf8("profile.bin 已存在。要替换它吗？")},
    };
    for (const Case& c : cases) {
      QtProfileDialogs dialogs([&c] { return c.language; });
      bool replace = true;
      const SeenBox seen =
          AnswerNextBox([&] { replace = dialogs.ConfirmReplace(nullptr, "/home/u/profile.bin"); }, QMessageBox::No);
      QCOMPARE(seen.title, c.title);
      QCOMPARE(seen.text, c.text);
      QVERIFY(!replace);
    }
  }

  void profileFilterNamesTheFileTypeInThePacksWords() {
    QCOMPARE(ProfileDialogFilter(1, "SaveFile(*.bin) (*.bin)"), QString("Profile files (*.bin)"));
    QCOMPARE(ProfileDialogFilter(2, "LoadFile(*.bin) (*.bin)"), QString::fromUtf8("配置文件 (*.bin)"));
  }

  void everyMessageBoxKindCarriesTheApplicationTitle() {
    QtMessagePresenter presenter;
    for (const MessageKind kind : {MessageKind::Standard, MessageKind::Program}) {
      const SeenBox seen = AnswerNextBox(
          [&] { presenter.Show(nullptr, "Fail", kind, QString(), "ZELKO77 USB Gaming Mouse"); }, QMessageBox::Ok);
      QCOMPARE(seen.title, QString("ZELKO77 USB Gaming Mouse"));
      QCOMPARE(seen.text, QString("Fail"));
    }
  }
};

QTEST_MAIN(DialogTextsTest)
#include "dialog_texts_test.moc"
