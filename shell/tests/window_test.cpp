// The main window on the simulated mouse and without one: start-up, pages
// and their lock, the write buttons, the language switch.
#include <QtTest>

#include "image/image_codec.h"
#include "shell/hover_controller.h"
#include "shell/progress_window.h"
#include "shell/single_instance.h"
#include "shell/skin_widgets.h"
#include "window_fixture.h"

using namespace zelko;
using zelko::test::WindowFixture;

namespace {

QString ImageOf(MainWindow& window, const QString& control) {
  auto* image = window.controls().Image(control);
  return image ? image->imageName() : QStringLiteral("<none>");
}

bool Shown(MainWindow& window, const char* container) {
  auto* page = window.controls().Find(QLatin1String(container));
  return page && page->isVisibleTo(&window);
}

// Reads the simulated mouse the way the first poll does.
void ConnectAndRead(WindowFixture& f) {
  f.window->DevTimerTimer();
  QVERIFY(f.window->session().IsOpen());
  QVERIFY(!f.window->covered());
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT
 private slots:
  void startsCoveredWithTheFirstFactoryImageAndAsksForTheMouse() {
    WindowFixture f(WindowFixture::NoMouse());
    MainWindow& w = *f.window;
    QCOMPARE(w.windowTitle(), QString("ZELKO77 Gaming Mouse v1.0"));
    QVERIFY(w.covered());
    QVERIFY(w.navigation().locked());
    QVERIFY(Shown(w, "gbPage1"));
    QCOMPARE(w.keyCaption(1), QString("Left Click"));
    QCOMPARE(w.keyCaption(4), QString("Backward"));
    QVERIFY(f.messages.shown.empty());

    w.DevTimerTimer();  // the first search finds nothing
    QCOMPARE(f.messages.texts(), QStringList{"Please connect your Gaming Mouse\r\r"});
    QVERIFY(w.covered());
    QVERIFY(!w.session().IsOpen());
  }

  void readsTheSimulatedMouseAndUncovers() {
    // The mouse holds other buttons than the factory image: Key1 right
    // click, Key8 left click, Key5 the macro of slot 1, named "Burst".
    WindowFixture f(WindowFixture::SimulatedMouse());
    auto* mouse = f.window->session().simulatedMouse();
    Workspace image;
    image.data_buf = mouse->memory();
    (void)image.UnpackImage();
    image.record.Profile.ModeA[0] = {0x01, 0x02, 0x00};
    image.record.Profile.ModeA[7] = {0x01, 0x01, 0x00};
    image.record.Profile.ModeA[4] = {0x06, 0x01, 0x21};
    std::fill(image.base_macro_area.begin(), image.base_macro_area.begin() + 256, 0);
    const char name[] = "Burst";
    for (std::size_t i = 0; i + 1 < sizeof name; ++i) image.base_macro_area[2 * i + 1] = static_cast<std::uint8_t>(name[i]);
    image.PackImage();
    mouse->memory() = image.data_buf;

    ConnectAndRead(f);
    MainWindow& w = *f.window;
    QVERIFY(!w.navigation().locked());
    QCOMPARE(w.keyCaption(1), QString("Right Click"));
    QCOMPARE(w.keyCaption(8), QString("Left Click"));
    QCOMPARE(w.keyCaption(5), QString("Burst"));
    QVERIFY(f.messages.shown.empty());
    QVERIFY(!w.progressWindow().isVisible());
  }

  void unpluggingTheMouseReturnsToTheCoveredFactoryImage() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    MainWindow& w = *f.window;
    w.PageButtonClick(Page::Macro);
    w.session().simulatedMouse()->Unplug();
    w.DevTimerTimer();
    QCOMPARE(f.messages.texts(), QStringList{"Please connect your Gaming Mouse\r\r"});
    QVERIFY(w.covered());
    QVERIFY(w.navigation().locked());
    QVERIFY(Shown(w, "gbPage1") && !Shown(w, "gbPage4"));
    QCOMPARE(ImageOf(w, "Img_Main_2"), QString("SetS_03"));
    QCOMPARE(ImageOf(w, "Img_Macro_2"), QString("SetS_01"));
    QCOMPARE(w.keyCaption(1), QString("Left Click"));
    w.hover().Enter("Btn_Web_1");  // no mouse: the web button keeps its look
    QCOMPARE(ImageOf(w, "Img_Web_1"), QString("WebS_01"));
  }

  void pageButtonsNeedTheMouse() {
    WindowFixture f(WindowFixture::NoMouse());
    f.window->PageButtonClick(Page::Advanced);
    QCOMPARE(f.messages.shown.size(), std::size_t{1});
    QCOMPARE(f.messages.shown[0].text, QString("Finding the device"));
    QCOMPARE(f.messages.shown[0].kind, MessageKind::Standard);
    QVERIFY(Shown(*f.window, "gbPage1"));
  }

  void aForeignMouseKeepsTheWindowLocked() {
    sim::SimFaults faults;
    faults.identity = std::array<std::uint8_t, 2>{0x12, 0x34};
    WindowFixture f(WindowFixture::SimulatedMouse(faults));
    f.window->DevTimerTimer();
    QCOMPARE(f.messages.texts(), QStringList{"The mouse manufacturer or product id error"});
    QVERIFY(f.window->session().IsOpen());
    QVERIFY(f.window->covered());
    f.window->PageButtonClick(Page::Light);  // locked: nothing at all
    QCOMPARE(f.messages.shown.size(), std::size_t{1});
    QVERIFY(Shown(*f.window, "gbPage1"));
  }

  void switchesPages() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    MainWindow& w = *f.window;
    const QSize skin = w.skinSize();

    w.PageButtonClick(Page::Light);
    QVERIFY(Shown(w, "gbPage3") && !Shown(w, "gbPage1"));
    for (int copy = 1; copy <= 4; ++copy) {
      QCOMPARE(ImageOf(w, QStringLiteral("Img_Breath_%1").arg(copy)), QString("SetS_03"));
      QCOMPARE(ImageOf(w, QStringLiteral("Img_Main_%1").arg(copy)), QString("SetS_01"));
    }
    QCOMPARE(ImageOf(w, "Img_P3"), QString("L1_Back3"));

    w.PageButtonClick(Page::Second);
    QVERIFY(Shown(w, "gbPage1"));
    QCOMPARE(w.navigation().checked(), Page::Second);
    QVERIFY(w.settings().buttons.key_mode == KeyMode::kB);

    w.PageButtonClick(Page::Engineer);
    QCOMPARE(w.size(), QSize(1076, 640));
    w.PageButtonClick(Page::Macro);
    QCOMPARE(w.size(), skin);
    QVERIFY(f.messages.shown.empty());
  }

  void hoveringATabWhileAnotherPageIsActive() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    MainWindow& w = *f.window;
    w.PageButtonClick(Page::Light);
    w.hover().Enter("Btn_Adv_3");
    QCOMPARE(ImageOf(w, "Img_Adv_3"), QString("SetS_02"));
    QCOMPARE(ImageOf(w, "Img_Adv_1"), QString("SetS_01"));
    QVERIFY(w.hover().timerActive());
    w.hover().Leave("Btn_Adv_3");
    QCOMPARE(ImageOf(w, "Img_Adv_3"), QString("SetS_01"));
    for (int copy = 1; copy <= 4; ++copy) {
      QCOMPARE(ImageOf(w, QStringLiteral("Img_Breath_%1").arg(copy)), QString("SetS_03"));
    }
    QVERIFY(!w.hover().timerActive());
    QCOMPARE(w.controls().Caption("Btn_Adv_3"), QString("Advanced"));
  }

  void languageSwitchTranslatesTheButtonLabels() {
    WindowFixture f(WindowFixture::NoMouse());
    MainWindow& w = *f.window;
    w.controls().SetCaption("Key9", "Ctrl+A");
    w.LanguageButtonClick(3);
    QCOMPARE(w.languageIndex(), 3);
    QCOMPARE(w.keyCaption(1), QString("Left Key"));
    QCOMPARE(w.keyCaption(4), QString("WWW Back"));  // the last id with that text wins
    QCOMPARE(w.keyCaption(9), QString("Ctrl+A"));
    QCOMPARE(w.controls().Caption("Btn_Main_2"), QString("Mode A"));
    QCOMPARE(w.applicationTitle(), w.texts().title());
    for (int copy = 1; copy <= 4; ++copy) {
      QCOMPARE(ImageOf(w, QStringLiteral("Img_Lang3_%1").arg(copy)), QString("SetS_03"));
      QCOMPARE(ImageOf(w, QStringLiteral("Img_Lang1_%1").arg(copy)), QString("SetS_01"));
      QCOMPARE(ImageOf(w, QStringLiteral("Img_Base_%1").arg(copy)), QString("L3_BackGround"));
    }
    // Still locked without a mouse: the main page stays.
    QVERIFY(Shown(w, "gbPage1"));
  }

  void leavingTheLanguageButtonRestoresItsNewCaption() {
    WindowFixture f(WindowFixture::NoMouse());
    MainWindow& w = *f.window;
    w.hover().Enter("Btn_Lang2_1");
    w.LanguageButtonClick(2);
    w.hover().Leave("Btn_Lang2_1");
    QCOMPARE(w.controls().Caption("Btn_Lang2_1"), w.texts().Text("Str012"));
  }

  void applyWritesAndVerifies() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    MainWindow& w = *f.window;
    auto* mouse = w.session().simulatedMouse();
    const auto before = mouse->memory();
    // Button 2 of profile 1 becomes Forward.
    w.settings().buttons.Code({1, 2}) = {0x01, 0x10, 0x00};
    w.ActionButtonClick("Apply");
    for (int copy = 1; copy <= 4; ++copy) {
      QCOMPARE(ImageOf(w, QStringLiteral("Img_Apply_%1").arg(copy)), QString("BtnS_03"));
    }
    QVERIFY(mouse->memory() != before);
    QCOMPARE(mouse->memory()[0x43], std::uint8_t{0x01});
    QCOMPARE(mouse->memory()[0x44], std::uint8_t{0x10});
    QVERIFY(mouse->memory() == w.session().workspace().data_buf);
    QVERIFY(f.messages.shown.empty());
    QVERIFY(!w.covered());
    QVERIFY(f.clock.NowMs() >= 110);  // the pressed look was given its pause
  }

  void profileTwoThenApplyKeepsKeyModeBInTheMouse() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    MainWindow& w = *f.window;
    auto* mouse = w.session().simulatedMouse();
    w.PageButtonClick(Page::Second);
    w.ActionButtonClick("Apply");
    QVERIFY(f.messages.shown.empty());
    // The key mode reaches the mouse as a valid pair, with every checksum.
    QCOMPARE(mouse->memory()[0x34], std::uint8_t{0x80});
    QCOMPARE(mouse->memory()[0x35], std::uint8_t{0x7F});
    ParameterRecord record{};
    BaseMacroArea macros{};
    QVERIFY(!UnpackSections(mouse->memory(), record, macros).AnyRepaired());

    // The OS pointer settings were written and applied on the way.
    QVERIFY(f.pointerStore.calls().size() >= 4);
    QVERIFY(f.pointerStore.Value(PointerKey::Mouse, kMouseSensitivityValue).has_value());

    w.ActionButtonClick("Read");
    QCOMPARE(w.navigation().checked(), Page::Second);
    QVERIFY(w.settings().buttons.key_mode == KeyMode::kB);
    QCOMPARE(ImageOf(w, "Img_Second_2"), QString("SetS_03"));
  }

  void applyThatDoesNotVerifyShowsFail() {
    sim::SimFaults faults;
    faults.dropped_writes[0x44] = sim::kNeverKeeps;
    WindowFixture f(WindowFixture::SimulatedMouse(faults));
    ConnectAndRead(f);
    f.window->settings().buttons.Code({1, 2}) = {0x01, 0x10, 0x00};
    f.window->show();
    f.window->ActionButtonClick("Confirm");
    QCOMPARE(f.messages.texts(), QStringList{"Fail"});
    QVERIFY(f.window->isVisible());  // the edits are not dropped by closing
  }

  void aWriteWhoseEndGoesUnansweredSaysFailAndStaysOpen() {
    sim::SimFaults faults;
    faults.refused_commands = {8, 2};  // the closing pair
    WindowFixture f(WindowFixture::SimulatedMouse(faults));
    ConnectAndRead(f);
    f.window->settings().buttons.Code({1, 2}) = {0x01, 0x10, 0x00};
    f.window->show();
    f.window->ActionButtonClick("Confirm");
    QCOMPARE(f.messages.texts(), QStringList{"Fail"});
    QVERIFY(f.window->isVisible());
  }

  void confirmWithoutAMouseStaysOpen() {
    WindowFixture f(WindowFixture::NoMouse());
    f.window->show();
    f.window->ActionButtonClick("Confirm");
    QCOMPARE(f.messages.texts(), QStringList{"Finding the device"});
    QVERIFY(f.window->isVisible());
  }

  void confirmWritesAndCloses() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    f.window->show();
    f.window->ActionButtonClick("Confirm");
    QVERIFY(f.messages.shown.empty());
    QVERIFY(!f.window->isVisible());
    QVERIFY(!f.window->session().IsOpen());
  }

  void theCoverTakesClicksButCloseStaysReachable() {
    WindowFixture f(WindowFixture::NoMouse());
    MainWindow& w = *f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto clickOn = [&w](const char* control) {
      const QWidget* target = w.controls().Find(QLatin1String(control));
      QVERIFY(target && target->isVisible());
      const QPoint centre = target->mapTo(&w, target->rect().center());
      QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, centre);
    };
    clickOn("Btn_Lang3_1");  // under the cover: the click goes nowhere
    QCOMPARE(w.languageIndex(), 1);
    QVERIFY(f.messages.shown.empty());
    clickOn("Btn_Exit_1");
    QTRY_VERIFY(!w.isVisible());
  }

  void clicksReachTheButtonsOnceUncovered() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    MainWindow& w = *f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QWidget* tab = w.controls().Find("Btn_Adv_1");
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, tab->mapTo(&w, tab->rect().center()));
    QVERIFY(Shown(w, "gbPage2"));
    QCOMPARE(w.navigation().checked(), Page::Advanced);
  }

  void draggedFromTheBackground() {
    WindowFixture f(WindowFixture::NoMouse());
    MainWindow& w = *f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QPoint start = w.pos();
    // A point of the background (under the cover while no mouse is ready).
    const QPoint grip(w.width() / 2, 8);
    QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, grip);
    QTest::mouseMove(w.windowHandle(), grip + QPoint(40, 25));
    QTRY_COMPARE(w.pos(), start + QPoint(40, 25));
    // The window followed, so the pointer is over the grip again.
    QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, grip);
    QCOMPARE(w.pos(), start + QPoint(40, 25));
  }

  void minimiseIsPostedAndASecondStartRestores() {
    WindowFixture f(WindowFixture::NoMouse());
    MainWindow& w = *f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.MinimiseClick();
    QVERIFY(!w.isMinimized());  // posted: the click handler ends first
    QTRY_VERIFY(w.isMinimized());
    BringForward(&w);
    QTRY_VERIFY(!w.isMinimized());
    QVERIFY(w.isVisible());
  }

  void closingDuringATransferWaitsForItsEnd() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    MainWindow& w = *f.window;
    w.show();
    w.uiPort().ShowProgress(10, 342);  // a write is under way
    w.ExitClick();
    QVERIFY(w.isVisible());
    QVERIFY(w.session().IsOpen());
    w.uiPort().HideProgress();
    QTRY_VERIFY(!w.isVisible());
    QVERIFY(!w.session().IsOpen());
  }

  void startsCentredOnTheScreen() {
    WindowFixture f(WindowFixture::NoMouse());
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const QSize skin = f.window->skinSize();
    QCOMPARE(f.window->pos(), QPoint((screen.width() - skin.width()) / 2, (screen.height() - skin.height()) / 2));
    QCOMPARE(f.window->size(), skin);
  }

  void simulatedMemoryFileKeepsWhatWasWritten() {
    QTemporaryDir dir;
    const std::string file = dir.filePath("mouse.bin").toStdString();
    session::DeviceRequest request;
    request.simulate = true;
    request.simulate_file = file;
    {
      auto setup = session::ReadDeviceRequest(request);  // the file does not exist yet
      QVERIFY(setup.ok());
      QVERIFY(!setup->memory);
      WindowFixture f(std::move(*setup));
      ConnectAndRead(f);
      f.window->settings().buttons.Code({1, 2}) = {0x01, 0x10, 0x00};
      f.window->ActionButtonClick("Apply");
      f.window->close();  // the memory goes to its file
    }
    QVERIFY(QFile::exists(QString::fromStdString(file)));
    auto setup = session::ReadDeviceRequest(request);
    QVERIFY2(setup.ok(), setup.error().c_str());
    WindowFixture again(std::move(*setup));
    QCOMPARE(again.window->session().simulatedMouse()->memory()[0x44], std::uint8_t{0x10});
  }

  void webButtonOpensTheShippedAddress() {
    WindowFixture f(WindowFixture::NoMouse());
    f.window->WebButtonClick();
    for (int copy = 1; copy <= 4; ++copy) {
      QCOMPARE(ImageOf(*f.window, QStringLiteral("Img_Web_%1").arg(copy)), QString("WebS_02"));
    }
    QVERIFY(f.window->general().webEnabled());
    QCOMPARE(f.opened, QStringList{f.window->general().web});
  }

  void layoutPackShowsAndPlacesTheActionButtons() {
    WindowFixture f(WindowFixture::NoMouse());
    MainWindow& w = *f.window;
    for (int copy = 1; copy <= 4; ++copy) {
      const QString n = QString::number(copy);
      QVERIFY(w.controls().Find("Img_Confirm_" + n)->isHidden());
      QVERIFY(w.controls().Find("Btn_Confirm_" + n)->isHidden());
      const QWidget* reset = w.controls().Find("Img_Confirm1_" + n);
      QVERIFY(!reset->isHidden());
      QCOMPARE(reset->pos(), QPoint(120, 600));
      QCOMPARE(w.controls().Find("Btn_Confirm1_" + n)->geometry(), reset->geometry());
    }
    w.LanguageButtonClick(3);  // the third pack offers Confirm
    QVERIFY(!w.controls().Find("Img_Confirm_1")->isHidden());
    w.LanguageButtonClick(1);
    QVERIFY(w.controls().Find("Img_Confirm_1")->isHidden());
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
