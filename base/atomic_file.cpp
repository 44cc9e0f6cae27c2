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
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zelko {
namespace {

bool Allowed(const AtomicWriteHook& hook, AtomicWriteStep step) { return !hook || hook(step); }

// The mode handed to the writer when there is no old file to copy it from.
constexpr unsigned kNoOldFile = ~0u;

bool UserMayWrite(const std::filesystem::path& file) {
#ifdef _WIN32
  return ::_waccess(file.c_str(), 2) == 0;
#else
  return ::access(file.c_str(), W_OK) == 0;
#endif
}

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
                         const AtomicWriteHook& hook, unsigned mode) {
  if (!Allowed(hook, AtomicWriteStep::kCreateTemp)) return Failure("create", temp, true);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return Failure("create", temp, false);
  // The new file keeps the old one's permissions; a first file gets 0644
  // less the umask, as any file the user makes.
  if (mode != kNoOldFile) (void)::fchmod(fd, static_cast<mode_t>(mode));

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
                         const AtomicWriteHook& hook, unsigned /*mode*/) {
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
  namespace fs = std::filesystem;
  std::error_code ec;
  // A link is written through: its target is replaced, the link stays.
  fs::path target(path);
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::weakly_canonical(target, ec);
    if (ec) return "cannot replace " + path + ": its link cannot be followed (" + ec.message() + ")";
    target = resolved;
  }
  unsigned mode = kNoOldFile;
  const fs::file_status status = fs::status(target, ec);
  if (fs::exists(status)) {
    if (!fs::is_regular_file(status)) return "cannot replace " + path + ": it is not a regular file";
    if (!UserMayWrite(target)) {
      return "cannot replace " + path + ": the file is read-only; make it writable to change it";
    }
    mode = static_cast<unsigned>(status.permissions()) & 07777u;
  }
  const std::string temp = TempPathFor(target);
  std::string error = WriteAndSync(temp, bytes, hook, mode);
  if (error.empty()) {
    if (!Allowed(hook, AtomicWriteStep::kRename)) {
      error = "cannot replace " + path + ": interrupted";
    } else if (fs::rename(temp, target, ec); ec) {
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
