// One window per user: the first start listens on a local socket named after
// the window title; a later start tells it to come forward and ends.
#pragma once
#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>

namespace zelko {

class SingleInstance : public QObject {
  Q_OBJECT
 public:
  explicit SingleInstance(const QString& key, QObject* parent = nullptr);
  ~SingleInstance() override;

  // True when another instance answered and was asked to come forward; the
  // caller then ends. False when this is the first instance (it now
  // listens).
  bool AskFirstToComeForward(int timeoutMs = 1000);
  // What the first instance does when asked.
  void OnComeForward(std::function<void()> action) { come_forward_ = std::move(action); }
  bool listening() const { return server_.isListening(); }

  // The socket name for a key: per user, no path characters.
  static QString SocketName(const QString& key);

 private:
  void Listen();

  QString name_;
  QLocalServer server_;
  std::function<void()> come_forward_;
};

// Restores a minimised window and brings it to the front.
void BringForward(QWidget* window);

}  // namespace zelko
