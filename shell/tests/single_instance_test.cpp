// One window at a time: a live instance's socket is never taken from it; a
// socket nobody serves any more is.
#include <QtTest>

#include <QLocalServer>
#include <QLocalSocket>

#include "shell/single_instance.h"

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "test_support/scoped_environment.h"
#include "test_support/temp_folder.h"
#endif

using namespace zelko;

namespace {

constexpr int kKnockMs = 200;

QString UniqueKey(const char* what) {
  return QStringLiteral("zelko77-single-instance-test-%1-%2").arg(what).arg(QCoreApplication::applicationPid());
}

}  // namespace

class SingleInstanceTest : public QObject {
  Q_OBJECT
 private slots:
  // Two starts at the same moment: the second knocked before the first
  // listened, so its own listen finds the name taken. It must ask the first
  // to come forward and leave its socket alone.
  void aLiveInstancesSocketIsNeverTaken() {
    const QString key = UniqueKey("live");
    SingleInstance first(key);
    int cameForward = 0;
    first.OnComeForward([&cameForward] { ++cameForward; });
    QVERIFY(!first.AskFirstToComeForward(kKnockMs));
    QVERIFY(first.listening());

    SingleInstance second(key);
    QCOMPARE(second.ClaimName(kKnockMs), SingleInstance::Claim::kAnotherAnswered);
    QVERIFY(!second.listening());
    QTRY_COMPARE(cameForward, 1);

    // The first still serves the name: a later start reaches it.
    QVERIFY(first.listening());
    SingleInstance third(key);
    QVERIFY(third.AskFirstToComeForward(kKnockMs));
    QTRY_COMPARE(cameForward, 2);
    QVERIFY(!third.listening());
  }

#ifdef Q_OS_UNIX
  // A program that ended without closing its socket left the file behind:
  // nobody accepts on it, so the connection is refused and the file is
  // taken over.
  void aSocketNobodyServesIsTakenOver() {
    const QString key = UniqueKey("stale");
    QString path;
    {
      QLocalServer probe;
      QVERIFY(probe.listen(SingleInstance::SocketName(key)));
      path = probe.fullServerName();
    }  // closing removes the file
    QVERIFY(!QFile::exists(path));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    QVERIFY(static_cast<std::size_t>(native.size()) < sizeof address.sun_path);
    std::memcpy(address.sun_path, native.constData(), static_cast<std::size_t>(native.size()));
    QCOMPARE(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);  // the file stays, with nobody behind it
    QVERIFY(QFile::exists(path));

    SingleInstance next(key);
    QVERIFY(!next.AskFirstToComeForward(kKnockMs));
    QVERIFY(next.listening());
    SingleInstance later(key);
    QVERIFY(later.AskFirstToComeForward(kKnockMs));  // the new owner answers
  }
#endif
#ifdef Q_OS_LINUX
  // Someone else got to our name first: a live socket that answers, but is
  // not ours. The start must go on (no hand-over to a stranger), and the
  // stranger hears nothing. Three ways it can happen: a peer running as
  // another user (played here by expecting another uid), and a runtime
  // folder that others could write in, left open or not ours.
  void aSocketSomeoneElsePlantedCannotStopTheStart_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("peer of another user") << QStringLiteral("peer");
    QTest::newRow("folder open to others") << QStringLiteral("mode");
  }
  void aSocketSomeoneElsePlantedCannotStopTheStart() {
    QFETCH(QString, how);
    zelko::testing_support::TempFolder runtime;
    zelko::testing_support::ScopedEnvironment env;
    env.Set("XDG_RUNTIME_DIR", runtime.path().string());
    const QString key = UniqueKey("planted");
    const QString path = SingleInstance::SocketName(key);
    QVERIFY(!path.isEmpty());
    QVERIFY(path.startsWith(QString::fromStdString(runtime.path().string())));

    QLocalServer planted;
    QVERIFY(planted.listen(path));
    QByteArray heard;
    connect(&planted, &QLocalServer::newConnection, this, [&] {
      while (QLocalSocket* socket = planted.nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [&, socket] { heard += socket->readAll(); });
      }
    });
    if (how == QLatin1String("mode")) {
      QCOMPARE(::chmod(QFile::encodeName(QFileInfo(path).path()).constData(), 0777), 0);
    }

    SingleInstance start(key);
    if (how == QLatin1String("peer")) start.ExpectPeerUser(::getuid() + 1);
    QVERIFY(!start.AskFirstToComeForward(kKnockMs));  // the window starts
    if (how == QLatin1String("mode")) QVERIFY2(start.problem().contains(QLatin1String("open to other users")), qPrintable(start.problem()));
    QCoreApplication::processEvents();
    QVERIFY(heard.isEmpty());
    QVERIFY(planted.isListening());  // and it was not taken from its owner either
  }
#endif
};

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
