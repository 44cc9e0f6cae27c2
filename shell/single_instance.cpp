#include "shell/single_instance.h"

#include <QCryptographicHash>
#include <QLocalSocket>
#include <QWidget>

#include "base/user_folders.h"

#ifdef Q_OS_LINUX
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace zelko {

namespace {
const QByteArray kComeForward = QByteArrayLiteral("come-forward\n");
}  // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent), problem_(), name_(SocketName(key, &problem_)) {
#ifdef Q_OS_LINUX
  peer_uid_ = ::getuid();
#endif
#ifdef Q_OS_WIN
  // The pipe for this user alone. Not on Unix: there Qt then binds the
  // socket elsewhere and renames it into place, over a live instance's.
  server_.setSocketOptions(QLocalServer::UserAccessOption);
#endif
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
      if (!PeerIsOurUser(socket->socketDescriptor())) {
        socket->abort();
        socket->deleteLater();
        continue;
      }
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (socket->readAll().contains(kComeForward.trimmed()) && come_forward_) come_forward_();
        socket->disconnectFromServer();
      });
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
  });
}

SingleInstance::~SingleInstance() { server_.close(); }

QString SingleInstance::SocketName(const QString& key, QString* problem) {
#ifdef Q_OS_UNIX
  const auto folder = zelko::UserRuntimeFolder();
  if (!folder) {
    if (problem) *problem = QString::fromStdString(folder.error());
    return {};
  }
  const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(24);
  return QString::fromStdString((*folder / ("window-" + hash.toStdString())).string());
#else
  (void)problem;
  const QByteArray user = qgetenv("USER") + qgetenv("USERNAME");
  const QByteArray hash =
      QCryptographicHash::hash(key.toUtf8() + '\0' + user, QCryptographicHash::Sha256).toHex().left(24);
  return QStringLiteral("zelko77-") + QString::fromLatin1(hash);
#endif
}

bool SingleInstance::PeerIsOurUser(qintptr descriptor) const {
#ifdef Q_OS_LINUX
  ucred credentials{};
  socklen_t length = sizeof credentials;
  if (::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0) return false;
  return credentials.uid == peer_uid_;
#else
  // Windows: the pipe is made for the user alone (UserAccessOption).
  (void)descriptor;
  return true;
#endif
}

SingleInstance::Knock SingleInstance::KnockOnFirst(int timeoutMs) {
  if (name_.isEmpty()) return Knock::kNoAnswer;
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (socket.waitForConnected(timeoutMs)) {
    // Someone else's program on our name is not the first window.
    if (!PeerIsOurUser(socket.socketDescriptor())) {
      socket.abort();
      return Knock::kStranger;
    }
    socket.write(kComeForward);
    socket.waitForBytesWritten(timeoutMs);
    socket.waitForDisconnected(timeoutMs);
    return Knock::kAnswered;
  }
  switch (socket.error()) {
    // The socket file is there and nobody accepts on it: the connect was
    // refused by the system, which only happens when no process listens.
    case QLocalSocket::ConnectionRefusedError: return Knock::kRefused;
    case QLocalSocket::ServerNotFoundError: return Knock::kNoSocket;
    default: return Knock::kNoAnswer;
  }
}

bool SingleInstance::AskFirstToComeForward(int timeoutMs) {
  if (KnockOnFirst(timeoutMs) == Knock::kAnswered) return true;
  return ClaimName(timeoutMs) == Claim::kAnotherAnswered;
}

SingleInstance::Claim SingleInstance::ClaimName(int timeoutMs) {
  if (name_.isEmpty()) return Claim::kNotListening;
  if (server_.isListening() || server_.listen(name_)) return Claim::kListening;
  if (server_.serverError() != QAbstractSocket::AddressInUseError) return Claim::kNotListening;
  // Taken: by a live instance that started at the same moment, or by a
  // socket file left behind. Only a refused connection proves the latter.
  switch (KnockOnFirst(timeoutMs)) {
    case Knock::kAnswered:
      return Claim::kAnotherAnswered;
    case Knock::kRefused:
      QLocalServer::removeServer(name_);
      break;
    case Knock::kNoSocket:
      break;  // gone meanwhile: try again
    case Knock::kNoAnswer:
    case Knock::kStranger:
      return Claim::kNotListening;
  }
  return server_.listen(name_) ? Claim::kListening : Claim::kNotListening;
}

void BringForward(QWidget* window) {
  if (window->isMinimized()) {
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  }
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace zelko
