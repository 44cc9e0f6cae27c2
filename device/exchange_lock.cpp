#include "device/exchange_lock.h"

#include <cctype>
#include <cstdio>

namespace zelko {
namespace {

constexpr std::size_t kLongestLockName = 100;

std::uint32_t Fnv1a(const std::string& text) {
  std::uint32_t hash = 2166136261u;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 16777619u;
  }
  return hash;
}

}  // namespace

std::string HolderText(const LockHolder& holder) {
  if (holder.pid == 0) return "another program";
  const std::string name = holder.program.empty() ? "a program" : holder.program;
  return name + " (pid " + std::to_string(holder.pid) + ")";
}

LockAttempt TakeWithin(ExchangeLock& lock, const std::string& node, const LockPatience& patience) {
  const std::uint64_t start = patience.clock ? patience.clock->NowMs() : 0;
  for (;;) {
    LockAttempt attempt = lock.TryTake(node);
    if (attempt.outcome != LockOutcome::kHeldByAnother || !patience.clock) return attempt;
    if (patience.clock->NowMs() - start >= patience.wait_ms) return attempt;
    patience.clock->SleepMs(patience.retry_ms ? patience.retry_ms : 1);
  }
}

std::string LockNameOf(const std::string& node) {
  std::string name;
  for (unsigned char c : node) {
    const bool keep = std::isalnum(c) || c == '-' || c == '_';
    if (!keep && (name.empty() || name.back() == '_')) continue;
    name.push_back(keep ? static_cast<char>(c) : '_');
  }
  while (!name.empty() && name.back() == '_') name.pop_back();
  if (name.empty()) name = "mouse";
  if (name.size() > kLongestLockName) {
    char hash[16];
    std::snprintf(hash, sizeof hash, "%08x", Fnv1a(node));
    name = std::string(hash) + "-" + name.substr(name.size() - (kLongestLockName - 9));
  }
  return name;
}

}  // namespace zelko
