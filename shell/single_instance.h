// One window per user: the first start listens on a local socket named after
// the window title; a later start tells it to come forward and ends.
//
// The check is the user's own. On Linux the socket lives in the user's
// private runtime folder (base/user_folders.h), which no other user can
// put anything in; a folder that is not private is not used, and the
// window then starts without the check rather than trust it. Whoever
// answers on the socket must be the same user (its credentials are asked
// of the system), and only the same user's knock is answered: a stranger's
// socket can neither end the window's start nor be told to come forward.
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

  // Why there is no check (the runtime folder is not private); empty when
  // there is one.
  const QString& problem() const { return problem_; }
  // The user whose instances count as ours: this process's unless a test
  // plays a stranger.
  void ExpectPeerUser(unsigned uid) { peer_uid_ = uid; }
  ~SingleInstance() override;

  // True when another instance answered and was asked to come forward; the
  // caller then ends. False when this is the first instance (it now
  // listens, unless the name could not be had at all).
  bool AskFirstToComeForward(int timeoutMs = 1000);

  enum class Claim {
    kListening,        // this instance serves the name now
    kAnotherAnswered,  // a live instance serves it and was asked to come forward
    kNotListening,     // the name is taken by something that does not answer in
                       // time or runs as another user, or cannot be listened
                       // on (no private folder); it was left as it was
  };
  // Listens on the name. When it is taken, knocks: a live owner is asked to
  // come forward; only a socket whose connection is refused is removed and
  // listened on. AskFirstToComeForward calls it after its own knock failed;
  // tests call it to play the race of two starts at once.
  Claim ClaimName(int timeoutMs = 1000);

  // What the first instance does when asked.
  void OnComeForward(std::function<void()> action) { come_forward_ = std::move(action); }
  bool listening() const { return server_.isListening(); }

  // The socket for a key: a path in the user's runtime folder (Linux), a
  // per-user name elsewhere. Empty, with the reason in `problem`, when the
  // runtime folder cannot be used.
  static QString SocketName(const QString& key, QString* problem = nullptr);

 private:
  enum class Knock { kAnswered, kRefused, kNoSocket, kNoAnswer, kStranger };
  // Whether the other end of a connected socket runs as our user.
  bool PeerIsOurUser(qintptr descriptor) const;
  // Connects and, when that works, asks the owner to come forward.
  Knock KnockOnFirst(int timeoutMs);

  QString problem_;  // before name_: SocketName fills it
  QString name_;
  unsigned peer_uid_ = 0;
  QLocalServer server_;
  std::function<void()> come_forward_;
};

// Restores a minimised window and brings it to the front.
void BringForward(QWidget* window);

}  // namespace zelko
