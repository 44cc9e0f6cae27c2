// The command line of zelko77.
#include <QtTest>
#include <vector>

#include "base/exit_status_text.h"
#include "shell/shell_options.h"

using namespace zelko;

namespace {

// On a desktop unless the test says otherwise.
ShellOptionsResult Parse(const QStringList& args, const ShellEnvironment& environment = {.x11Display = true}) {
  std::vector<std::string> texts{"zelko77"};
  for (const QString& arg : args) texts.push_back(arg.toStdString());
  std::vector<const char*> argv;
  for (const auto& text : texts) argv.push_back(text.c_str());
  return ParseShellOptions(static_cast<int>(argv.size()), argv.data(), environment);
}

}  // namespace

class OptionsTest : public QObject {
  Q_OBJECT
 private slots:
  void choosesTheMouse_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("simulate");
    QTest::addColumn<QString>("file");
    QTest::addColumn<uint>("vendor");
    QTest::newRow("real mouse") << QStringList{} << false << "" << 0x3151u;
    QTest::newRow("simulated") << QStringList{"--simulate"} << true << "" << 0x3151u;
    QTest::newRow("simulated with a new memory file")
        << QStringList{"--simulate=zelko77-options-test-missing.bin"} << true
        << "zelko77-options-test-missing.bin" << 0x3151u;
    QTest::newRow("simulated, other identity") << QStringList{"--simulate", "--device", "046d:C077"} << true << ""
                                               << 0x046Du;
  }
  void choosesTheMouse() {
    QFETCH(QStringList, args);
    QFETCH(bool, simulate);
    QFETCH(QString, file);
    QFETCH(uint, vendor);
    const auto result = Parse(args);
    QCOMPARE(result.exitCode, -1);
    QCOMPARE(result.options.device.simulate, simulate);
    QCOMPARE(QString::fromStdString(result.options.device.memory_file), file);
    QVERIFY(!result.options.device.memory);  // no file yet: the factory image
    QCOMPARE(result.options.device.identity.vendor_id, vendor);
  }

  void theEngineerPageCanBeAskedForAndIsDocumented() {
    QVERIFY(!Parse({"--simulate"}).options.engineerPage);
    const auto asked = Parse({"--simulate", "--engineer-page"});
    QCOMPARE(asked.exitCode, -1);
    QVERIFY(asked.options.engineerPage);
    const auto help = Parse({"--help"});
    QCOMPARE(help.exitCode, 0);
    const QString text = QString::fromStdString(help.output);
    QVERIFY(text.contains(QStringLiteral("--engineer-page")));
    QVERIFY(text.contains(QStringLiteral("Ctrl+Shift+E")));
  }

  void simulatorKnobsReachTheFaults() {
    const auto result = Parse({"--simulate", "--sim-chip", "0xFD", "--sim-identity", "12,34", "--sim-virtual-time"});
    QCOMPARE(result.exitCode, -1);
    QCOMPARE(result.options.device.faults.chip_code, std::uint8_t{0xFD});
    QVERIFY(result.options.device.faults.identity.has_value());
    QVERIFY(result.options.device.virtual_time);
  }

  // The words and the status are zelko77ctl's (the same core code checks).
  void badInputEndsWithAMessage_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("device without colon")
        << QStringList{"--device", "3151"}
        << "zelko77: --device: '3151' is not VID:PID in hexadecimal (e.g. 3151:7707)\n";
    QTest::newRow("device with zero id") << QStringList{"--device", "0:7707"}
                                         << "zelko77: --device: '0:7707' is not VID:PID in hexadecimal (e.g. 3151:7707)\n";
    QTest::newRow("device not hex") << QStringList{"--device", "zz:7707"}
                                    << "zelko77: --device: 'zz:7707' is not VID:PID in hexadecimal (e.g. 3151:7707)\n";
    QTest::newRow("bad simulator knob") << QStringList{"--simulate", "--sim-chip", "nope"}
                                        << "zelko77: --sim-chip: 'nope' is not a hexadecimal number up to 0xFF\n";
    QTest::newRow("bad button script")
        << QStringList{"--simulate", "--sim-buttons", "3@1000"}
        << "zelko77: --sim-buttons: '3@1000' is not BUTTONS@START+DURATION (buttons 1 to 9 joined by '+', start "
           "and duration in ms, e.g. 3@1000+200,1+2@4000+100)\n";
  }
  void badInputEndsWithAMessage() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const auto result = Parse(args);
    QCOMPARE(result.exitCode, session::kExitBadInput);
    QCOMPARE(QString::fromStdString(result.output), message);
  }

  void helpListsEveryOptionWithItsExplanation() {
    const auto result = Parse({"--help"});
    QCOMPARE(result.exitCode, 0);
    const QString help = QString::fromStdString(result.output);
    for (const char* line : {"--simulate [=FILE]", "--device VID:PID", "--screenshot DIR", "--single-instance-key KEY",
                             "--sim-chip HEX", "--sim-identity HEX,HEX", "--sim-refuse CODE,...", "--sim-buttons SCRIPT",
                             "--sim-virtual-time", "Exit status:"}) {
      QVERIFY2(help.contains(QLatin1String(line)), line);
    }
    // The statuses in zelko77ctl's words, and Qt's options named.
    for (const ExitStatusText& entry : kExitStatusTexts) {
      const QString line = QStringLiteral("  %1  %2\n").arg(entry.status).arg(QLatin1String(entry.words.data(), static_cast<int>(entry.words.size())));
      QVERIFY2(help.contains(line), qPrintable(line));
    }
    QVERIFY(help.contains(QStringLiteral("-platform VALUE")));
  }

  // Our options, Qt's and the rest: Qt's pass (with their values), a slip
  // of the fingers is named, anything else is refused before Qt starts.
  void unknownOptionsAreRefusedButQtsPass_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says");
    QTest::newRow("Qt's style") << QStringList{"--simulate", "-style", "fusion"} << -1 << "";
    QTest::newRow("Qt's style, attached") << QStringList{"-style=fusion", "--simulate"} << -1 << "";
    QTest::newRow("Qt's platform, two dashes") << QStringList{"--platform", "offscreen"} << -1 << "";
    QTest::newRow("Qt's reverse") << QStringList{"-reverse", "--engineer-page"} << -1 << "";
    QTest::newRow("a slip of ours") << QStringList{"--simulte"} << session::kExitBadInput
                                    << "zelko77: unknown option --simulte; did you mean --simulate?\n";
    QTest::newRow("a slip with a value") << QStringList{"--simulte=mem.bin"} << session::kExitBadInput
                                         << "did you mean --simulate?";
    QTest::newRow("a slip of a simulator knob") << QStringList{"--simulate", "--sim-chipp", "0x35"}
                                                << session::kExitBadInput << "did you mean --sim-chip?";
    QTest::newRow("nothing like ours") << QStringList{"--frobnicate"} << session::kExitBadInput
                                       << "zelko77: unknown option --frobnicate\n";
    QTest::newRow("a word") << QStringList{"simulate"} << session::kExitBadInput
                            << "unknown option simulate; did you mean --simulate?";
    QTest::newRow("another word") << QStringList{"mouse.bin"} << session::kExitBadInput << "unknown option mouse.bin\n";
  }
  void unknownOptionsAreRefusedButQtsPass() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, says);
    const auto result = Parse(args);
    QCOMPARE(result.exitCode, exitCode);
    const QString output = QString::fromStdString(result.output);
    QVERIFY2(output.contains(says), qPrintable(output));
    QCOMPARE(output.contains(QStringLiteral("did you mean")), says.contains(QStringLiteral("did you mean")));
  }

  // Without a display the window would abort in Qt; pictures and the
  // version need none.
  void aDisplayIsNeededOnlyForTheWindow_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("x11");
    QTest::addColumn<bool>("wayland");
    QTest::addColumn<bool>("qtPlatform");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("nothing") << QStringList{"--simulate"} << false << false << false << session::kExitFailure;
    QTest::newRow("X11") << QStringList{"--simulate"} << true << false << false << -1;
    QTest::newRow("Wayland") << QStringList{"--simulate"} << false << true << false << -1;
    QTest::newRow("QT_QPA_PLATFORM") << QStringList{"--simulate"} << false << false << true << -1;
    QTest::newRow("-platform") << QStringList{"--simulate", "-platform", "offscreen"} << false << false << false
                               << -1;
    QTest::newRow("pictures") << QStringList{"--simulate", "--screenshot", "shots"} << false << false << false
                              << -1;
    QTest::newRow("version") << QStringList{"--version"} << false << false << false << session::kExitOk;
    QTest::newRow("help") << QStringList{"--help"} << false << false << false << session::kExitOk;
    QTest::newRow("a bad option first") << QStringList{"--simulte"} << false << false << false
                                        << session::kExitBadInput;
  }
  void aDisplayIsNeededOnlyForTheWindow() {
    QFETCH(QStringList, args);
    QFETCH(bool, x11);
    QFETCH(bool, wayland);
    QFETCH(bool, qtPlatform);
    QFETCH(int, exitCode);
    const auto result = Parse(args, {x11, wayland, qtPlatform});
    QCOMPARE(result.exitCode, exitCode);
    if (exitCode == session::kExitFailure) {
      const QString text = QString::fromStdString(result.output);
      QVERIFY(text.contains(QStringLiteral("xvfb-run")));
      QVERIFY(text.contains(QStringLiteral("--screenshot")));
      QCOMPARE(text.count(QLatin1Char('\n')), 1);  // one sentence, one line
    }
  }

  void versionNamesTheBuildQtAndTheBackend() {
    const auto result = Parse({"--version"});
    QCOMPARE(result.exitCode, 0);
    const QString text = QString::fromStdString(result.output);
    QVERIFY2(text.startsWith(QStringLiteral("zelko77 1.0\nbuild: ")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Qt: ") + QString::fromLatin1(qVersion())));
    QVERIFY(text.contains(QStringLiteral("HID backend: ")));
  }

  void screenshotFolder() {
    QCOMPARE(QString::fromStdString(Parse({"--screenshot", "shots"}).options.screenshotFolder), QString("shots"));
  }
};

QTEST_GUILESS_MAIN(OptionsTest)
#include "options_test.moc"
