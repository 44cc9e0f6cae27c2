// One window at a time: a live instance's socket is never taken from it; a
// socket nobody serves any more is.
#include <QtTest>

#include "shell/single_instance.h"

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
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
};

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
