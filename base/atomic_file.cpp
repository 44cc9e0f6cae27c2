#include "base/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zelko {
namespace {

bool Allowed(const AtomicWriteHook& hook, AtomicWriteStep step) { return !hook || hook(step); }

// "cannot write PATH: why", with the system's reason, or "interrupted" when
// the seam refused the step.
std::string Failure(const char* what, const std::string& path, bool refused) {
  return std::string("cannot ") + what + " " + path + ": " +
         (refused ? "interrupted" : std::strerror(errno));
}

std::string TempPathFor(const std::filesystem::path& target) {
  std::random_device random;
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
  return target.string() + suffix;
}

#ifndef _WIN32
// Writes everything to `temp` in chunks and flushes it to disk.
std::string WriteAndSync(const std::string& temp, std::span<const std::uint8_t> bytes,
                         const AtomicWriteHook& hook) {
  if (!Allowed(hook, AtomicWriteStep::kCreateTemp)) return Failure("create", temp, true);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return Failure("create", temp, false);

  std::string error;
  for (std::size_t done = 0; error.empty() && done < bytes.size();) {
    if (!Allowed(hook, AtomicWriteStep::kWriteChunk)) {
      error = Failure("write", temp, true);
      break;
    }
    const std::size_t chunk_end = done + std::min(kAtomicWriteChunk, bytes.size() - done);
    while (done < chunk_end) {
      const ssize_t n = ::write(fd, bytes.data() + done, chunk_end - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        error = Failure("write", temp, false);
        break;
      }
      done += static_cast<std::size_t>(n);
    }
  }
  if (error.empty()) {
    const bool allowed = Allowed(hook, AtomicWriteStep::kSyncFile);
    if (!allowed || ::fsync(fd) != 0) error = Failure("flush", temp, !allowed);
  }
  const bool close_allowed = error.empty() && Allowed(hook, AtomicWriteStep::kCloseFile);
  const bool closed = ::close(fd) == 0;
  if (error.empty() && !(close_allowed && closed)) error = Failure("close", temp, !close_allowed);
  return error;
}

void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}
#else
std::string WriteAndSync(const std::string& temp, std::span<const std::uint8_t> bytes,
                         const AtomicWriteHook& hook) {
  if (!Allowed(hook, AtomicWriteStep::kCreateTemp)) return Failure("create", temp, true);
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) return Failure("create", temp, false);
  std::string error;
  for (std::size_t done = 0; error.empty() && done < bytes.size();) {
    const std::size_t chunk = std::min(kAtomicWriteChunk, bytes.size() - done);
    const bool allowed = Allowed(hook, AtomicWriteStep::kWriteChunk);
    if (!allowed || std::fwrite(bytes.data() + done, 1, chunk, file) != chunk) {
      error = Failure("write", temp, !allowed);
    }
    done += chunk;
  }
  if (error.empty()) {
    const bool allowed = Allowed(hook, AtomicWriteStep::kSyncFile);
    if (!allowed || std::fflush(file) != 0 || _commit(_fileno(file)) != 0) {
      error = Failure("flush", temp, !allowed);
    }
  }
  const bool close_allowed = error.empty() && Allowed(hook, AtomicWriteStep::kCloseFile);
  const bool closed = std::fclose(file) == 0;
  if (error.empty() && !(close_allowed && closed)) error = Failure("close", temp, !close_allowed);
  return error;
}
void SyncFolder(const std::filesystem::path&) {}
#endif

}  // namespace

std::string WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                                const AtomicWriteHook& hook) {
  const std::filesystem::path target(path);
  const std::string temp = TempPathFor(target);
  std::string error = WriteAndSync(temp, bytes, hook);
  if (error.empty()) {
    std::error_code ec;
    if (!Allowed(hook, AtomicWriteStep::kRename)) {
      error = "cannot replace " + path + ": interrupted";
    } else if (std::filesystem::rename(temp, target, ec); ec) {
      error = "cannot replace " + path + ": " + ec.message();
    }
  }
  if (!error.empty()) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    return error;
  }
  // The new file is in place; flushing the folder makes the rename durable.
  if (Allowed(hook, AtomicWriteStep::kSyncFolder)) SyncFolder(target.parent_path());
  return {};
}

}  // namespace zelko
