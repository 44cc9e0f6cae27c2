// The Advanced and Light pages clicked as a user does, on the simulated
// mouse: what Apply writes, what Read brings back, the colour chooser, the
// AIM refusal, the fire edits, the OS pointer bars and the language switch.
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include "image/image_codec.h"
#include "settings/dpi_tables.h"
#include "shell/advanced_page.h"
#include "shell/colour_chooser_window.h"
#include "shell/light_page.h"
#include "shell/skin_widgets.h"
#include "window_fixture.h"

using namespace zelko;
using zelko::test::WindowFixture;

namespace {

void ConnectAndRead(WindowFixture& f) {
  f.window->DevTimerTimer();
  QVERIFY(f.window->session().IsOpen());
  QVERIFY(!f.window->covered());
}

QWidget* Control(MainWindow& w, const QString& name) {
  QWidget* control = w.controls().Find(name);
  if (!control) qFatal("no control %s", qPrintable(name));
  return control;
}
// A left click in the control's middle: labels act on release, pictures on press.
void Click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center()); }
void Click(MainWindow& w, const QString& name) { Click(Control(w, name)); }
QString ImageOf(MainWindow& w, const QString& name) { return w.controls().Image(name)->imageName(); }

// The mouse's memory holds every section with a valid checksum.
bool NothingRepaired(const DataBuf& memory) {
  ParameterRecord record{};
  BaseMacroArea macros{};
  return !UnpackSections(memory, record, macros).AnyRepaired();
}

// The simulated mouse starts with a normal LED instead of the factory's MCU LED.
void GiveTheMouseANormalLed(WindowFixture& f) {
  auto* mouse = f.window->session().simulatedMouse();
  Workspace image;
  image.data_buf = mouse->memory();
  (void)image.UnpackImage();
  image.record.ParameterA.FeatureFlags |= 1u << feature_flags::kNormalLedBit;
  image.PackImage();
  mouse->memory() = image.data_buf;
}

// Typing over the whole text (emptying it first would run the empty-text rule).
void Type(QLineEdit* edit, const QString& text) {
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

}  // namespace

class AdvancedLightTest : public QObject {
  Q_OBJECT
 private slots:
  void levelsAndLightingClickedThenAppliedReachTheMouseAndReadBringsThemBack() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    MainWindow& w = *f.window;
    w.ShowPageUnchecked(Page::Advanced);
    QCOMPARE(w.controls().Caption("lbl_DPI2Value"), QString("1600"));
    QCOMPARE(ImageOf(w, "Img_DPI2"), QString("CbS_E"));

    Click(w, "lbl_DPI7");  // the last level goes: six, the sixth current
    Click(w, "lbl_DPI6");  // five
    Click(w, "lbl_DPI3");  // not the last: nothing
    QVERIFY(!Control(w, "Img_DPI6_1")->isEnabled());
    Click(w, "Img_DPI2_11");
    QCOMPARE(w.controls().Caption("lbl_DPI2Value"), QString("6400"));
    QCOMPARE(ImageOf(w, "Img_DPI2_11"), QString("Bar2_E"));
    QCOMPARE(ImageOf(w, "Img_DPI2_5"), QString("Bar2_D"));
    Click(w, "Img_DPI1");
    Click(w, "Img_DPI6");  // inactive: refused
    QCOMPARE(ImageOf(w, "Img_DPI1"), QString("CbS_E"));
    QCOMPARE(ImageOf(w, "Img_DPI6"), QString("CbS_D"));
    // The factory LED is the MCU strip: the system colour dialog.
    w.advancedPage().SetColourPicker([](const QColor&) { return QColor(10, 20, 30); });
    Click(w, "lbl_DPI1Col");
    QCOMPARE(Control(w, "cs_DPI1Col")->palette().color(QPalette::Window), QColor(10, 20, 30));

    w.ShowPageUnchecked(Page::Light);
    Click(w, "lbl_MCULEDMode2");
    Click(w, "lbl_LEDOff");
    Click(w, "Img_MCULEDNum_1");
    w.lightPage().SetColourPicker([](const QColor&) { return QColor(7, 8, 9); });
    Click(w, "IB_Mode2Color");
    QCOMPARE(ImageOf(w, "Img_MCULEDMode2"), QString("RdS_E"));
    QCOMPARE(ImageOf(w, "Img_LEDOff"), QString("RdS_E"));

    w.ActionButtonClick("Apply");
    QVERIFY(f.messages.shown.empty());
    const DataBuf& memory = w.session().simulatedMouse()->memory();
    QVERIFY(NothingRepaired(memory));
    QCOMPARE(memory[0x02], std::uint8_t{5});
    QCOMPARE(memory[0x07], std::uint8_t{10});
    QCOMPARE(memory[0x1A], std::uint8_t{10});
    QCOMPARE(memory[0x1B], std::uint8_t{20});
    QCOMPARE(memory[0x1C], std::uint8_t{30});
    QCOMPARE(memory[0x30], std::uint8_t{0});
    QCOMPARE(memory[0x31], std::uint8_t{255});
    QCOMPARE(memory[0x32] & 0x07, 2);     // mode 2
    QCOMPARE(memory[0x32] & 0x08, 0x08);  // LED off
    QCOMPARE(memory[0x03] >> 4, 13 - 4);  // four LEDs
    QCOMPARE(memory[0x17], std::uint8_t{7});  // key mode B's colour
    QCOMPARE(memory[0x19], std::uint8_t{9});

    // Edits after the write are undone by reading the mouse again.
    w.ShowPageUnchecked(Page::Advanced);
    Click(w, "lbl_DPI6");
    Click(w, "Img_DPI2_1");
    w.ShowPageUnchecked(Page::Light);
    Click(w, "lbl_LEDOn");
    w.ActionButtonClick("Read");
    QCOMPARE(w.controls().Caption("lbl_DPI2Value"), QString("6400"));
    QVERIFY(!Control(w, "Img_DPI6_1")->isEnabled());
    QCOMPARE(ImageOf(w, "Img_DPI1"), QString("CbS_E"));
    QCOMPARE(ImageOf(w, "Img_LEDOff"), QString("RdS_E"));
    QCOMPARE(ImageOf(w, "Img_MCULEDNum_1"), QString("Bar1_E"));
  }

  void normalLedChooserAppliesOnlyOnConfirm() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    GiveTheMouseANormalLed(f);
    ConnectAndRead(f);
    MainWindow& w = *f.window;
    w.ShowPageUnchecked(Page::Advanced);
    const int before = w.settings().dpi.levels[2].palette_index;

    Click(w, "lbl_DPI3Col");
    ColourChooserWindow* chooser = w.advancedPage().chooser();
    QVERIFY(chooser);
    Click(chooser->controls().Find("lbl_DPI4Col"));
    QCOMPARE(chooser->controls().Image("Img_DPI4ColSel")->imageName(), QString("CbS_E"));
    Click(chooser->controls().Find("IB_Cancel"));
    QCOMPARE(chooser->controls().Image("Img_DPI4ColSel")->imageName(), QString("CbS_D"));
    Click(chooser->controls().Find("IB_Confirm"));
    QCOMPARE(w.settings().dpi.levels[2].palette_index, before);

    Click(w, "lbl_DPI3Col");
    chooser = w.advancedPage().chooser();
    QVERIFY(chooser);
    Click(chooser->controls().Find("lbl_DPI2Col"));  // green
    Click(chooser->controls().Find("IB_Close"));
    QCOMPARE(w.settings().dpi.levels[2].palette_index, before);

    Click(w, "lbl_DPI3Col");
    chooser = w.advancedPage().chooser();
    Click(chooser->controls().Find("lbl_DPI2Col"));
    Click(chooser->controls().Find("IB_Confirm"));
    QCOMPARE(Control(w, "cs_DPI3Col")->palette().color(QPalette::Window), QColor(0, 255, 0));

    // The normal LED hides the MCU strip's controls on the Light page.
    QVERIFY(Control(w, "Img_MCULEDMode1")->isHidden());
    QVERIFY(Control(w, "Img_MCULEDStep_1")->isHidden());
    QVERIFY(Control(w, "Img_LCPIOn")->isHidden());
    QVERIFY(!Control(w, "Img_LEDOn")->isHidden());
    QVERIFY(!Control(w, "Img_MCULED6Control")->isHidden());

    w.ActionButtonClick("Apply");
    const DataBuf& memory = w.session().simulatedMouse()->memory();
    QVERIFY(NothingRepaired(memory));
    QCOMPARE(memory[0x0D + 2], std::uint8_t{1});
    QCOMPARE(memory[0x04], std::uint8_t{0xFF});
  }

  void aimBarIsRefusedWithoutAnAimButtonAndFireEditsAreClamped() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    MainWindow& w = *f.window;
    w.ShowPageUnchecked(Page::Advanced);
    Click(w, "Img_AIMKey_5");
    QCOMPARE(f.messages.texts(), QStringList{"Please select a AIM Key in Profile!"});
    QCOMPARE(w.controls().Caption("lbl_AIMKeyValue"), QString("500"));
    QCOMPARE(ImageOf(w, "Img_AIMKey_1"), QString("Bar2_E"));

    w.settings().buttons.Code({1, 4}) = {0x0A, 0x00, 0x00};
    Click(w, "Img_AIMKey_5");
    QCOMPARE(f.messages.shown.size(), std::size_t{1});
    QCOMPARE(w.controls().Caption("lbl_AIMKeyValue"), QString("1600"));

    auto* repeat = qobject_cast<QLineEdit*>(Control(w, "Edt_Repeat1"));
    auto* delay = qobject_cast<QLineEdit*>(Control(w, "Edt_DelayTime1"));
    Type(repeat, "1x");  // letters are not taken
    QCOMPARE(repeat->text(), QString("1"));
    QTest::keyClick(repeat, Qt::Key_Return);
    QCOMPARE(repeat->text(), QString("2"));
    Type(delay, "300");
    QCOMPARE(delay->text(), QString("255"));

    w.ActionButtonClick("Apply");
    const DataBuf& memory = w.session().simulatedMouse()->memory();
    QVERIFY(NothingRepaired(memory));
    QCOMPARE(memory[0x4A], std::uint8_t{4});  // profile 1, button 4: AIM at 1600
    QCOMPARE(memory[0xF2], std::uint8_t{1});
    QCOMPARE(memory[0xF8], std::uint8_t{255});
  }

  // Apply clicked while the repeat count still has the focus: the edit's
  // leave rule runs first (1 becomes 2, the least count), and what the edit
  // shows is what the mouse gets.
  void applyClickedWhileAnEditHasTheFocusWritesWhatTheEditShows() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    test::ConnectReadAndShow(f);
    MainWindow& w = *f.window;
    w.ShowPageUnchecked(Page::Advanced);
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto* repeat = qobject_cast<QLineEdit*>(Control(w, "Edt_Repeat1"));
    repeat->setFocus();
    QVERIFY(repeat->hasFocus());
    Type(repeat, "1");
    QCOMPARE(repeat->text(), QString("1"));
    QWidget* apply = nullptr;
    for (int copy = 1; copy <= 4 && !apply; ++copy) {
      QWidget* candidate = Control(w, QStringLiteral("Btn_Apply_%1").arg(copy));
      if (candidate->isVisible()) apply = candidate;
    }
    QVERIFY(apply);
    Click(apply);
    QCOMPARE(repeat->text(), QString("2"));
    QCOMPARE(w.session().simulatedMouse()->memory()[0xF2], std::uint8_t{1});  // two shots
  }

  void pointerBarsWriteAndApplyOnEachChange() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    MainWindow& w = *f.window;
    w.ShowPageUnchecked(Page::Advanced);
    f.pointerStore.ClearCalls();
    Click(w, "Img_Spd3");
    QCOMPARE(f.pointerStore.Value(PointerKey::Mouse, kMouseSensitivityValue), std::optional<std::string>("4"));
    QVERIFY(!f.pointerStore.calls().empty());
    QCOMPARE(ImageOf(w, "Img_Spd3"), QString("Bar1_E"));
    Click(w, "Img_DbSpd4");
    QCOMPARE(f.pointerStore.Value(PointerKey::Mouse, kDoubleClickSpeedValue), std::optional<std::string>("690"));
    Click(w, "lbl_IsScreen");
    QCOMPARE(f.pointerStore.Value(PointerKey::Desktop, kWheelScrollLinesValue), std::optional<std::string>("-1"));
    QCOMPARE(ImageOf(w, "Img_IsScreen"), QString("CbS_E"));
    QVERIFY(!Control(w, "Img_ScrSpd1")->isEnabled());
    Click(w, "lbl_IsScreen");
    QVERIFY(Control(w, "Img_ScrSpd1")->isEnabled());
    QCOMPARE(f.pointerStore.Value(PointerKey::Desktop, kWheelScrollLinesValue),
             std::optional<std::string>(std::to_string(w.pointerParameters().scroll_level)));
    QVERIFY(w.advancedPage().lastPointerReport().all_stored());
    QVERIFY(w.controls().Caption("lbl_PointerOutcome").startsWith("Desktop took: speed"));
    // The line follows the language, as every text of the page does.
    w.LanguageButtonClick(2);
    QVERIFY2(w.controls().Caption("lbl_PointerOutcome").startsWith(QString::fromUtf8("桌面已应用: 指针速度")),
             qPrintable(w.controls().Caption("lbl_PointerOutcome")));
  }

  void countListSetsTheLevelCountAndFollowsARead() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    MainWindow& w = *f.window;
    auto* count = qobject_cast<QComboBox*>(Control(w, "cbb_DPICount"));
    QCOMPARE(count->currentText(), QString("7"));
    count->setCurrentIndex(1);  // three levels, the third current
    QCOMPARE(w.settings().dpi.count, 3);
    QCOMPARE(w.settings().dpi.current, 2);
    QVERIFY(!Control(w, "Img_DPI4_1")->isEnabled());
    w.ActionButtonClick("Read");
    QCOMPARE(count->currentText(), QString("7"));
    QVERIFY(Control(w, "Img_DPI4_1")->isEnabled());
  }

  void languageSwitchReCaptionsAndPlacesTheLevels() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    MainWindow& w = *f.window;
    QCOMPARE(w.controls().Caption("lbl_AIMKey"), QString("AIM"));
    QVERIFY(Control(w, "lbl_DPI7")->x() >= 8000);
    w.LanguageButtonClick(3);
    QCOMPARE(w.controls().Caption("lbl_AIMKey"), QString("AIM Key"));
    QVERIFY(Control(w, "lbl_DPI7")->x() < w.skinSize().width());
    QCOMPARE(w.controls().Caption("lbl_DPI2Value"), QString("1600"));
  }
};

QTEST_MAIN(AdvancedLightTest)
#include "advanced_light_test.moc"
