// The macro page as a user works it: New through the name dialog, a
// recording heard by the capture, a delay edited, a repeat start and an X
// move inserted, a macro exported, recording without a capture of the desktop, and the
// engineer page's import of the device slots.
#include <QtTest>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "base/file_reading.h"
#include "image/image_layout.h"
#include "base/atomic_file.h"
#include "macros/macro_lines.h"
#include "macros/macro_name_codec.h"
#include "shell/button_menu_view.h"
#include "shell/macro_page.h"
#include "shell/skin_dialog.h"
#include "shell/skin_widgets.h"
#include "window_fixture.h"

using namespace zelko;
using zelko::test::WindowFixture;

namespace {

constexpr int kVkA = 0x41;

QWidget* Control(MainWindow& w, const char* name) { return w.controls().Find(QLatin1String(name)); }

QPoint CentreIn(QWidget& window, const QWidget* target, QPoint at) { return target->mapTo(&window, at); }

// A click in the middle of a control, through the window as the platform
// delivers it.
void ClickOn(MainWindow& w, const char* name, Qt::MouseButton button = Qt::LeftButton) {
  QWidget* target = Control(w, name);
  QVERIFY2(target && target->isVisible(), name);
  // The pointer comes onto the control first, as a user's does.
  const QPoint at = CentreIn(w, target, target->rect().center());
  QTest::mouseMove(w.windowHandle(), at);
  QTest::mouseClick(w.windowHandle(), button, {}, at);
}

void ClickRow(MainWindow& w, const char* listName, int row, Qt::MouseButton button = Qt::LeftButton) {
  auto* list = qobject_cast<QListWidget*>(Control(w, listName));
  QVERIFY2(list && list->item(row), listName);
  const QPoint at = CentreIn(w, list->viewport(), list->visualItemRect(list->item(row)).center());
  QTest::mouseMove(w.windowHandle(), at);
  QTest::mouseClick(w.windowHandle(), button, {}, at);
}

QStringList Rows(MainWindow& w, const char* listName) {
  QStringList rows;
  auto* list = qobject_cast<QListWidget*>(Control(w, listName));
  for (int i = 0; list && i < list->count(); ++i) rows << list->item(i)->text();
  return rows;
}

void OpenMacroPage(WindowFixture& f) {
  f.window->DevTimerTimer();
  QVERIFY(!f.window->covered());
  f.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
  ClickOn(*f.window, "Btn_Macro_1");
  QVERIFY(Control(*f.window, "LB_PCMacroName")->isVisible());
}

// Types into the dialog opened last and confirms it.
void ConfirmDialog(MainWindow& w, const QString& typed) {
  SkinDialog* dialog = w.macroPage().openDialog();
  QVERIFY(dialog);
  QTest::keyClicks(dialog->field(), typed);
  QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
  QCoreApplication::processEvents();
}

PCMacroLibrary OneMacro(const MacroLines& lines) {
  PCMacroLibrary library;
  library.names[0] = MacroNameStrToUnicode("m");
  library.contents[0] = MacroLinesToContent(lines, kReleaseContinue);
  return library;
}

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& file) {
  return ReadWholeFile(file.string()).value_or(std::vector<std::uint8_t>{});
}

// The first bytes of a stored content.
std::vector<std::uint8_t> Head(const MacroContent& content, std::size_t n) {
  return {content.begin(), content.begin() + static_cast<std::ptrdiff_t>(n)};
}

}  // namespace

class MacroPageTest : public QObject {
  Q_OBJECT
 private slots:
  void newMacroGoesThroughTheNameDialogIntoTheListTheFileAndTheButtonMenu() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    OpenMacroPage(f);
    MainWindow& w = *f.window;
    ClickOn(w, "Btn_New");
    ConfirmDialog(w, QStringLiteral("Burst"));
    QCOMPARE(Rows(w, "LB_PCMacroName"), QStringList{"Burst"});
    QCOMPARE(w.menuView().macroList()->count(), 1);
    QCOMPARE(w.menuView().macroList()->item(0)->text(), QString("Burst"));
    const std::vector<std::uint8_t> file = FileBytes(w.macroLibraryFile());
    QCOMPARE(file.size(), kLibraryFileSize);
    QCOMPARE(std::vector<std::uint8_t>(file.begin(), file.begin() + 4), (std::vector<std::uint8_t>{0x00, 'B', 0x00, 'u'}));

    // The same name again, from the library's own menu.
    ClickRow(w, "LB_PCMacroName", 0, Qt::RightButton);
    QVERIFY(Control(w, "Pnl_PCMacro")->isVisible());
    ClickOn(w, "Btn_NewMacro");
    QVERIFY(!Control(w, "Pnl_PCMacro")->isVisible());
    ConfirmDialog(w, QStringLiteral("Burst"));
    QCOMPARE(f.messages.texts(), QStringList{"This macro already exists"});
    QCOMPARE(Rows(w, "LB_PCMacroName"), QStringList{"Burst"});
    QCOMPARE(FileBytes(w.macroLibraryFile()), file);
  }

  void aRecordingHeardByTheCaptureBecomesRowsAndRecordBytes() {
    const PCMacroLibrary library = OneMacro({HeaderLine(DelayMode::kNone)});
    WindowFixture f(WindowFixture::SimulatedMouse(), &library);
    OpenMacroPage(f);
    MainWindow& w = *f.window;
    QVERIFY(!Control(w, "lbl_CaptureNotice")->isVisible());
    ClickRow(w, "LB_PCMacroName", 0);
    ClickOn(w, "IB_RecDelay");
    ClickOn(w, "Btn_Start");
    QVERIFY(f.inputCapture && f.inputCapture->running());
    QCOMPARE(w.controls().Caption(QStringLiteral("Btn_Start")), QString("Stop"));
    QVERIFY(!Control(w, "LB_PCMacroName")->isEnabled());

    f.inputCapture->Key(kVkA, KeyState::kFirstPress);
    f.clock.Advance(100);
    f.inputCapture->Key(kVkA, KeyState::kRelease);
    QCoreApplication::processEvents();  // the page takes what the capture queued
    QCOMPARE(Rows(w, "LB_macro"), (QStringList{"A", "100 ms", "A"}));

    ClickOn(w, "Btn_Start");
    QVERIFY(!f.inputCapture->running());
    QCOMPARE(w.controls().Caption(QStringLiteral("Btn_Start")), QString("Record"));
    // 100 ms is stored in 8 ms steps: FE 0C.
    const std::vector<std::uint8_t> expected{0x00, 0x07, 0x82, 0x04, 0xFE, 0x0C, 0x02, 0x04, 0xC7, 0x00};
    QCOMPARE(Head(w.macroLibrary().contents[0], expected.size()), expected);
    const std::vector<std::uint8_t> file = FileBytes(w.macroLibraryFile());
    QCOMPARE(std::vector<std::uint8_t>(file.begin() + 32, file.begin() + 32 + 10), expected);
  }

  void aDelayIsEditedThroughItsDialogUpTo2040() {
    const PCMacroLibrary library = OneMacro({HeaderLine(DelayMode::kRecorded), "1 A CODE:8204", "0 96", "2 A CODE:0204"});
    WindowFixture f(WindowFixture::SimulatedMouse(), &library);
    OpenMacroPage(f);
    MainWindow& w = *f.window;
    ClickRow(w, "LB_PCMacroName", 0);
    ClickRow(w, "LB_macro", 1, Qt::RightButton);
    QVERIFY(Control(w, "Pnl_DevContent")->isVisible());
    ClickOn(w, "Btn_Edit");
    SkinDialog* dialog = w.macroPage().openDialog();
    QVERIFY(dialog);
    QTest::keyClicks(dialog->field(), QStringLiteral("3000"));
    QCOMPARE(dialog->field()->text(), QString("2040"));
    QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
    QCOMPARE(Rows(w, "LB_macro"), (QStringList{"A", "2040 ms", "A"}));
    QCOMPARE(Head(w.macroLibrary().contents[0], 8),
             (std::vector<std::uint8_t>{0x00, 0x07, 0x82, 0x04, 0xFE, 0xFF, 0x02, 0x04}));
  }

  void aStartRepeatLeftAtItsCountRepeatsTwiceAndTheCaptionsFit() {
    const PCMacroLibrary library = OneMacro({HeaderLine(DelayMode::kNone), "1 A CODE:8204", "2 A CODE:0204"});
    WindowFixture f(WindowFixture::SimulatedMouse(), &library);
    OpenMacroPage(f);
    MainWindow& w = *f.window;
    ClickRow(w, "LB_PCMacroName", 0);
    ClickRow(w, "LB_macro", 1, Qt::RightButton);
    ClickOn(w, "Btn_Insert");
    w.macroPage().CB_InsertChange(static_cast<int>(InsertChoice::kRepeatStart));
    auto* count = qobject_cast<QLineEdit*>(Control(w, "edt_Repeat"));
    QVERIFY(count->isVisible());
    QCOMPARE(count->text(), QStringLiteral("2"));
    // Emptied, the edit shows the start count again.
    count->setFocus();
    count->selectAll();
    QTest::keyClick(count, Qt::Key_Backspace);
    QCOMPARE(count->text(), QStringLiteral("2"));

    // Every caption of the panel shows whole, left of its edit, in every
    // language.
    for (int language = 1; language <= 3; ++language) {
      w.LanguageButtonClick(language);
      for (const auto& [label, edit] : {std::pair{"lbl_Repeat", "edt_Repeat"}, {"lbl_Delay", "Edt_InsertDelay"},
                                        {"lbl_XAxisValue", "edt_XAxisValue"}, {"lbl_YAxisValue", "edt_YAxisValue"}}) {
        auto* caption = qobject_cast<QLabel*>(Control(w, label));
        QVERIFY(!caption->text().isEmpty());
        QVERIFY2(caption->fontMetrics().horizontalAdvance(caption->text()) <= caption->width(),
                 qPrintable(QStringLiteral("%1 in language %2").arg(caption->text()).arg(language)));
        QVERIFY2(caption->geometry().right() < Control(w, edit)->x(), label);
      }
    }
    w.LanguageButtonClick(1);

    ClickOn(w, "Btn_OK");
    QCOMPARE(Rows(w, "LB_macro"), (QStringList{"A", "Rep-Start  2", "A"}));
    // FD 01: the block runs twice, not 256 times (FD FF).
    QCOMPARE(Head(w.macroLibrary().contents[0], 6),
             (std::vector<std::uint8_t>{0x00, 0x07, 0x82, 0x04, 0xFD, 0x01}));
  }

  void anXMoveIsInsertedThroughThePanel() {
    const PCMacroLibrary library = OneMacro({HeaderLine(DelayMode::kNone), "1 A CODE:8204", "2 A CODE:0204"});
    WindowFixture f(WindowFixture::SimulatedMouse(), &library);
    OpenMacroPage(f);
    MainWindow& w = *f.window;
    ClickRow(w, "LB_PCMacroName", 0);
    ClickRow(w, "LB_macro", 1, Qt::RightButton);
    ClickOn(w, "Btn_Insert");
    QVERIFY(Control(w, "CB_Insert")->isVisible());
    QVERIFY(!Control(w, "IB_RecDelay")->isVisible());
    QVERIFY(!Control(w, "Btn_Start")->isEnabled());

    // The panel stays as it was while another page is shown.
    ClickOn(w, "Btn_Main_4");
    ClickOn(w, "Btn_Macro_1");
    QVERIFY(Control(w, "CB_Insert")->isVisible());

    auto* choice = qobject_cast<QComboBox*>(Control(w, "CB_Insert"));
    choice->setFocus();
    for (int i = 0; i < 6; ++i) QTest::keyClick(choice, Qt::Key_Down);
    QCOMPARE(choice->currentIndex(), 6);  // "Insert X axis Front"
    QVERIFY(Control(w, "edt_XAxisValue")->isVisible());
    QVERIFY(!Control(w, "Edt_InsertDelay")->isVisible());
    auto* x = qobject_cast<QLineEdit*>(Control(w, "edt_XAxisValue"));
    x->clear();
    QTest::keyClicks(x, QStringLiteral("-200"));
    QCOMPARE(x->text(), QString("-128"));
    x->clear();
    QTest::keyClicks(x, QStringLiteral("-5"));
    ClickOn(w, "Btn_OK");
    QVERIFY(!Control(w, "CB_Insert")->isVisible());
    QVERIFY(Control(w, "Btn_Start")->isEnabled());
    QCOMPARE(Rows(w, "LB_macro"), (QStringList{"A", "X-Axis  -5", "A"}));
    QCOMPARE(qobject_cast<QListWidget*>(Control(w, "LB_macro"))->currentRow(), 1);
    QCOMPARE(Head(w.macroLibrary().contents[0], 7),
             (std::vector<std::uint8_t>{0x00, 0x07, 0x82, 0x04, 0xFB, 0xFB, 0x02}));
  }

  void exportOneWritesTheRecordAndImportingItBackIsADuplicate() {
    const PCMacroLibrary library = OneMacro({HeaderLine(DelayMode::kNone), "1 A CODE:8204", "2 A CODE:0204"});
    WindowFixture f(WindowFixture::SimulatedMouse(), &library);
    OpenMacroPage(f);
    MainWindow& w = *f.window;
    QTemporaryDir out;
    const QString typed = out.filePath(QStringLiteral("macros"));
    w.macroPage().SetFileChoosers([&] { return typed + ".bin"; }, [&] { return typed; },
                                  [](const QString&) { return true; });
    ClickRow(w, "LB_PCMacroName", 0, Qt::RightButton);
    ClickOn(w, "Btn_ExportOne");
    const std::vector<std::uint8_t> file = FileBytes((typed + ".bin").toStdString());
    QCOMPARE(file.size(), kMacroRecordSize);
    const MacroRecordBytes record = ExportOneMacro(w.macroLibrary(), 0);
    QVERIFY(std::equal(file.begin(), file.end(), record.begin()));

    // Typing macros.bin writes macros.bin.bin: the dialog asked about the
    // typed name, so the other file, which exists, is asked about too.
    const QString twice = typed + ".bin.bin";
    const std::vector<std::uint8_t> kept{1, 2, 3};
    QVERIFY(WriteFileAtomically(twice.toStdString(), kept).empty());
    QStringList asked;
    w.macroPage().SetFileChoosers([&] { return typed + ".bin"; }, [&] { return typed + ".bin"; },
                                  [&](const QString& path) { return asked << path, false; });
    ClickRow(w, "LB_PCMacroName", 0, Qt::RightButton);
    ClickOn(w, "Btn_Export");
    QCOMPARE(asked, QStringList{twice});
    QCOMPARE(FileBytes(twice.toStdString()), kept);

    ClickRow(w, "LB_PCMacroName", 0, Qt::RightButton);
    ClickOn(w, "Btn_ImportOne");
    QCOMPARE(f.messages.texts(), QStringList{"This macro already exists"});
    QCOMPARE(Rows(w, "LB_PCMacroName"), QStringList{"m"});
  }

  void withoutADesktopCaptureTheWindowsOwnKeysAndButtonsAreRecorded() {
    const PCMacroLibrary library = OneMacro({HeaderLine(DelayMode::kNone)});
    WindowFixture f(WindowFixture::SimulatedMouse(), &library, WindowFixture::Capture::kWindowOnly);
    OpenMacroPage(f);
    MainWindow& w = *f.window;
    QVERIFY(Control(w, "lbl_CaptureNotice")->isVisible());
    QCOMPARE(w.controls().Caption(QStringLiteral("lbl_CaptureNotice")),
             QString("Recording hears only the keys and mouse buttons pressed in this window"));
    ClickRow(w, "LB_PCMacroName", 0);
    ClickOn(w, "IB_NoDelay");
    ClickOn(w, "Btn_Start");
    QTest::keyPress(w.windowHandle(), Qt::Key_A);
    QTest::keyPress(w.windowHandle(), Qt::Key_A, Qt::NoModifier);  // held: a repeat
    QTest::keyRelease(w.windowHandle(), Qt::Key_A);
    ClickOn(w, "LB_macro", Qt::RightButton);
    QVERIFY(!Control(w, "Pnl_DevContent")->isVisible());  // no menu while recording
    ClickOn(w, "Btn_Start");
    QCOMPARE(Rows(w, "LB_macro"), (QStringList{"A", "A", "RightKey", "RightKey"}));
    QCOMPARE(Head(w.macroLibrary().contents[0], 8),
             (std::vector<std::uint8_t>{0x00, 0x07, 0x82, 0x04, 0x02, 0x04, 0xA2, 0x22}));

    // Switching the language takes the line along.
    w.LanguageButtonClick(2);
    QCOMPARE(w.controls().Caption(QStringLiteral("lbl_CaptureNotice")),
             QString::fromUtf8("仅记录在本窗口中按下的按键和鼠标按键"));
  }

  void anInsertRecordingWaitsForOkAndCancelDropsIt() {
    const PCMacroLibrary library = OneMacro({HeaderLine(DelayMode::kNone), "1 A CODE:8204", "2 A CODE:0204"});
    WindowFixture f(WindowFixture::SimulatedMouse(), &library);
    OpenMacroPage(f);
    MainWindow& w = *f.window;
    ClickRow(w, "LB_PCMacroName", 0);
    for (const bool confirm : {false, true}) {
      ClickRow(w, "LB_macro", 0, Qt::RightButton);
      ClickOn(w, "Btn_Insert");
      auto* choice = qobject_cast<QComboBox*>(Control(w, "CB_Insert"));
      choice->setCurrentIndex(3);  // "Insert Key Back"
      emit choice->activated(3);
      ClickOn(w, "IB_InsertNoDelay");
      ClickOn(w, "Btn_InsertStart");
      QVERIFY(f.inputCapture->running());
      QVERIFY(!Control(w, "Btn_OK")->isEnabled());
      f.inputCapture->Button(MacroMouseButton::kMiddle, true);
      f.inputCapture->Button(MacroMouseButton::kMiddle, false);
      QCoreApplication::processEvents();
      ClickOn(w, "Btn_InsertStart");
      QVERIFY(!f.inputCapture->running());
      QCOMPARE(Rows(w, "LB_macro"), (QStringList{"A", "MiddleKey", "MiddleKey", "A"}));
      QVERIFY(Head(w.macroLibrary().contents[0], 2)[1] == 0x05);  // nothing stored yet
      ClickOn(w, confirm ? "Btn_OK" : "Btn_Cancel");
      QVERIFY(!Control(w, "CB_Insert")->isVisible());
      if (!confirm) QCOMPARE(Rows(w, "LB_macro"), (QStringList{"A", "A"}));
    }
    QCOMPARE(Rows(w, "LB_macro"), (QStringList{"A", "MiddleKey", "MiddleKey", "A"}));
    QCOMPARE(Head(w.macroLibrary().contents[0], 6),
             (std::vector<std::uint8_t>{0x00, 0x07, 0x82, 0x04, 0xA4, 0x24}));
  }

  void aFullMacroEndsTheRecordingAndTheCapture() {
    const PCMacroLibrary library = OneMacro({HeaderLine(DelayMode::kNone)});
    WindowFixture f(WindowFixture::SimulatedMouse(), &library);
    OpenMacroPage(f);
    MainWindow& w = *f.window;
    ClickRow(w, "LB_PCMacroName", 0);
    ClickOn(w, "IB_NoDelay");
    ClickOn(w, "Btn_Start");
    // 216 one-byte button lines, a key press, two more: 220 bytes; the key's
    // release then finds the macro full and ends the recording unrecorded.
    for (int i = 0; i < 216; ++i) f.inputCapture->Button(MacroMouseButton::kRight, false);
    f.inputCapture->Key(kVkA, KeyState::kFirstPress);
    f.inputCapture->Button(MacroMouseButton::kRight, false);
    f.inputCapture->Button(MacroMouseButton::kRight, false);
    f.inputCapture->Key(kVkA, KeyState::kRelease);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();  // the page's own end of the recording
    QVERIFY(!f.inputCapture->running());
    QCOMPARE(w.controls().Caption(QStringLiteral("Btn_Start")), QString("Record"));
    QVERIFY(Control(w, "LB_PCMacroName")->isEnabled());
    QCOMPARE(Rows(w, "LB_macro").size(), 219);
    QCOMPARE(w.macroLibrary().contents[0][1], std::uint8_t{221});  // 220 event bytes + 1
  }

  void importBaseMacroLoadsTheSlotsAndWritesThemToTheMouse() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    OpenMacroPage(f);
    MainWindow& w = *f.window;
    // Slot 1 "Burst" with a press and release of A; slot 2 with a wrong checksum.
    std::vector<std::uint8_t> slotFile(kMacroAreaSize, 0);
    const MacroContent good = MacroLinesToContent({"00", "1 A CODE:8204", "2 A CODE:0204"}, kReleaseContinue);
    const MacroName burst = MacroNameStrToUnicode("Burst");
    const MacroName bad = MacroNameStrToUnicode("Bad");
    std::copy(burst.begin(), burst.end(), slotFile.begin());
    std::copy(good.begin(), good.end(), slotFile.begin() + kMacroNameSize);
    std::copy(bad.begin(), bad.end(), slotFile.begin() + kMacroRecordSize);
    std::copy(good.begin(), good.end(), slotFile.begin() + kMacroRecordSize + kMacroNameSize);
    slotFile[kMacroRecordSize + kMacroNameSize + 6] ^= 0xFF;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("slotFile.bin"));
    QVERIFY(WriteFileAtomically(path.toStdString(), slotFile).empty());
    w.macroPage().SetFileChoosers([&] { return path; }, [] { return QString(); }, [](const QString&) { return true; });

    w.ImportBaseMacro();
    QCOMPARE(QString::fromStdString(w.deviceSlots().ShownName(1)), QString("Burst"));
    QCOMPARE(QString::fromStdString(w.deviceSlots().ShownName(2)), QString("Bad"));
    QVERIFY(std::all_of(w.deviceSlots().contents[1].begin(), w.deviceSlots().contents[1].end(),
                        [](std::uint8_t b) { return b == 0; }));
    const DataBuf& memory = f.window->session().simulatedMouse()->memory();
    QVERIFY(std::equal(slotFile.begin(), slotFile.begin() + kMacroRecordSize, memory.begin() + kMacroAreaOffset));
    QVERIFY(f.messages.shown.empty());
  }
};

QTEST_MAIN(MacroPageTest)
#include "macro_page_test.moc"
