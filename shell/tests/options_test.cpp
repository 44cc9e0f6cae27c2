// The command line of zelko77.
#include <QtTest>
#include <vector>

#include "shell/shell_options.h"

using namespace zelko;

namespace {

ShellOptionsResult Parse(const QStringList& args) {
  std::vector<std::string> texts{"zelko77"};
  for (const QString& arg : args) texts.push_back(arg.toStdString());
  std::vector<const char*> argv;
  for (const auto& text : texts) argv.push_back(text.c_str());
  return ParseShellOptions(static_cast<int>(argv.size()), argv.data());
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
  }

  void screenshotFolder() {
    QCOMPARE(QString::fromStdString(Parse({"--screenshot", "shots"}).options.screenshotFolder), QString("shots"));
  }
};

QTEST_GUILESS_MAIN(OptionsTest)
#include "options_test.moc"
