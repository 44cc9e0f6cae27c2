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
    QTest::newRow("real mouse") << QStringList{} << false << "" << 0u;
    QTest::newRow("simulated") << QStringList{"--simulate"} << true << "" << 0u;
    QTest::newRow("simulated with memory file") << QStringList{"--simulate=mem.bin"} << true << "mem.bin" << 0u;
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
    QCOMPARE(QString::fromStdString(result.options.device.simulateFile), file);
    QCOMPARE(result.options.device.identity ? result.options.device.identity->vendor_id : 0u, vendor);
  }

  void simulatorKnobsReachTheFaults() {
    const auto result = Parse({"--simulate", "--sim-chip", "0xFD", "--sim-identity", "12,34"});
    QCOMPARE(result.exitCode, -1);
    QCOMPARE(result.options.device.faults.chip_code, std::uint8_t{0xFD});
    QVERIFY(result.options.device.faults.identity.has_value());
  }

  void badInputEndsWithAMessage_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("device without colon") << QStringList{"--device", "3151"};
    QTest::newRow("device with zero id") << QStringList{"--device", "0:7707"};
    QTest::newRow("device not hex") << QStringList{"--device", "zz:7707"};
    QTest::newRow("bad simulator knob") << QStringList{"--simulate", "--sim-chip", "nope"};
  }
  void badInputEndsWithAMessage() {
    QFETCH(QStringList, args);
    const auto result = Parse(args);
    QCOMPARE(result.exitCode, 2);
    QVERIFY(!result.output.empty());
  }

  void screenshotFolder() {
    QCOMPARE(QString::fromStdString(Parse({"--screenshot", "shots"}).options.screenshotFolder), QString("shots"));
  }
};

QTEST_GUILESS_MAIN(OptionsTest)
#include "options_test.moc"
