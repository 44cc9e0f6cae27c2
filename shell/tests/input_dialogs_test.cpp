// The small input dialogs as the user types into them: what the field
// takes and shows, and what Confirm hands on.
#include <QtTest>

#include "resources/layout_pack.h"
#include "shell/input_dialogs.h"
#include "shell/language_texts.h"

using namespace zelko;

namespace {

struct Owner {
  QWidget window;
  LanguageTexts texts{1};
  std::optional<LayoutPack> pack = LoadLayoutPack("org1");
  DialogSetup Setup() {
    DialogSetup setup;
    setup.layout = [this](const std::string& key) { return pack ? pack->Int(key) : std::nullopt; };
    setup.texts = &texts;
    setup.owner = QRect(100, 100, 900, 660);
    return setup;
  }
};

}  // namespace

class InputDialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void theMacroNameTakesSixteenCharacters() {
    Owner owner;
    QString confirmed;
    QPointer<MacroNameDialog> dialog =
        new MacroNameDialog(&owner.window, owner.Setup(), [&confirmed](const QString& name) { confirmed = name; });
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->title()->text(), QString("Macro Name"));
    QCOMPARE(dialog->confirmButton()->text(), QString("OK"));
    QCOMPARE(dialog->pos(), QPoint(100 + (900 - dialog->width()) / 2, 100 + (660 - dialog->height()) / 2));
    QTest::keyClicks(dialog->field(), "ABCDEFGHIJKLMNOPQ");
    QCOMPARE(dialog->field()->text(), QString("ABCDEFGHIJKLMNOP"));
    QTest::mouseClick(dialog->clearButton(), Qt::LeftButton);
    QCOMPARE(dialog->field()->text(), QString());
    QTest::keyClicks(dialog->field(), "Combo");
    QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
    QCOMPARE(confirmed, QString("Combo"));
    QTRY_VERIFY(!dialog);
  }

  void oneKeyGivesTheNameAndTheEventText() {
    Owner owner;
    OneKey confirmed;
    QPointer<OneKeyDialog> dialog = new OneKeyDialog(&owner.window, owner.Setup(), EditLineKind::kKeyRelease,
                                                     [&confirmed](const OneKey& key) { confirmed = key; });
    QTest::keyClick(dialog->field(), Qt::Key_A);
    QTest::keyClick(dialog->field(), Qt::Key_Return);
    QCOMPARE(dialog->field()->text(), QString("Enter"));
    QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
    QCOMPARE(confirmed, (OneKey{"Enter", "Enter CODE:0228"}));
    QTRY_VERIFY(!dialog);
  }

  void theDelayIsKeptWithinItsRange() {
    Owner owner;
    QString confirmed;
    QPointer<NumberDialog> dialog =
        new NumberDialog(&owner.window, owner.Setup(), NumberDialog::Purpose::kDelay, EditLineKind::kKeyPress,
                         [&confirmed](const QString& text) { confirmed = text; });
    QCOMPARE(dialog->title()->text(), QString("Input Delay Time"));
    QTest::keyClicks(dialog->field(), "3a0-00");
    QCOMPARE(dialog->field()->text(), QString("2040"));
    QTest::mouseClick(dialog->clearButton(), Qt::LeftButton);
    QCOMPARE(dialog->field()->text(), QString("0"));
    QTest::mouseClick(dialog->closeButton(), Qt::LeftButton);
    QTRY_VERIFY(!dialog);
    QCOMPARE(confirmed, QString());  // Close hands nothing on
  }

  void theValueFollowsItsLineKind() {
    struct Case {
      EditLineKind kind;
      const char* typed;
      const char* shown;
    };
    const Case cases[] = {
        {EditLineKind::kMoveX, "-200", "-128"}, {EditLineKind::kMoveY, "200", "127"},
        {EditLineKind::kMoveX, "-", "-"},       {EditLineKind::kRepeat, "300", "255"},
    };
    for (const Case& c : cases) {
      Owner owner;
      QString confirmed;
      QPointer<NumberDialog> dialog =
          new NumberDialog(&owner.window, owner.Setup(), NumberDialog::Purpose::kValue, c.kind,
                           [&confirmed](const QString& text) { confirmed = text; });
      QTest::keyClicks(dialog->field(), c.typed);
      QCOMPARE(dialog->field()->text(), QString(c.shown));
      QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
      QCOMPARE(confirmed, QString(c.shown));
      QTRY_VERIFY(!dialog);
    }
  }
};

QTEST_MAIN(InputDialogsTest)
#include "input_dialogs_test.moc"
