#include "base/atomic_file.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <ctime>
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
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zelko {
namespace {

bool Allowed(const AtomicWriteHook& hook, AtomicWriteStep step) { return !hook || hook(step); }

// The mode handed to the writer when there is no old file to copy it from.
constexpr unsigned kNoOldFile = ~0u;

// A file is read-only when none of its write bits is set, whoever runs the
// program (root may write anything, so asking the system would replace a
// file the user locked), or when the system says this user may not write it.
bool IsReadOnly(const std::filesystem::path& file, const std::filesystem::file_status& status) {
  using std::filesystem::perms;
  const perms write_bits = perms::owner_write | perms::group_write | perms::others_write;
  if ((status.permissions() & write_bits) == perms::none) return true;
#ifdef _WIN32
  return ::_waccess(file.c_str(), 2) != 0;
#else
  return ::access(file.c_str(), W_OK) != 0;
#endif
}

// The system's reason, or "interrupted" when the seam refused the step. The
// caller names the user's file: the temporary one is ours, not theirs.
std::string Reason(const char* step, bool refused) {
  return std::string(step) + ": " + (refused ? "interrupted" : std::strerror(errno));
}

// Our temporary files: the target's name, a dot, eight hexadecimal digits
// and ".tmp".
constexpr std::size_t kTempDigits = 8;
constexpr std::string_view kTempEnding = ".tmp";

std::filesystem::path TempPathFor(const std::filesystem::path& target) {
  std::random_device random;
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%08x%s", static_cast<unsigned>(random()), kTempEnding.data());
  std::filesystem::path temp = target;
  temp += suffix;
  return temp;
}

#ifndef _WIN32
// Writes everything to `temp` in chunks and flushes it to disk.
std::string WriteAndSync(const std::filesystem::path& temp_path, std::span<const std::uint8_t> bytes,
                         const AtomicWriteHook& hook, unsigned mode) {
  if (!Allowed(hook, AtomicWriteStep::kCreateTemp)) return Reason("creating a temporary file beside it", true);
  const int fd = ::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return Reason("creating a temporary file beside it", false);
  // Held until the file is closed: a later writer that finds the temporary
  // file of a writer that was killed knows it from a live one by the lock.
  (void)::flock(fd, LOCK_EX | LOCK_NB);
  // The new file keeps the old one's permissions; a first file gets 0644
  // less the umask, as any file the user makes.
  if (mode != kNoOldFile) (void)::fchmod(fd, static_cast<mode_t>(mode));

  std::string error;
  for (std::size_t done = 0; error.empty() && done < bytes.size();) {
    if (!Allowed(hook, AtomicWriteStep::kWriteChunk)) {
      error = Reason("writing", true);
      break;
    }
    const std::size_t chunk_end = done + std::min(kAtomicWriteChunk, bytes.size() - done);
    while (done < chunk_end) {
      const ssize_t n = ::write(fd, bytes.data() + done, chunk_end - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        error = Reason("writing", false);
        break;
      }
      done += static_cast<std::size_t>(n);
    }
  }
  if (error.empty()) {
    const bool allowed = Allowed(hook, AtomicWriteStep::kSyncFile);
    if (!allowed || ::fsync(fd) != 0) error = Reason("flushing", !allowed);
  }
  const bool close_allowed = error.empty() && Allowed(hook, AtomicWriteStep::kCloseFile);
  const bool closed = ::close(fd) == 0;
  if (error.empty() && !(close_allowed && closed)) error = Reason("closing", !close_allowed);
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
  if (!Allowed(hook, AtomicWriteStep::kCreateTemp)) return Reason("creating a temporary file beside it", true);
  std::FILE* file = ::_wfopen(temp_path.c_str(), L"wb");
  if (!file) return Reason("creating a temporary file beside it", false);
  std::string error;
  for (std::size_t done = 0; error.empty() && done < bytes.size();) {
    const std::size_t chunk = std::min(kAtomicWriteChunk, bytes.size() - done);
    const bool allowed = Allowed(hook, AtomicWriteStep::kWriteChunk);
    if (!allowed || std::fwrite(bytes.data() + done, 1, chunk, file) != chunk) {
      error = Reason("writing", !allowed);
    }
    done += chunk;
  }
  if (error.empty()) {
    const bool allowed = Allowed(hook, AtomicWriteStep::kSyncFile);
    if (!allowed || std::fflush(file) != 0 || _commit(_fileno(file)) != 0) {
      error = Reason("flushing", !allowed);
    }
  }
  const bool close_allowed = error.empty() && Allowed(hook, AtomicWriteStep::kCloseFile);
  const bool closed = std::fclose(file) == 0;
  if (error.empty() && !(close_allowed && closed)) error = Reason("closing", !close_allowed);
  return error;
}
void SyncFolder(const std::filesystem::path&) {}
#endif

bool IsOurTempName(const std::string& name, const std::string& target_name) {
  const std::size_t length = target_name.size() + 1 + kTempDigits + kTempEnding.size();
  if (name.size() != length || name.compare(0, target_name.size(), target_name) != 0) return false;
  if (name[target_name.size()] != '.') return false;
  for (std::size_t i = 0; i < kTempDigits; ++i) {
    if (!std::isxdigit(static_cast<unsigned char>(name[target_name.size() + 1 + i]))) return false;
  }
  return name.compare(length - kTempEnding.size(), kTempEnding.size(), kTempEnding) == 0;
}

#ifndef _WIN32
// Whether a temporary file of ours was left by a writer that did not finish
// (killed, or the machine went down): it is ours, old, and no live writer
// holds its lock.
bool IsLeftOver(const std::filesystem::path& file, std::chrono::seconds min_age) {
  struct stat info {};
  if (::lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
    return false;
  }
  if (std::time(nullptr) - info.st_mtime < min_age.count()) return false;
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  const bool unlocked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  ::close(fd);
  return unlocked;
}
#else
// Windows refuses to remove a file another program still has open.
bool IsLeftOver(const std::filesystem::path& file, std::chrono::seconds min_age) {
  std::error_code ec;
  const auto written = std::filesystem::last_write_time(file, ec);
  return !ec && std::filesystem::is_regular_file(std::filesystem::symlink_status(file, ec)) &&
         std::filesystem::file_time_type::clock::now() - written >= min_age;
}
#endif

// Removes the temporary files a killed writer left beside `target`; only
// ours (the target's name and our ending), only old ones, never one a live
// writer holds.
void RemoveLeftOverTemps(const std::filesystem::path& target) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string target_name = Utf8FromPath(target.filename());
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path entry = it->path();
    if (!IsOurTempName(Utf8FromPath(entry.filename()), target_name)) continue;
    if (!IsLeftOver(entry, kLeftOverTempAge)) continue;
    std::error_code ignored;
    fs::remove(entry, ignored);
  }
}

#ifndef _WIN32
// The kernel's rule for links in shared folders (protected_symlinks): in a
// folder that is sticky and writable by everyone, a link is followed only
// when its owner is the user or the folder's owner, since anyone may plant
// one there. Empty when the link may be followed, else why not.
std::string RefuseForeignLink(const std::filesystem::path& link, const std::string& path) {
  struct stat link_info {}, folder_info {};
  const std::filesystem::path folder = link.has_parent_path() ? link.parent_path() : ".";
  if (::lstat(link.c_str(), &link_info) != 0 || ::stat(folder.c_str(), &folder_info) != 0) return {};
  const bool shared = (folder_info.st_mode & S_ISVTX) != 0 && (folder_info.st_mode & S_IWOTH) != 0;
  if (!shared || link_info.st_uid == ::geteuid() || link_info.st_uid == folder_info.st_uid) return {};
  return "cannot replace " + path + ": it is a link another user made in the shared folder " +
         Utf8FromPath(folder) + "; following it could overwrite someone else's file. Choose a file in a folder of your own";
}
#else
std::string RefuseForeignLink(const std::filesystem::path&, const std::string&) { return {}; }
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
    if (std::string refused = RefuseForeignLink(target, path); !refused.empty()) return refused;
    const fs::path resolved = fs::weakly_canonical(target, ec);
    if (ec) return "cannot replace " + path + ": its link cannot be followed (" + ec.message() + ")";
    target = resolved;
  }
  unsigned mode = kNoOldFile;
  const fs::file_status status = fs::status(target, ec);
  if (fs::exists(status)) {
    if (!fs::is_regular_file(status)) return "cannot replace " + path + ": it is not a regular file";
    if (IsReadOnly(target, status)) {
      return "cannot replace " + path + ": the file is read-only; make it writable to change it";
    }
    mode = static_cast<unsigned>(status.permissions()) & 07777u;
  }
  RemoveLeftOverTemps(target);
  const fs::path temp = TempPathFor(target);
  std::string error = WriteAndSync(temp, bytes, hook, mode);
  if (!error.empty()) {
    error = "cannot write " + path + ": " + error;
  } else if (!Allowed(hook, AtomicWriteStep::kRename)) {
    error = "cannot replace " + path + ": interrupted";
  } else if (const std::string why = MoveIntoPlace(temp, target); !why.empty()) {
    error = "cannot replace " + path + ": " + why;
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
