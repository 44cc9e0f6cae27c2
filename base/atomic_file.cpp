#include "base/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include "base/path_text.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
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

std::filesystem::path TempPathFor(const std::filesystem::path& target) {
  std::random_device random;
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
  std::filesystem::path temp = target;
  temp += suffix;
  return temp;
}

#ifndef _WIN32
// Writes everything to `temp` in chunks and flushes it to disk.
std::string WriteAndSync(const std::filesystem::path& temp_path, std::span<const std::uint8_t> bytes,
                         const AtomicWriteHook& hook, unsigned mode) {
  const std::string temp = temp_path.string();
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
// Binary mode: the bytes are written as they are, no CR before an LF.
std::string WriteAndSync(const std::filesystem::path& temp_path, std::span<const std::uint8_t> bytes,
                         const AtomicWriteHook& hook, unsigned /*mode*/) {
  const std::string temp = Utf8FromPath(temp_path);
  if (!Allowed(hook, AtomicWriteStep::kCreateTemp)) return Failure("create", temp, true);
  std::FILE* file = ::_wfopen(temp_path.c_str(), L"wb");
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

// Puts the new file in place of the old in one step; on failure the old
// file is untouched. Empty on success, else the system's reason.
std::string MoveIntoPlace(const std::filesystem::path& temp, const std::filesystem::path& target) {
#ifdef _WIN32
  // MoveFileExW replaces an existing file, and with WRITE_THROUGH returns
  // only once the move is on disk (there is no folder to flush).
  if (::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return {};
  }
  return std::system_category().message(static_cast<int>(::GetLastError()));
#else
  std::error_code ec;
  std::filesystem::rename(temp, target, ec);
  return ec ? ec.message() : std::string();
#endif
}

}  // namespace

std::string WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                                const AtomicWriteHook& hook) {
  namespace fs = std::filesystem;
  std::error_code ec;
  // A link is written through: its target is replaced, the link stays.
  fs::path target = PathFromUtf8(path);
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
  const fs::path temp = TempPathFor(target);
  std::string error = WriteAndSync(temp, bytes, hook, mode);
  if (error.empty()) {
    if (!Allowed(hook, AtomicWriteStep::kRename)) {
      error = "cannot replace " + path + ": interrupted";
    } else if (const std::string why = MoveIntoPlace(temp, target); !why.empty()) {
      error = "cannot replace " + path + ": " + why;
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
