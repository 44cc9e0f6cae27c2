// zelko77 as a program: one instance at a time, pictures without a display.
#include <QtTest>

#include <QLocalSocket>

#include "shell/png_codec.h"
#include "shell/single_instance.h"

using namespace std::chrono_literals;

namespace {

// On the offscreen platform, or with no display at all (`display` false:
// neither X11's nor Wayland's, and no Qt platform chosen).
QProcess* Start(const QStringList& args, QObject* parent, const QString& program = QStringLiteral(ZELKO77_PROGRAM),
                bool display = true) {
  auto* process = new QProcess(parent);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (display) {
    env.insert("QT_QPA_PLATFORM", "offscreen");
  } else {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QLatin1String(name));
  }
  // The window makes its macro library in the user's data folder: one of the
  // test's own.
  static QTemporaryDir data;
  env.insert("XDG_DATA_HOME", data.path());
  process->setProcessEnvironment(env);
  process->start(program, args);
  return process;
}

// Whether a program started with this instance key listens for later starts
// yet. The probe connects and says nothing, which the listener ignores.
bool Listening(const QString& key) {
  QLocalSocket probe;
  probe.connectToServer(zelko::SingleInstance::SocketName(key));
  const bool connected = probe.waitForConnected(100);
  probe.abort();
  return connected;
}

struct Ended {
  int exitCode = -1;
  QProcess::ExitStatus exitStatus = QProcess::CrashExit;
  QByteArray out;
  QByteArray err;
};

// Runs a program to its end (a deadline, not a sleep).
Ended Run(const QString& program, const QStringList& args, QObject* parent, bool display = true) {
  QProcess* process = Start(args, parent, program, display);
  Ended ended;
  if (!process->waitForFinished(30000)) return ended;
  ended.exitCode = process->exitCode();
  ended.exitStatus = process->exitStatus();
  ended.out = process->readAllStandardOutput();
  ended.err = process->readAllStandardError();
  return ended;
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
    QTRY_VERIFY_WITH_TIMEOUT(Listening(key), 20000);
    QCOMPARE(first->state(), QProcess::Running);

    QProcess* second = Start(args, this);
    QVERIFY(second->waitForFinished(5000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);  // the first stays

    first->terminate();
    QVERIFY(first->waitForFinished(5000));
    // Ended by a signal, the first leaves its socket file behind.
    QLocalServer::removeServer(zelko::SingleInstance::SocketName(key));
  }

  // Without a display the window ends with one sentence that names the
  // ways out, instead of Qt's abort; --version of both programs needs none.
  void withoutADisplayTheWindowSaysWhatToDo() {
    const Ended window = Run(QStringLiteral(ZELKO77_PROGRAM), {"--simulate"}, this, false);
    QCOMPARE(window.exitStatus, QProcess::NormalExit);
    QCOMPARE(window.exitCode, 1);
    QVERIFY2(window.err.startsWith("zelko77: there is no display") && window.err.count('\n') == 1,
             window.err.constData());
    QVERIFY(window.err.contains("xvfb-run") && window.err.contains("--screenshot"));
    for (const char* program : {ZELKO77_PROGRAM, ZELKO77CTL_PROGRAM}) {
      const Ended version = Run(QString::fromLatin1(program), {"--version"}, this, false);
      QCOMPARE(version.exitCode, 0);
      QVERIFY2(version.out.contains(" 1.0\nbuild: ") && version.out.contains("HID backend: "),
               version.out.constData());
    }
  }

  // No display either: the pictures are drawn offscreen.
  void picturesOfEveryPageInEveryLanguage() {
    QTemporaryDir dir;
    QProcess* run = Start({"--simulate", "--screenshot", dir.path()}, this, QStringLiteral(ZELKO77_PROGRAM), false);
    QVERIFY(run->waitForFinished(60000));
    QCOMPARE(run->exitCode(), 0);
    const QStringList pictures = QDir(dir.path()).entryList({"*.png"});
    QCOMPARE(pictures.size(), 3 * 21 + 1);
    // The dialogs are smaller than the window.
    const QStringList dialogs{"combo", "colour", "macro_name", "macro_delay", "macro_key", "macro_value"};
    for (const char* page : {"main", "second", "advanced", "light", "macro", "engineer", "menu", "combo", "colour",
                             "macro_menu", "macro_insert", "macro_insert_repeat", "macro_insert_record", "macro_name",
                             "macro_delay", "macro_key", "macro_value", "engineer_mode", "engineer_tab",
                             "engineer_menu", "password"}) {
      for (int language = 1; language <= 3; ++language) {
        QFile file(dir.filePath(QStringLiteral("lang%1_%2.png").arg(language).arg(page)));
        QVERIFY2(file.open(QIODevice::ReadOnly), page);
        const QByteArray bytes = file.readAll();
        const QImage image = zelko::DecodeSkinPng(
            {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())});
        QVERIFY2(!image.isNull(), page);
        const QLatin1String name(page);
        const int narrowest = dialogs.contains(name) ? 440 : name == QLatin1String("password") ? 300 : 900;
        QVERIFY(image.width() >= narrowest);
      }
    }
  }

  // Both programs refuse a memory file that is not a 2048-byte image with the
  // same words and status (5, bad input), before anything is opened, and
  // leave the file as it was.
  void aBadMemoryFileIsRefusedAsZelko77ctlRefusesIt_data() {
    QTest::addColumn<QStringList>("windowArgs");
    QTest::newRow("pictures") << QStringList{"--screenshot", "DIR"};
    QTest::newRow("window") << QStringList{"--single-instance-key", "zelko77-program-test-bad-file"};
  }
  void aBadMemoryFileIsRefusedAsZelko77ctlRefusesIt() {
    QFETCH(QStringList, windowArgs);
    QTemporaryDir dir;
    const QString file = dir.filePath("mouse.bin");
    const QByteArray bytes(32, '\x5A');
    {
      QFile out(file);
      QVERIFY(out.open(QIODevice::WriteOnly));
      out.write(bytes);
    }
    windowArgs.replaceInStrings(QStringLiteral("DIR"), dir.filePath("shots"));
    const Ended window = Run(QStringLiteral(ZELKO77_PROGRAM), QStringList{"--simulate=" + file} + windowArgs, this);
    const Ended ctl = Run(QStringLiteral(ZELKO77CTL_PROGRAM), {"--simulate=" + file, "--sim-virtual-time", "info"}, this);
    QCOMPARE(window.exitCode, 5);
    QCOMPARE(ctl.exitCode, 5);
    QVERIFY2(window.err.startsWith("zelko77: --simulate: "), window.err.constData());
    QVERIFY2(window.err.contains("holds 32 bytes, not the 2048"), window.err.constData());
    QCOMPARE(window.err.mid(QByteArray("zelko77: ").size()), ctl.err.mid(QByteArray("zelko77ctl: ").size()));
    QCOMPARE(ReadFile(file), bytes);
    QVERIFY(!QDir(dir.filePath("shots")).exists());
  }

  void aBadDeviceIsRefusedAsZelko77ctlRefusesIt() {
    const Ended window = Run(QStringLiteral(ZELKO77_PROGRAM), {"--device", "nonsense"}, this);
    const Ended ctl = Run(QStringLiteral(ZELKO77CTL_PROGRAM), {"--device", "nonsense", "info"}, this);
    QCOMPARE(window.exitCode, 5);
    QCOMPARE(ctl.exitCode, 5);
    QCOMPARE(window.err,
             QByteArray("zelko77: --device: 'nonsense' is not VID:PID in hexadecimal (e.g. 3151:7707)\n"));
    QCOMPARE(window.err.mid(QByteArray("zelko77: ").size()), ctl.err.mid(QByteArray("zelko77ctl: ").size()));
  }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
