// One window per user: the first start listens on a local socket named after
// the window title; a later start tells it to come forward and ends.
//
// A socket is only ever removed after a connection attempt to it was
// refused: that proves nobody serves it (a program that ended without
// closing it left it behind). A socket whose owner answers, or is merely
// slow to, is left alone.
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
  // listens, unless the name could not be had at all).
  bool AskFirstToComeForward(int timeoutMs = 1000);

  enum class Claim {
    kListening,        // this instance serves the name now
    kAnotherAnswered,  // a live instance serves it and was asked to come forward
    kNotListening,     // the name is taken by something that does not answer in
                       // time, or cannot be listened on; it was left as it was
  };
  // Listens on the name. When it is taken, knocks: a live owner is asked to
  // come forward; only a socket whose connection is refused is removed and
  // listened on. AskFirstToComeForward calls it after its own knock failed;
  // tests call it to play the race of two starts at once.
  Claim ClaimName(int timeoutMs = 1000);

  // What the first instance does when asked.
  void OnComeForward(std::function<void()> action) { come_forward_ = std::move(action); }
  bool listening() const { return server_.isListening(); }

  // The socket name for a key: per user, no path characters.
  static QString SocketName(const QString& key);

 private:
  enum class Knock { kAnswered, kRefused, kNoSocket, kNoAnswer };
  // Connects and, when that works, asks the owner to come forward.
  Knock KnockOnFirst(int timeoutMs);

  QString name_;
  QLocalServer server_;
  std::function<void()> come_forward_;
};

// Restores a minimised window and brings it to the front.
void BringForward(QWidget* window);

}  // namespace zelko
