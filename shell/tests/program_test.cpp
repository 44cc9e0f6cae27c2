// zelko77 as a program: one instance at a time, pictures without a display.
#include <QtTest>

#include "shell/png_codec.h"

using namespace std::chrono_literals;

namespace {

QProcess* Start(const QStringList& args, QObject* parent) {
  auto* process = new QProcess(parent);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  process->setProcessEnvironment(env);
  process->start(QStringLiteral(ZELKO77_PROGRAM), args);
  return process;
}

}  // namespace

class ProgramTest : public QObject {
  Q_OBJECT
 private slots:
  void aSecondStartHandsOverAndEnds() {
    const QString key = QStringLiteral("zelko77-program-test-%1").arg(QCoreApplication::applicationPid());
    const QStringList args{"--simulate", "--single-instance-key", key};
    QProcess* first = Start(args, this);
    QVERIFY(first->waitForStarted());
    QTest::qWait(700);  // the first is listening by now
    QCOMPARE(first->state(), QProcess::Running);

    QProcess* second = Start(args, this);
    QVERIFY(second->waitForFinished(5000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);  // the first stays

    first->terminate();
    QVERIFY(first->waitForFinished(5000));
  }

  void picturesOfEveryPageInEveryLanguage() {
    QTemporaryDir dir;
    QProcess* run = Start({"--simulate", "--screenshot", dir.path()}, this);
    QVERIFY(run->waitForFinished(60000));
    QCOMPARE(run->exitCode(), 0);
    const QStringList pictures = QDir(dir.path()).entryList({"*.png"});
    QCOMPARE(pictures.size(), 3 * 6 + 1);
    for (const char* page : {"main", "second", "advanced", "light", "macro", "engineer"}) {
      for (int language = 1; language <= 3; ++language) {
        QFile file(dir.filePath(QStringLiteral("lang%1_%2.png").arg(language).arg(page)));
        QVERIFY2(file.open(QIODevice::ReadOnly), page);
        const QByteArray bytes = file.readAll();
        const QImage image = zelko::DecodeSkinPng(
            {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())});
        QVERIFY2(!image.isNull(), page);
        QVERIFY(image.width() >= 900);
      }
    }
  }

  void badOptionsEndWithAMessage() {
    QProcess* run = Start({"--device", "nonsense"}, this);
    QVERIFY(run->waitForFinished(10000));
    QCOMPARE(run->exitCode(), 5);
    QCOMPARE(run->readAllStandardError(),
             QByteArray("zelko77: --device: 'nonsense' is not VID:PID in hexadecimal (e.g. 3151:7707)\n"));
  }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
