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

bool SingleInstance::AskFirstToComeForward(int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (socket.waitForConnected(timeoutMs)) {
    socket.write(kComeForward);
    socket.waitForBytesWritten(timeoutMs);
    socket.waitForDisconnected(timeoutMs);
    return true;
  }
  Listen();
  return false;
}

void SingleInstance::Listen() {
  if (server_.listen(name_)) return;
  // A socket file left by a program that ended without closing it.
  if (server_.serverError() == QAbstractSocket::AddressInUseError) {
    QLocalServer::removeServer(name_);
    server_.listen(name_);
  }
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
