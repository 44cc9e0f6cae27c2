// The key test in the window on a simulated mouse whose buttons a script
// presses, in virtual time shared by the window and the test's worker.
#include <QPushButton>
#include <QtTest>

#include "base/shared_virtual_clock.h"
#include "shell/key_test_runner.h"
#include "window_fixture.h"

using namespace zelko;
using zelko::test::WindowFixture;

namespace {

constexpr const char* kNormal = "Test Keys Position";

// The engineer page's test button and the button copies that blink, as the
// engineer page names them.
struct TestTargets {
  explicit TestTargets(MainWindow& w) {
    QWidget* page = w.controls().Find(QStringLiteral("gbPage6"));
    testKeys = new QPushButton(QString::fromLatin1(kNormal), page);
    testKeys->setObjectName(QStringLiteral("btn_TestKeys"));
    w.controls().Add(testKeys);
    for (int n = 1; n <= 9; ++n) {
      auto* key = new QPushButton(page);
      key->setObjectName(QStringLiteral("btn_Key10%1").arg(n));
      w.controls().Add(key);
      keys.push_back(key);
    }
  }
  QPushButton* testKeys = nullptr;
  std::vector<QPushButton*> keys;
};

struct KeyTestWindow {
  explicit KeyTestWindow(const char* presses)
      : f(Mouse(presses), nullptr, WindowFixture::Capture::kFake, &clock), targets(*f.window) {
    f.window->DevTimerTimer();
    if (!f.window->session().IsOpen() || f.window->covered()) qFatal("KeyTestWindow: the mouse was not read");
  }
  static session::DeviceSetup Mouse(const char* presses) {
    sim::SimOptionTexts texts;
    texts.buttons = presses;
    const auto options = sim::ParseSimOptions(texts);
    if (!options.ok()) qFatal("KeyTestWindow: %s", options.error.c_str());
    return WindowFixture::SimulatedMouse(options.faults);
  }
  // Virtual time passes in 250 ms steps, the posted blinks are shown after
  // each, TestTimer ticks every fourth step. Notes button `watched`'s
  // visibility and the caption after each step; stops at the test's end.
  void Run(int steps, int watched) {
    for (int i = 1; i <= steps && f.window->keyTestRunning(); ++i) {
      clock.SleepMs(250);
      QCoreApplication::processEvents();
      if (i % 4 == 0) f.window->keyTest().TestTimerTimer();
      shown.push_back(!targets.keys[static_cast<std::size_t>(watched - 1)]->isHidden());
      captions.push_back(targets.testKeys->text());
    }
  }
  SharedVirtualClock clock;
  WindowFixture f;
  TestTargets targets;
  std::vector<bool> shown;
  QStringList captions;
};

QStringList Ticks(const QStringList& captions) {
  QStringList ticks;
  for (qsizetype i = 3; i < captions.size(); i += 4) ticks << captions[i];
  return ticks;
}

}  // namespace

class KeyTestWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void withoutAPressTheCaptionCountsDownAndTheTestEnds() {
    KeyTestWindow t("9@100000+1");
    sim::SimulatedMouse& mouse = *t.f.window->session().simulatedMouse();
    const int reloads = mouse.executed(CommandCode::kSystemReload);
    const int ends = mouse.executed(CommandCode::kEndExchange);
    t.f.window->StartKeyTest();
    QVERIFY(t.f.window->keyTestRunning());
    QVERIFY(!t.targets.testKeys->isEnabled());
    t.Run(40, 1);
    QVERIFY(!t.f.window->keyTestRunning());
    QCOMPARE(Ticks(t.captions), (QStringList{"5...", "4...", "3...", "2...", "1...", kNormal}));
    QVERIFY(t.targets.testKeys->isEnabled());
    QCOMPARE(mouse.executed(CommandCode::kSystemReload), reloads + 1);
    QCOMPARE(mouse.executed(CommandCode::kEndExchange), ends + 1);
    // The worker has ended: the mouse hears nothing more until the poll.
    const long reports = mouse.reports_seen();
    t.clock.SleepMs(5000);
    QCOMPARE(mouse.reports_seen(), reports);
    t.f.window->DevTimerTimer();
    t.f.window->ActionButtonClick("Read");
    QVERIFY(mouse.reports_seen() > reports);
  }

  void aPressOfButtonThreeBlinksItsCopyAndRestartsTheCount() {
    KeyTestWindow t("3@1234+100");
    t.f.window->StartKeyTest();
    t.Run(60, 3);
    QVERIFY(!t.f.window->keyTestRunning());
    // Seen at 1240 ms: hidden 1240..1740, shown, hidden 2240..2740, shown.
    const std::vector<bool> expected{true, true, true, true, false, false, true, true, false, false, true};
    QCOMPARE(std::vector<bool>(t.shown.begin(), t.shown.begin() + 11), expected);
    QVERIFY(std::all_of(t.shown.begin() + 11, t.shown.end(), [](bool b) { return b; }));
    QCOMPARE(Ticks(t.captions), (QStringList{"5...", kNormal, "5...", "4...", "3...", "2...", "1...", kNormal}));
    for (int n : {1, 2, 4, 5, 6, 7, 8, 9}) QVERIFY(!t.targets.keys[static_cast<std::size_t>(n - 1)]->isHidden());
  }

  void whileTheTestRunsTheOtherButtonsLeaveTheMouseAlone() {
    KeyTestWindow t("9@100000+1");
    sim::SimulatedMouse& mouse = *t.f.window->session().simulatedMouse();
    t.f.window->StartKeyTest();
    const int reads = mouse.executed(CommandCode::kBeginBlockRead);
    t.f.window->ActionButtonClick("Read");
    t.f.window->DevTimerTimer();
    t.f.window->Btn_Load_0Click();
    QCOMPARE(mouse.executed(CommandCode::kBeginBlockRead), reads);
    QVERIFY(t.f.dialogs.filters.isEmpty());
    // Closing the window ends the test with its closing commands.
    const int ends = mouse.executed(CommandCode::kEndExchange);
    t.f.window->close();
    QVERIFY(!t.f.window->keyTestRunning());
    QCOMPARE(mouse.executed(CommandCode::kEndExchange), ends + 1);
  }
};

QTEST_MAIN(KeyTestWindowTest)
#include "key_test_window_test.moc"
