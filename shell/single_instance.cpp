#include "shell/single_instance.h"

#include <QCryptographicHash>
#include <QLocalSocket>
#include <QWidget>

namespace zelko {

namespace {
const QByteArray kComeForward = QByteArrayLiteral("come-forward\n");
}  // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent), name_(SocketName(key)) {
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (socket->readAll().contains(kComeForward.trimmed()) && come_forward_) come_forward_();
        socket->disconnectFromServer();
      });
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
  });
}

SingleInstance::~SingleInstance() { server_.close(); }

QString SingleInstance::SocketName(const QString& key) {
  const QByteArray user = qgetenv("USER") + qgetenv("USERNAME");
  const QByteArray hash =
      QCryptographicHash::hash(key.toUtf8() + '\0' + user, QCryptographicHash::Sha256).toHex().left(24);
  return QStringLiteral("zelko77-") + QString::fromLatin1(hash);
}

SingleInstance::Knock SingleInstance::KnockOnFirst(int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (socket.waitForConnected(timeoutMs)) {
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
