// The button assignment editor as a user works it: a click on a key label
// opens the menu beside it, hovering a category opens its panel, a click on
// an entry assigns; Customise opens the combination-key dialog; Macro lists
// the library; a click elsewhere closes the menu; Apply puts it all in the
// simulated mouse.
#include <QtTest>

#include <QCheckBox>
#include <QListWidget>

#include "image/image_codec.h"
#include "image/image_layout.h"
#include "macros/macro_lines.h"
#include "macros/macro_name_codec.h"
#include "resources/language_pack.h"
#include "shell/button_menu_view.h"
#include "shell/combo_key_dialog.h"
#include "shell/skin_widgets.h"
#include "window_fixture.h"

using namespace zelko;
using zelko::test::ConnectReadAndShow;
using zelko::test::WindowFixture;

namespace {

QPoint CentreIn(QWidget& window, const QWidget* target) { return target->mapTo(&window, target->rect().center()); }

QWidget* Control(MainWindow& w, const char* name) { return w.controls().Find(QLatin1String(name)); }

bool Visible(MainWindow& w, const char* name) {
  const QWidget* control = Control(w, name);
  return control && control->isVisible();
}

// A press and release in the middle of a control, through the window as
// the platform delivers it.
void ClickOn(MainWindow& w, const char* name) {
  QWidget* target = Control(w, name);
  QVERIFY2(target && target->isVisible(), name);
  QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, CentreIn(w, target));
}

// The mouse moved onto a control.
void MoveOnto(MainWindow& w, const char* name) {
  QWidget* target = Control(w, name);
  QVERIFY2(target && target->isVisible(), name);
  QTest::mouseMove(w.windowHandle(), CentreIn(w, target));
}

std::string CodeOf(MainWindow& w, int profile, int button) {
  return ButtonCodeText(w.settings().buttons.Code({profile, button}));
}

bool AnyMenuShown(MainWindow& w) {
  for (const MenuPanel panel : kAllMenuPanels) {
    if (w.menuView().Panel(panel)->isVisible()) return true;
  }
  return false;
}

PCMacroLibrary TwoMacros() {
  PCMacroLibrary library;
  library.names[0] = MacroNameStrToUnicode("Burst");
  library.contents[0] =
      MacroLinesToContent({HeaderLine(DelayMode::kNone), "1 A CODE:8204", "2 A CODE:0204"}, kReleaseContinue);
  library.names[1] = MacroNameStrToUnicode("Hold");
  library.contents[1] = MacroLinesToContent({HeaderLine(DelayMode::kNone), "1 B CODE:8205"}, kReleaseStop);
  return library;
}

}  // namespace

class ButtonEditorTest : public QObject {
  Q_OBJECT
 private slots:
  void aClickOnAKeyLabelOpensTheMenuBesideIt() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectReadAndShow(f);
    MainWindow& w = *f.window;
    QVERIFY(!AnyMenuShown(w));
    for (int n = 1; n <= 9; ++n) {
      const QString key = QStringLiteral("Key%1").arg(n);
      const QWidget* label = w.controls().Find(key);
      w.HideAllMenu();  // an open menu may stand over the next label
      ClickOn(w, key.toLatin1().constData());
      const QWidget* menu = Control(w, "Pnl_Main");
      QVERIFY(menu->isVisible());
      QCOMPARE(w.menuView().model().pick(), (ButtonPick{PickSource::kMainPage, n}));
      const QRect at(label->mapTo(&w, QPoint(0, 0)), label->size());
      // A corner of the menu sits at the label's centre: to the left of it
      // when the label stands in the right part of the window.
      const bool leftwards = at.right() + 1 + menu->width() >= w.skinSize().width();
      QCOMPARE(menu->x(), at.left() + at.width() / 2 - (leftwards ? menu->width() : 0));
      const bool upwards = at.bottom() + 1 + menu->height() >= w.skinSize().height();
      QCOMPARE(menu->y(), at.top() + at.height() / 2 - (upwards ? menu->height() : 0));
    }
    // The shipped pack puts Key2 in the right part: its menu opens leftwards.
    w.HideAllMenu();
    ClickOn(w, "Key2");
    const QWidget* key2 = Control(w, "Key2");
    QVERIFY(Control(w, "Pnl_Main")->geometry().right() < key2->x() + key2->width() / 2);
    // Only the categories show, with their captions and the Macro entry.
    QCOMPARE(w.controls().Caption("Key_Standard"), QString(" * Button"));
    QVERIFY(Visible(w, "Key_Macro"));
    QVERIFY(!Visible(w, "Pnl_MseKey"));
  }

  void anEntryAssignsAndTheCaptionFollows() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectReadAndShow(f);
    MainWindow& w = *f.window;
    ClickOn(w, "Key5");
    MoveOnto(w, "Key_Standard");
    QVERIFY(Visible(w, "Pnl_MseKey"));
    QCOMPARE(w.menuView().model().highlighted(), std::string("Key_Standard"));
    auto* entry = qobject_cast<MenuEntryLabel*>(Control(w, "Key_Standard"));
    QVERIFY(entry && entry->highlighted());
    // The pack's highlighted text colour.
    QCOMPARE(entry->palette().color(QPalette::WindowText), QColor(11, 13, 17));
    QCOMPARE(w.keyCaption(5), QString("Forward"));
    MoveOnto(w, "Key_B4");
    QVERIFY(!entry->highlighted());
    ClickOn(w, "Key_B4");
    QCOMPARE(w.keyCaption(5), QString("Backward"));
    QCOMPARE(CodeOf(w, 1, 5), std::string("010800"));
    QVERIFY(!AnyMenuShown(w));
    QVERIFY(f.messages.shown.empty());
  }

  void theDpiEntriesSitInTheAdvancePanel() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectReadAndShow(f);
    MainWindow& w = *f.window;
    ClickOn(w, "Key4");
    MoveOnto(w, "Key_Special");
    QVERIFY(Visible(w, "Pnl_Special"));
    MoveOnto(w, "Key_CPIKey");
    QVERIFY(Visible(w, "Pnl_CPIKey"));
    ClickOn(w, "Key_CPII");
    QCOMPARE(w.keyCaption(4), QString("DPI +"));
    QCOMPARE(CodeOf(w, 1, 4), std::string("070000"));
  }

  void theRightClickOnTheLastLeftClickIsRefusedInEveryLanguage() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectReadAndShow(f);
    MainWindow& w = *f.window;
    // The simulated mouse holds factory image 1: Left Click on button 1 only.
    QCOMPARE(w.keyCaption(1), QString("Left Click"));
    for (int language = 1; language <= 3; ++language) {
      w.LanguageButtonClick(language);
      ClickOn(w, "Key1");
      MoveOnto(w, "Key_Standard");
      ClickOn(w, "Key_Right");
      const QString leftClick = QString::fromStdString(LangText(language, "Str210"));
      QCOMPARE(w.keyCaption(1), leftClick);
      QCOMPARE(CodeOf(w, 1, 1), std::string("010100"));
      QCOMPARE(f.messages.shown.size(), std::size_t(language));
      QCOMPARE(f.messages.shown.back().text, QString::fromStdString(LangText(language, "Str108")));
      QCOMPARE(f.messages.shown.back().kind, MessageKind::Program);
    }
    QCOMPARE(f.messages.shown[0].text, QString("Left click (Primary button function) must be assigned to a button."));
    QCOMPARE(f.messages.shown[2].text, QString("Please keep a Left Key"));
  }

  // Button 1 becomes Ctrl+A (a combination may replace the last Left Click);
  // then Right Click on button 8 is refused. Its label shows what it still
  // does (DPI -), not "Left Click", so Mute on button 2 is refused too and
  // the labels never show a Left Click the mouse does not have.
  void aRefusalShowsTheButtonsOwnFunctionAndTheRuleFollowsTheCodes() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectReadAndShow(f);
    MainWindow& w = *f.window;
    ClickOn(w, "Key1");
    MoveOnto(w, "Key_Assembly");
    ClickOn(w, "Key_Assembly");
    QPointer<ComboKeyDialog> dialog = w.comboDialog();
    QVERIFY(dialog);
    QTest::mouseClick(dialog->box(ComboModifier::kCtrl), Qt::LeftButton);
    QTest::keyClick(dialog->field(), Qt::Key_A);
    QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
    QTRY_VERIFY(!dialog);
    QCOMPARE(CodeOf(w, 1, 1), std::string("020104"));

    ClickOn(w, "Key8");
    MoveOnto(w, "Key_Standard");
    ClickOn(w, "Key_Right");
    QCOMPARE(w.keyCaption(8), QString("DPI -"));
    QCOMPARE(CodeOf(w, 1, 8), std::string("080000"));
    QCOMPARE(f.messages.shown.size(), std::size_t(1));

    const QString wheel = w.keyCaption(2);
    ClickOn(w, "Key2");
    MoveOnto(w, "Key_Media");
    ClickOn(w, "Key_Mute");
    QCOMPARE(CodeOf(w, 1, 2), std::string("010400"));
    QCOMPARE(w.keyCaption(2), wheel);
    QCOMPARE(f.messages.shown.size(), std::size_t(2));
    for (int n = 1; n <= 9; ++n) QVERIFY(w.keyCaption(n) != QString("Left Click"));
  }

  void customiseWithCtrlAndAStores020104() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectReadAndShow(f);
    MainWindow& w = *f.window;
    ClickOn(w, "Key1");  // the only Left Click: a combination may replace it
    MoveOnto(w, "Key_Assembly");
    ClickOn(w, "Key_Assembly");
    QVERIFY(!AnyMenuShown(w));
    QPointer<ComboKeyDialog> dialog = w.comboDialog();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->title()->text(), QString("Customise a keyboard key"));
    QCOMPARE(dialog->confirmButton()->text(), QString("OK"));
    // Centred across the window, 40 pixels below its middle.
    QCOMPARE(dialog->pos(), QPoint(w.x() + (w.width() - dialog->width()) / 2,
                                   w.y() + (w.height() - dialog->height()) / 2 + 40));

    QTest::mouseClick(dialog->box(ComboModifier::kCtrl), Qt::LeftButton);
    QCOMPARE(dialog->field()->text(), QString("Ctrl"));
    QTest::keyClick(dialog->field(), Qt::Key_A);
    QCOMPARE(dialog->field()->text(), QString("Ctrl+A"));
    // Shift held down adds nothing and takes the key away.
    QTest::keyClick(dialog->field(), Qt::Key_B, Qt::ShiftModifier);
    QCOMPARE(dialog->field()->text(), QString("Ctrl"));
    QTest::keyClick(dialog->field(), Qt::Key_A);
    QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
    QTRY_VERIFY(!dialog);  // closed and gone
    QCOMPARE(w.keyCaption(1), QString("Ctrl+A"));
    QCOMPARE(CodeOf(w, 1, 1), std::string("020104"));
    QVERIFY(f.messages.shown.empty());
  }

  void clearAndCloseLeaveTheButtonAsItWas() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectReadAndShow(f);
    MainWindow& w = *f.window;
    ClickOn(w, "Key3");
    ClickOn(w, "Key_Assembly");
    QPointer<ComboKeyDialog> dialog = w.comboDialog();
    QVERIFY(dialog);
    QTest::mouseClick(dialog->box(ComboModifier::kAlt), Qt::LeftButton);
    QTest::keyClick(dialog->field(), Qt::Key_F5);
    QCOMPARE(dialog->field()->text(), QString("Alt+F5"));
    QTest::mouseClick(dialog->clearButton(), Qt::LeftButton);
    QCOMPARE(dialog->field()->text(), QString());
    QVERIFY(!dialog->box(ComboModifier::kAlt)->isChecked());
    QCOMPARE(w.comboHandOver(), ComboHandOver{});
    QTest::keyClick(dialog->field(), Qt::Key_F5);
    QTest::mouseClick(dialog->closeButton(), Qt::LeftButton);
    QTRY_VERIFY(!dialog);
    QCOMPARE(w.keyCaption(3), QString("Right Click"));
    QCOMPARE(CodeOf(w, 1, 3), std::string("010200"));
  }

  void aMacroOfTheLibraryGoesIntoSlotOne() {
    const PCMacroLibrary library = TwoMacros();
    WindowFixture f(WindowFixture::SimulatedMouse(), &library);
    ConnectReadAndShow(f);
    MainWindow& w = *f.window;
    QListWidget* list = w.menuView().macroList();
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), QString("Burst"));
    ClickOn(w, "Key5");
    MoveOnto(w, "Key_Macro");
    QVERIFY(list->isVisible());
    const QRect row = list->visualItemRect(list->item(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QVERIFY(!list->isVisible());
    QVERIFY(!Visible(w, "Pnl_Main"));
    QCOMPARE(w.keyCaption(5), QString("Burst"));
    QCOMPARE(CodeOf(w, 1, 5), std::string("060121"));
    QCOMPARE(w.deviceSlots().ShownName(1), std::string("Burst"));

    // The macro that stops on release takes slot 2 with type 0E.
    ClickOn(w, "Key4");
    MoveOnto(w, "Key_Macro");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QCOMPARE(w.keyCaption(4), QString("Hold"));
    QCOMPARE(CodeOf(w, 1, 4), std::string("0E0221"));

    // Apply: the slots and the codes are in the mouse.
    w.ActionButtonClick("Apply");
    QVERIFY(f.messages.shown.empty());
    const DataBuf& memory = w.session().simulatedMouse()->memory();
    QCOMPARE(memory[kProfileOffset + 12], std::uint8_t{0x06});
    QCOMPARE(memory[kProfileOffset + 13], std::uint8_t{0x01});
    QCOMPARE(memory[kProfileOffset + 14], std::uint8_t{0x21});
    ParameterRecord record{};
    BaseMacroArea macros{};
    QVERIFY(!UnpackSections(memory, record, macros).AnyRepaired());
    const DeviceMacroSlots read = ReadDeviceSlots(macros);
    QCOMPARE(read.ShownName(1), std::string("Burst"));
    QCOMPARE(read.ShownName(2), std::string("Hold"));
    QVERIFY(read.contents[0] == library.contents[0]);
  }

  void aClickElsewhereClosesTheMenu() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectReadAndShow(f);
    MainWindow& w = *f.window;
    ClickOn(w, "Key6");
    MoveOnto(w, "Key_Media");
    QVERIFY(Visible(w, "Pnl_Media"));
    // The page's background, far from the menu.
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, QPoint(20, w.skinSize().height() - 20));
    QVERIFY(!AnyMenuShown(w));
    // A click on the menu itself keeps it.
    ClickOn(w, "Key6");
    ClickOn(w, "Key_Media");
    QVERIFY(Visible(w, "Pnl_Main"));
    // Another key label moves it there.
    ClickOn(w, "Key1");
    QCOMPARE(w.menuView().model().pick(), (ButtonPick{PickSource::kMainPage, 1}));
    QVERIFY(Visible(w, "Pnl_Main"));
  }

  void profileTwoChoicesReachTheMouseOnApply() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectReadAndShow(f);
    MainWindow& w = *f.window;
    w.PageButtonClick(Page::Second);
    QCOMPARE(w.shownProfile(), 2);
    QCOMPARE(w.keyCaption(5), QString("Forward"));  // as factory image 1 has it
    ClickOn(w, "Key5");
    MoveOnto(w, "Key_Standard");
    ClickOn(w, "Key_B4");
    QCOMPARE(w.keyCaption(5), QString("Backward"));
    QCOMPARE(CodeOf(w, 2, 5), std::string("010800"));
    QCOMPARE(CodeOf(w, 1, 5), std::string("011000"));  // profile 1 keeps its button
    w.ActionButtonClick("Apply");
    QVERIFY(f.messages.shown.empty());
    const DataBuf& memory = w.session().simulatedMouse()->memory();
    // Bytes 39..41 of the Profile section: profile 2, button 5.
    QCOMPARE(memory[kProfileOffset + 39], std::uint8_t{0x01});
    QCOMPARE(memory[kProfileOffset + 40], std::uint8_t{0x08});
    QCOMPARE(memory[kProfileOffset + 41], std::uint8_t{0x00});
    QCOMPARE(memory[kProfileOffset + 12], std::uint8_t{0x01});
    QCOMPARE(memory[kProfileOffset + 13], std::uint8_t{0x10});
    QCOMPARE(memory[0x34], std::uint8_t{0x80});  // key mode B
    ParameterRecord record{};
    BaseMacroArea macros{};
    QVERIFY(!UnpackSections(memory, record, macros).AnyRepaired());
  }

  void aimTakesTheAimValueIndex() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectReadAndShow(f);
    MainWindow& w = *f.window;
    ClickOn(w, "Key9");
    MoveOnto(w, "Key_Special");
    ClickOn(w, "Key_AIMKey");
    QCOMPARE(w.keyCaption(9), QString("AIM"));
    QCOMPARE(CodeOf(w, 1, 9), std::string("0A0000"));
    QVERIFY(w.settings().aim.value_index.has_value());
  }

  void theLongPressOptionsFlipAndReachTheMouse() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectReadAndShow(f);
    MainWindow& w = *f.window;
    const bool middle = w.settings().buttons.middle_long_press;
    const bool cpi = w.settings().buttons.cpi_long_press;
    ClickOn(w, "IB_ComboKey1");
    QCOMPARE(w.settings().buttons.middle_long_press, !middle);
    QCOMPARE(w.controls().Image("Img_ComboKey1")->imageName(), QString(!middle ? "CbS_E" : "CbS_D"));
    ClickOn(w, "IB_ComboKey2");
    QCOMPARE(w.settings().buttons.cpi_long_press, !cpi);
    QCOMPARE(w.controls().Image("Img_ComboKey2")->imageName(), QString(!cpi ? "CbS_E" : "CbS_D"));
    w.ActionButtonClick("Apply");
    const std::uint8_t flags = w.session().simulatedMouse()->memory()[kParameterAOffset + 1];
    QCOMPARE(bool(flags & 0x01), !middle);
    QCOMPARE(bool(flags & 0x02), !cpi);
    // Read back, the images show what the mouse holds.
    w.ActionButtonClick("Read");
    QCOMPARE(w.controls().Image("Img_ComboKey1")->imageName(), QString(!middle ? "CbS_E" : "CbS_D"));
  }
};

QTEST_MAIN(ButtonEditorTest)
#include "button_editor_test.moc"
