// Save Profile and Load Profile in the window on the simulated mouse, the
// file dialogs answered by the test.
#include <QAbstractButton>
#include <QFileInfo>
#include <QtTest>

#include <cstddef>
#include <fstream>
#include <vector>

#include "base/file_reading.h"
#include "image/image_codec.h"
#include "image/image_layout.h"
#include "image/parameter_record.h"
#include "shell/progress_window.h"
#include "shell/skin_widgets.h"
#include "window_fixture.h"

using namespace zelko;
using zelko::test::WindowFixture;

namespace {

using Bytes = std::vector<std::uint8_t>;

void ConnectAndRead(WindowFixture& f) {
  f.window->DevTimerTimer();
  QVERIFY(f.window->session().IsOpen());
  QVERIFY(!f.window->covered());
}

Bytes FileBytes(const QString& path) {
  const auto bytes = ReadWholeFile(path.toStdString());
  return bytes ? *bytes : Bytes{};
}

Bytes Of(const DataBuf& image) { return Bytes(image.begin(), image.end()); }

void WriteFile(const QString& path, const Bytes& bytes) {
  std::ofstream out(path.toStdString(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

sim::DeviceMemory& MouseMemory(WindowFixture& f) { return f.window->session().simulatedMouse()->memory(); }

}  // namespace

class ProfileFilesTest : public QObject {
  Q_OBJECT
 private slots:
  void saveReadsTheMouseAgainAndAppendsBin_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("abc") << "abc" << "abc.bin";
    QTest::newRow("abc.bin") << "abc.bin" << "abc.bin.bin";
  }
  void saveReadsTheMouseAgainAndAppendsBin() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    // Changed in the mouse after the window read it: the file has it.
    MouseMemory(f)[0x002] = 0x03;
    f.dialogs.saveName = f.dataDir.filePath(chosen);
    f.window->Btn_Save_0Click();
    QCOMPARE(f.dialogs.filters, QStringList{"SaveFile(*.bin) (*.bin)"});
    QVERIFY(f.messages.shown.empty());
    QCOMPARE(FileBytes(f.dataDir.filePath(written)), Of(MouseMemory(f)));
    QVERIFY(f.dialogs.replaceAsked.isEmpty());
  }

  void saveAsksBeforeReplacingTheFileItWrites() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    const QString target = f.dataDir.filePath("kept.bin");
    WriteFile(target, Bytes{1, 2, 3});
    f.dialogs.saveName = f.dataDir.filePath("kept");
    f.dialogs.replace = false;
    f.window->Btn_Save_0Click();
    QCOMPARE(f.dialogs.replaceAsked, QStringList{target});
    QCOMPARE(FileBytes(target), (Bytes{1, 2, 3}));
    f.dialogs.replace = true;
    f.window->Btn_Save_0Click();
    QCOMPARE(FileBytes(target), Of(MouseMemory(f)));
  }

  // A fire count changed on a page and not applied: Save asks first. Cancel
  // saves nothing and keeps the edit; "as it is" saves the mouse and the
  // re-read drops the edit; "apply" writes it, then saves it.
  void saveWithUnappliedEditsAsksFirst_data() {
    QTest::addColumn<int>("choice");
    QTest::newRow("cancel") << int(UnappliedChoice::kCancel);
    QTest::newRow("saveAsItIs") << int(UnappliedChoice::kSaveMouseAsItIs);
    QTest::newRow("applyAndSave") << int(UnappliedChoice::kApplyAndSave);
  }
  void saveWithUnappliedEditsAsksFirst() {
    QFETCH(int, choice);
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    const int before = f.window->settings().fire.repeat_count;
    const int edited = before == 5 ? 6 : 5;
    f.window->settings().fire.repeat_count = edited;
    f.dialogs.saveName = f.dataDir.filePath("edits");
    f.dialogs.unapplied = UnappliedChoice(choice);
    f.window->Btn_Save_0Click();
    QCOMPARE(f.dialogs.unappliedAsked.size(), 1);
    QVERIFY(f.dialogs.unappliedAsked.front().startsWith("The window holds changes"));
    const QString file = f.dataDir.filePath("edits.bin");
    switch (UnappliedChoice(choice)) {
      case UnappliedChoice::kCancel:
        QVERIFY(!QFileInfo::exists(file));
        QCOMPARE(f.window->settings().fire.repeat_count, edited);
        break;
      case UnappliedChoice::kSaveMouseAsItIs:
        QCOMPARE(FileBytes(file), Of(MouseMemory(f)));
        QCOMPARE(f.window->settings().fire.repeat_count, before);
        break;
      case UnappliedChoice::kApplyAndSave:
        QCOMPARE(FileBytes(file), Of(MouseMemory(f)));
        QCOMPARE(f.window->settings().fire.repeat_count, edited);
        QCOMPARE(int(MouseMemory(f)[kFireKeyOffset + offsetof(FireKeySection, FireRepeatCount)]) + 1, edited);
        break;
    }
    if (UnappliedChoice(choice) == UnappliedChoice::kCancel) return;
    // Without edits nothing is asked.
    f.dialogs.unappliedAsked.clear();
    f.window->Btn_Save_0Click();
    QVERIFY(f.dialogs.unappliedAsked.isEmpty());
  }

  void saveOfAMouseNowRefusedKeepsTheImageAsItWas() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    const DataBuf before = f.window->session().workspace().data_buf;
    MouseMemory(f)[kManufacturerCodeAddress] = 0x12;
    MouseMemory(f)[kProductCodeAddress] = 0x34;
    f.dialogs.saveName = f.dataDir.filePath("abc");
    f.window->Btn_Save_0Click();
    QCOMPARE(f.messages.texts(), QStringList{"The mouse manufacturer or product id error"});
    QCOMPARE(FileBytes(f.dataDir.filePath("abc.bin")), Of(before));
  }

  void cancelledDialogsDoNothing() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    const sim::DeviceMemory memory = MouseMemory(f);
    f.window->Btn_Save_0Click();
    f.window->Btn_Load_0Click();
    QCOMPARE(f.dialogs.filters, (QStringList{"SaveFile(*.bin) (*.bin)", "LoadFile(*.bin) (*.bin)"}));
    QVERIFY(f.messages.shown.empty());
    QVERIFY(QDir(f.dataDir.path()).entryList({"*.bin.*", "abc*"}).isEmpty());
    QVERIFY(MouseMemory(f) == memory);
  }

  void everyCopyOfTheButtonsRunsTheHandlers() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    for (int copy = 1; copy <= 4; ++copy) {
      emit f.window->controls().Label(QStringLiteral("Btn_Save_%1").arg(copy))->clicked();
      emit f.window->controls().Label(QStringLiteral("Btn_Load_%1").arg(copy))->clicked();
    }
    for (const char* button : {"Btn_Save_6", "Btn_Load_6"}) {
      auto* engineer = qobject_cast<QAbstractButton*>(f.window->controls().Find(button));
      QVERIFY(engineer);
      engineer->click();
    }
    QCOMPARE(f.dialogs.filters.size(), 10);
    QCOMPARE(f.dialogs.filters.count("SaveFile(*.bin) (*.bin)"), 5);
  }

  void withoutAMouseBothAskForIt() {
    WindowFixture f(WindowFixture::NoMouse());
    f.dialogs.saveName = f.dataDir.filePath("abc");
    f.window->Btn_Save_0Click();
    f.window->Btn_Load_0Click();
    QCOMPARE(f.messages.texts(), (QStringList{"Finding the device", "Finding the device"}));
    QVERIFY(f.dialogs.filters.isEmpty());
    for (const char* picture : {"Img_Save_2", "Img_Load_2"}) {
      QCOMPARE(f.window->controls().Image(picture)->imageName(), QString("SetS_03"));
    }
  }

  void loadRefusesWhatIsNoProfileOrWouldLockTheMouse_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("signature");
    QTest::addColumn<int>("manufacturer");
    QTest::addColumn<QString>("message");
    QTest::newRow("signature 0x98") << 2048 << 0x98 << 0xFF << "ZELKO77Data.bin file type error";
    QTest::newRow("ends before 0x07F") << 0x7F << 0x99 << 0xFF << "ZELKO77Data.bin file type error";
    QTest::newRow("foreign identity") << 2048 << 0x99 << 0x12
                                      << "The profile was not loaded: its manufacturer and product codes (18, 255 "
                                         "at 0x036, 0x037) are not a pair this program accepts: after writing it, "
                                         "the mouse could no longer be read or reset.";
  }
  void loadRefusesWhatIsNoProfileOrWouldLockTheMouse() {
    QFETCH(int, size);
    QFETCH(int, signature);
    QFETCH(int, manufacturer);
    QFETCH(QString, message);
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    const sim::DeviceMemory memory = MouseMemory(f);
    const DataBuf shown = f.window->session().workspace().data_buf;
    Bytes file(Of(memory));
    file[kImageSignatureOffset] = static_cast<std::uint8_t>(signature);
    file[kManufacturerCodeAddress] = static_cast<std::uint8_t>(manufacturer);
    file.resize(static_cast<std::size_t>(size));
    WriteFile(f.dataDir.filePath("in.bin"), file);
    f.dialogs.openName = f.dataDir.filePath("in.bin");
    f.window->Btn_Load_0Click();
    QCOMPARE(f.messages.texts(), QStringList{message});
    QCOMPARE(f.messages.shown[0].kind, MessageKind::Standard);
    QVERIFY(MouseMemory(f) == memory);
    QVERIFY(f.window->session().workspace().data_buf == shown);
  }

  void loadShowsAndWritesTheFile() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    Workspace profile;
    profile.data_buf = MouseMemory(f);
    (void)profile.UnpackImage();
    profile.record.Profile.ModeA[0] = {0x01, 0x02, 0x00};
    profile.PackImage();
    // A file longer than an image: only its first 2048 bytes count.
    Bytes file = Of(profile.data_buf);
    file.resize(3000, 0x55);
    WriteFile(f.dataDir.filePath("right.bin"), file);
    f.dialogs.openName = f.dataDir.filePath("right.bin");
    f.window->Btn_Load_0Click();
    QVERIFY(f.messages.shown.empty());
    QCOMPARE(f.window->keyCaption(1), QString("Right Click"));
    QCOMPARE(Of(MouseMemory(f)), Of(profile.data_buf));
    QVERIFY(!f.window->covered());
    QVERIFY(!f.window->progressWindow().isVisible());
  }

  void loadOfADamagedProfileWritesTheBuiltInCodes() {
    WindowFixture f(WindowFixture::SimulatedMouse());
    ConnectAndRead(f);
    Bytes file = Of(MouseMemory(f));
    constexpr std::size_t kProfileChecksum = kProfileOffset + kProfileSize - 1;
    file[kProfileChecksum] ^= 0xFF;
    WriteFile(f.dataDir.filePath("damaged.bin"), file);
    // What the window shows and writes: the file with the section repaired.
    Workspace expected;
    std::copy(file.begin(), file.end(), expected.data_buf.begin());
    const UnpackReport repairs = expected.UnpackImage();
    QVERIFY(repairs.AnyRepaired());
    expected.CommitRepairs(repairs);
    f.dialogs.openName = f.dataDir.filePath("damaged.bin");
    f.window->Btn_Load_0Click();
    QVERIFY(f.messages.shown.empty());
    QCOMPARE(Of(MouseMemory(f)), Of(expected.data_buf));
    QVERIFY(MouseMemory(f)[kProfileChecksum] != file[kProfileChecksum]);
  }
};

QTEST_MAIN(ProfileFilesTest)
#include "profile_files_test.moc"
