// The engineer page as a user reaches and works it: the key chord opens it
// by the Engineer button's rules, the logo's fifth double-click asks for the
// access code, the code unlocks the Engineer tab and the Default button,
// the editors reach the simulated mouse with Apply, and the eighteen
// selectors open the function menu above themselves and assign.
#include <QtTest>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "image/image_layout.h"
#include "pages/engineer_mode.h"
#include "shell/advanced_page.h"
#include "shell/button_menu_view.h"
#include "shell/combo_key_dialog.h"
#include "shell/engineer_page.h"
#include "shell/password_dialog.h"
#include "window_fixture.h"

using namespace zelko;
using zelko::test::ConnectReadAndShow;
using zelko::test::WindowFixture;

namespace {

QWidget* Control(MainWindow& w, const char* name) { return w.controls().Find(QLatin1String(name)); }

template <typename Widget>
Widget* As(MainWindow& w, const char* name) {
  return qobject_cast<Widget*>(Control(w, name));
}

// The chord goes to the active window, as the keyboard's keys do.
void PressChord(MainWindow& w) {
  w.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  QTest::keyClick(&w, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
}

void OpenEngineerPage(WindowFixture& f) {
  ConnectReadAndShow(f);
  PressChord(*f.window);
  QVERIFY(Control(*f.window, "gbPage6")->isVisible());
}

bool EngineerTabShown(MainWindow& w) {
  auto* tabs = As<QTabWidget>(w, "Pg_Parameter");
  const int index = tabs->indexOf(Control(w, "ts_Engineer"));
  return index >= 0 && tabs->isTabVisible(index);
}

// What engineer mode decides, as the user sees it.
struct Unlocked {
  bool engineerTab;
  bool defaultButton;
  bool ledType;
  bool sensor;
  bool operator==(const Unlocked&) const = default;
};
Unlocked Seen(MainWindow& w) {
  return {EngineerTabShown(w), Control(w, "Btn_Default")->isVisible(), Control(w, "gbLEDType")->isEnabled(),
          Control(w, "cb_SensorOri")->isEnabled()};
}
constexpr Unlocked kLocked{false, false, false, false};
constexpr Unlocked kUnlocked{true, true, true, true};

void DoubleClickLogo(MainWindow& w, int times) {
  for (int i = 0; i < times; ++i) QTest::mouseDClick(Control(w, "Img_Logo4"), Qt::LeftButton);
}

// Types a whole new text over an edit's text, as a user selecting it all
// would.
void Retype(QLineEdit* edit, const QString& text) {
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

}  // namespace

class EngineerPageTest : public QObject {
  Q_OBJECT
 private slots:
  void theChordOpensThePageByTheEngineerButtonsRules() {
    {
      WindowFixture f(WindowFixture::NoMouse());
      f.window->DevTimerTimer();
      f.window->show();
      QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
      f.messages.shown.clear();
      PressChord(*f.window);
      QCOMPARE(f.messages.texts(), QStringList{f.window->texts().Text(QStringLiteral("Str020"))});
      QVERIFY(!Control(*f.window, "gbPage6")->isVisible());
    }
    WindowFixture f(WindowFixture::SimulatedMouse());
    OpenEngineerPage(f);
    MainWindow& w = *f.window;
    QCOMPARE(w.size(), QSize(1076, 640));
    QVERIFY(!Control(w, "gbPage1")->isVisible());
    // Outside engineer mode: the Operation tab only, no Default button, the
    // LED type and the orientation shown but locked.
    QCOMPARE(Seen(w), kLocked);
    QVERIFY(Control(w, "cb_SensorOri")->isVisible());
    // The selectors carry the mouse's buttons: factory image 1 has Left
    // Click on button 1 of both modes.
    const QString leftClick = w.texts().Text(QStringLiteral("Str210"));
    QCOMPARE(As<QPushButton>(w, "btn_Key101")->text(), leftClick);
    QCOMPARE(As<QPushButton>(w, "btn_Key201")->text(), leftClick);
    QCOMPARE(As<QPushButton>(w, "btn_Key202")->text(), w.keyCaption(2));
  }

  void theOptionOpensThePageOnceTheMouseHasBeenRead() {
    // The fixture's services, with the option of zelko77 --engineer-page.
    VirtualClock clock;
    FakePointerStore pointerStore;
    test::RecordingPresenter messages;
    QTemporaryDir dataDir;
    WindowServices services;
    services.messages = &messages;
    services.clock = &clock;
    auto session = session::OpenDeviceSession(WindowFixture::SimulatedMouse(), clock);
    QVERIFY(session.ok());
    services.device = std::move(*session);
    services.runPollTimer = false;
    services.pointerStore = &pointerStore;
    services.macroLibraryFile = dataDir.filePath(QStringLiteral("ZELKO77-Macro.bin")).toStdString();
    services.openEngineerPage = true;
    MainWindow w(std::move(services));
    QCoreApplication::processEvents();
    QVERIFY(!Control(w, "gbPage6")->isVisibleTo(&w));  // nothing read yet
    w.DevTimerTimer();
    QTRY_VERIFY(Control(w, "gbPage6")->isVisibleTo(&w));
    QCOMPARE(w.size(), QSize(1076, 640));
    QVERIFY(messages.texts().isEmpty());
  }

  void theFifthDoubleClickAsksForTheCodeWhichUnlocksEngineerMode() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    OpenEngineerPage(f);
    MainWindow& w = *f.window;
    DoubleClickLogo(w, 4);
    QVERIFY(!w.passwordDialog());
    DoubleClickLogo(w, 1);
    PasswordDialog* dialog = w.passwordDialog();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Password"));
    QCOMPARE(dialog->geometry().center(), QRect(w.pos(), w.size()).center());
    QTest::keyClicks(dialog->field(), QStringLiteral("abc"));
    QCOMPARE(dialog->field()->displayText(), QStringLiteral("***"));

    // Cancel: still locked.
    dialog->cancelButton()->click();
    QTRY_VERIFY(!w.passwordDialog());
    QCOMPARE(Seen(w), kLocked);

    // A wrong code costs five more double-clicks.
    DoubleClickLogo(w, 5);
    QVERIFY(w.passwordDialog());
    QTest::keyClicks(w.passwordDialog()->field(), QStringLiteral("tovarikqmbvn"));
    w.passwordDialog()->okButton()->click();
    QCOMPARE(Seen(w), kLocked);
    DoubleClickLogo(w, 4);
    QVERIFY(!w.passwordDialog());

    DoubleClickLogo(w, 1);
    QVERIFY(w.passwordDialog());
    QTest::keyClicks(w.passwordDialog()->field(), QString::fromLatin1(kEngineerAccessCode.data(), 12));
    QTest::keyClick(w.passwordDialog()->field(), Qt::Key_Return);
    QCOMPARE(Seen(w), kUnlocked);

    // One double-click turns it off again.
    DoubleClickLogo(w, 1);
    QVERIFY(!w.passwordDialog());
    QCOMPARE(Seen(w), kLocked);
  }

  void editsReachTheMouseAfterApply() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    OpenEngineerPage(f);
    MainWindow& w = *f.window;
    auto* product = As<QLineEdit>(w, "edt_ProductID");
    Retype(product, QStringLiteral("300"));
    QCOMPARE(product->text(), QStringLiteral("255"));
    product->clear();
    QCOMPARE(product->text(), QStringLiteral("255"));
    As<QComboBox>(w, "cb_CPIStep")->setCurrentIndex(2);  // four levels
    QVERIFY(!Control(w, "cb_CPI5")->isVisible());
    As<QComboBox>(w, "cb_CPI2")->setCurrentIndex(10);  // 6400
    Retype(As<QLineEdit>(w, "edt_CPI1G"), QStringLiteral("77"));
    // The Advanced page shows the new count at once.
    QCOMPARE(w.advancedPage().model().page().working_level_count, 4);

    qobject_cast<QPushButton*>(Control(w, "btn_Write"))->click();
    const DataBuf& memory = w.session().simulatedMouse()->memory();
    QCOMPARE(memory[kParameterAOffset + 0x02], std::uint8_t{4});
    QCOMPARE(memory[kParameterAOffset + 0x07], std::uint8_t{10});
    QCOMPARE(memory[kParameterAOffset + 0x1A + 1], std::uint8_t{77});
    QCOMPARE(memory[kParameterBOffset + 7], std::uint8_t{255});
    QVERIFY(f.messages.texts().isEmpty());
  }

  void identityCodesThatWouldLockTheMouseOutNeedEngineerMode() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    OpenEngineerPage(f);
    MainWindow& w = *f.window;
    const DataBuf before = w.session().simulatedMouse()->memory();
    Retype(As<QLineEdit>(w, "edt_VendorID"), QStringLiteral("42"));
    QCOMPARE(w.settings().options.manufacturer_code, std::uint8_t{42});
    qobject_cast<QPushButton*>(Control(w, "btn_Write"))->click();
    QCOMPARE(f.messages.shown.size(), std::size_t{1});
    QVERIFY(f.messages.texts().front().contains(QStringLiteral("42")));
    QVERIFY(w.session().simulatedMouse()->memory() == before);

    DoubleClickLogo(w, 5);
    QVERIFY(w.passwordDialog());
    w.passwordDialog()->field()->setText(QString::fromLatin1(kEngineerAccessCode.data(), 12));
    w.passwordDialog()->okButton()->click();
    QVERIFY(w.engineerMode().on());
    qobject_cast<QPushButton*>(Control(w, "btn_Write"))->click();
    QCOMPARE(w.session().simulatedMouse()->memory()[kParameterBOffset + 6], std::uint8_t{42});
  }

  void aSelectorOpensTheMenuAboveItAndAssigns() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    OpenEngineerPage(f);
    MainWindow& w = *f.window;
    auto* button = As<QPushButton>(w, "btn_Key105");
    QTest::mouseClick(button, Qt::LeftButton);
    QWidget* menu = Control(w, "Pnl_Main");
    QVERIFY(menu->isVisible());
    QCOMPARE(w.menuView().model().pick(), (ButtonPick{PickSource::kEngineerPage, 105}));
    const MenuPoint expected =
        PlaceMainMenuOnEngineerPage(w.engineerPage().PlaceOf(105), {menu->width(), menu->height()});
    QCOMPARE(menu->pos(), QPoint(expected.left, expected.top));
    // Above the button: the menu's foot reaches into the button's top.
    const QRect at(button->mapTo(&w, QPoint(0, 0)), button->size());
    QVERIFY(menu->geometry().bottom() < at.bottom());
    QVERIFY(menu->geometry().bottom() > at.top() - menu->height() / 2);

    // Button 5 of mode A becomes Right Click.
    w.menuView().Enter(QStringLiteral("Key_Standard"));
    QVERIFY(Control(w, "Pnl_MseKey")->isVisible());
    w.KeyStatusOnClick(QStringLiteral("Key_Right"));
    QCOMPARE(button->text(), w.texts().Text(QStringLiteral("Str211")));
    QVERIFY(!menu->isVisible());

    // The only Left Click of mode B cannot go: refused with the message.
    QTest::mouseClick(As<QPushButton>(w, "btn_Key201"), Qt::LeftButton);
    w.KeyStatusOnClick(QStringLiteral("Key_Right"));
    QCOMPARE(As<QPushButton>(w, "btn_Key201")->text(), w.texts().Text(QStringLiteral("Str210")));
    QCOMPARE(f.messages.texts(), QStringList{w.texts().Text(QStringLiteral("Str108"))});

    qobject_cast<QPushButton*>(Control(w, "btn_Write"))->click();
    const DataBuf& memory = w.session().simulatedMouse()->memory();
    QCOMPARE(memory[kProfileOffset + 12], std::uint8_t{0x01});  // 010200: Right Click
    QCOMPARE(memory[kProfileOffset + 13], std::uint8_t{0x02});
    QCOMPARE(memory[kProfileOffset + 27], std::uint8_t{0x01});  // mode B button 1 kept Left Click
    QCOMPARE(memory[kProfileOffset + 28], std::uint8_t{0x01});
  }

  void aCombinationReplacesTheOnlyLeftClickOfItsGroup() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    OpenEngineerPage(f);
    MainWindow& w = *f.window;
    QTest::mouseClick(As<QPushButton>(w, "btn_Key201"), Qt::LeftButton);
    w.KeyStatusOnClick(QStringLiteral("Key_Assembly"));
    QPointer<ComboKeyDialog> dialog = w.comboDialog();
    QVERIFY(dialog);
    QTest::mouseClick(dialog->box(ComboModifier::kCtrl), Qt::LeftButton);
    QTest::keyClick(dialog->field(), Qt::Key_A);
    QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
    QCOMPARE(As<QPushButton>(w, "btn_Key201")->text(), QStringLiteral("Ctrl+A"));
    QCOMPARE(ButtonCodeText(w.settings().buttons.Code({2, 1})), std::string("020104"));
    // Mode A keeps its Left Click; no message.
    QCOMPARE(ButtonCodeText(w.settings().buttons.Code({1, 1})), std::string("010100"));
    QVERIFY(f.messages.shown.empty());
  }

  void theDefaultButtonWritesTheBuiltInDefaultsAndShowsTheMark() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    OpenEngineerPage(f);
    MainWindow& w = *f.window;
    DoubleClickLogo(w, 5);
    w.passwordDialog()->field()->setText(QString::fromLatin1(kEngineerAccessCode.data(), 12));
    w.passwordDialog()->okButton()->click();
    QVERIFY(!Control(w, "Img_Result")->isVisible());
    qobject_cast<QPushButton*>(Control(w, "Btn_Default"))->click();
    QVERIFY(Control(w, "Img_Result")->isVisible());
    const DataBuf& memory = w.session().simulatedMouse()->memory();
    // The built-in ParameterA begins FF FE 04; its button 6 is 050000.
    QCOMPARE(memory[kParameterAOffset + 2], std::uint8_t{0x04});
    QCOMPARE(memory[kProfileOffset + 15], std::uint8_t{0x05});
    // The page shows them.
    QCOMPARE(As<QComboBox>(w, "cb_CPIStep")->currentText(), QStringLiteral("4"));
  }

  void theNotesLineExplainsTheControlUnderTheMouse() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    OpenEngineerPage(f);
    MainWindow& w = *f.window;
    auto* notes = qobject_cast<QLabel*>(Control(w, "lbl_Content"));
    QVERIFY(notes->text().isEmpty());
    for (const char* name : {"edt_VendorID", "btn_Key203", "cb_CPI4", "btn_TestKeys"}) {
      QWidget* control = Control(w, name);
      QEvent enter(QEvent::Enter);
      QCoreApplication::sendEvent(control, &enter);
      QVERIFY2(!notes->text().isEmpty(), name);
      QEvent leave(QEvent::Leave);
      QCoreApplication::sendEvent(control, &leave);
      QVERIFY2(notes->text().isEmpty(), name);
    }
  }
};

QTEST_MAIN(EngineerPageTest)
#include "engineer_page_test.moc"
