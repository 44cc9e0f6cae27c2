// One program at a time exchanges reports with a mouse. hidraw lets any
// number of processes open the node, and a second program's feature
// reports sent in the middle of an exchange corrupt its transfer; so every
// exchange (opening handshake to closing pair) runs under a lock that all
// our programs take for that mouse.
//
// One interface, one backend per platform, chosen by the build:
//   POSIX    an advisory lock (flock) on a lock file: for a HID node, one
//            named after the node in the user's runtime folder (private,
//            0700); for a shared file, FILE.lock beside it
//   Windows  a named mutex, named after the node or the file
// The holder writes its program name and process id beside the lock, so a
// program that finds the mouse taken can say by whom.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "base/clock.h"

namespace zelko {

struct LockHolder {
  std::string program;  // empty: not known (it had not said yet)
  long pid = 0;         // 0: not known
};

// "zelko77 (pid 4242)", or "another program" when the holder did not say.
std::string HolderText(const LockHolder& holder);

enum class LockOutcome {
  kTaken,
  kHeldByAnother,  // another program (or another lock in this one) has it
  kUnavailable,    // the lock itself cannot be had (its folder, the system)
};

struct [[nodiscard]] LockAttempt {
  LockOutcome outcome = LockOutcome::kTaken;
  LockHolder holder;  // kHeldByAnother: who holds it, as far as it said
  std::string error;  // kUnavailable: why, in words for the user
  bool taken() const { return outcome == LockOutcome::kTaken; }
};

class ExchangeLock {
 public:
  virtual ~ExchangeLock() = default;
  // One try, without waiting, for the mouse whose interface `node` is open
  // (the path the transport opened). The lock stays with this object until
  // Release.
  [[nodiscard]] virtual LockAttempt TryTake(const std::string& node) = 0;
  virtual void Release() = 0;
};

// How long a program waits for a lock another one holds. The window's
// poll waits not at all (it skips a turn); zelko77ctl a few seconds.
struct LockPatience {
  Clock* clock = nullptr;  // the clock the wait runs on; null: one try
  std::uint32_t wait_ms = 0;
  std::uint32_t retry_ms = 50;
};

// A command's patience: longer than the window's longest exchange (the
// whole image written and read back, about 15 s on the mouse).
inline constexpr std::uint32_t kCommandLockWaitMs = 20000;

// Tries until the lock is taken, the lock cannot be had, or the patience
// has run out (the last attempt's answer then).
[[nodiscard]] LockAttempt TakeWithin(ExchangeLock& lock, const std::string& node,
                                     const LockPatience& patience);

// A name for the lock of `node` that any file system and the Windows object
// namespace accept: letters, digits, '-' and '_', at most about 100
// characters (a longer node keeps its tail and a hash of the whole).
std::string LockNameOf(const std::string& node);

// The platform's lock for the mouse at a HID node.
std::unique_ptr<ExchangeLock> MakeNodeExchangeLock();
// The lock of a file that several programs share as one mouse (the
// simulated memory of --simulate=FILE); the node does not matter.
std::unique_ptr<ExchangeLock> MakeFileExchangeLock(const std::string& path);

// Where the posix backend keeps the lock of `node`: the user's runtime
// folder, then the node's lock name. A failure says why there is none.
#ifndef _WIN32
std::string NodeLockFilePath(const std::string& node, std::string& error);
#endif

}  // namespace zelko
